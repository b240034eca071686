#include "macabout.h"

#include "common/ui/art/art.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSvgRenderer>

#include <span>

// Outside any namespace, as Qt's resource initialiser requires.
static void initAboutResources()
{
    Q_INIT_RESOURCE(about);
}

namespace {

enum class Look { Window, Title, Red, Blue, Link };

struct Line
{
    const char* name;
    const char* text;
    int x;
    int y;
    Look look;
};

struct Design
{
    const char* caption;
    int clientWidth;
    int clientHeight;
    const char* background;
    int titlePixels;
    QPoint closeButton;
    bool bevel;
    bool visibleWhenCreated;
    std::span<const Line> lines;
};

// The maker's contact lines are fictitious.
constexpr Line archivaLines[] = {
    {"Label3", "Buildoc", 56, 8, Look::Title},
    {"Label4", "最新版本：2.0版", 86, 48, Look::Window},
    {"Label5", "操作环境：Window 95/98/Me/Xp", 88, 64, Look::Window},
    {"Label6", "Window NT/2000", 148, 78, Look::Window},
    {"Label7", "技术支持:support@example.com", 88, 96, Look::Window},
    {"Label9", "商务合作:business@example.com", 88, 112, Look::Window},
    {"Label15", "联系电话:000-12345678  000-87654321", 88, 128, Look::Window},
    {"Label14", "QQ在线支持:00000001", 76, 143, Look::Window},
    {"Label1", "地址：示例省示例市样板路1号", 108, 159, Look::Window},
    {"Label11", "诚征各地代理，欢迎洽谈！", 230, 183, Look::Red},
    {"Label10", "版权所有(C) 示例软件工作室  未经许可不得复制、传播", 7, 224, Look::Blue},
    {"Label8", "http://www.example.com", 8, 251, Look::Link},
};

constexpr Line firmbookLines[] = {
    {"Label3", "Tessary公司信息名录", 72, 8, Look::Title},
    {"Label4", "最新版本：1.0版", 86, 48, Look::Window},
    {"Label5", "操作环境：Window 95/98/Me/Xp", 88, 64, Look::Window},
    {"Label6", "Window NT/2000", 148, 78, Look::Window},
    {"Label7", "技术支持:support@example.com", 88, 96, Look::Window},
    {"Label9", "商务合作:business@example.com", 88, 112, Look::Window},
    {"Label15", "联系电话:000-12345678  000-87654321", 88, 128, Look::Window},
    {"Label14", "QQ在线支持:00000002", 76, 143, Look::Window},
    {"Label1", "地址：示例省示例市样板路1号", 106, 159, Look::Window},
    {"Label11", "诚征各地代理，欢迎洽谈！", 142, 183, Look::Red},
    {"Label8", "http://www.example.com", 8, 251, Look::Link},
};

const Design& design(TMac_About::Arrangement arrangement)
{
    static const Design archiva{"关于本软件： [Tessary软件]",
                                408,
                                275,
                                ":/about/archiva-background.svg",
                                24,
                                QPoint(308, 239),
                                false,
                                false,
                                archivaLines};
    static const Design firmbook{
        "关于本软件", 353,  275,          ":/about/firmbook-background.svg", 29, QPoint(260, 239),
        true,         true, firmbookLines};
    return arrangement == TMac_About::Arrangement::Archiva ? archiva : firmbook;
}

void styleLabel(QLabel* label, Look look, int titlePixels)
{
    QColor colour;
    switch (look) {
    case Look::Window:
        return;
    case Look::Title:
        label->setFont(ui::songti(titlePixels, true));
        colour = Qt::red;
        break;
    case Look::Red:
        label->setFont(ui::songti(12));
        colour = Qt::red;
        break;
    case Look::Blue:
        label->setFont(ui::songti(12));
        colour = Qt::blue;
        break;
    case Look::Link:
        label->setFont(ui::songti(16));
        colour = Qt::blue;
        break;
    }
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QImage renderSvg(const QString& resource, QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon aboutIcon()
{
    QIcon icon;
    for (int side : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(
            renderSvg(QStringLiteral(":/about/abouticon.svg"), QSize(side, side), 1.0)));
    return icon;
}

} // namespace

namespace about {

StretchedPicture::StretchedPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), m_renderer(new QSvgRenderer(resource, this))
{
    m_renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
}

StretchedPicture::~StretchedPicture() = default;

void StretchedPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->render(&painter, QRectF(rect()));
}

} // namespace about

TMac_About::TMac_About(Arrangement arrangement, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::WindowContextHelpButtonHint),
      m_arrangement(arrangement)
{
    initAboutResources();
    const Design& d = design(arrangement);

    setObjectName(QStringLiteral("Mac_About"));
    setWindowTitle(QString::fromUtf8(d.caption));
    setWindowIcon(aboutIcon());
    setFont(ui::songti(12));
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    // The box never keeps the program running once its main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);

    Image1 = new about::StretchedPicture(QString::fromUtf8(d.background), this);
    Image1->setObjectName(QStringLiteral("Image1"));

    if (d.bevel) {
        Bevel1 = new QFrame(this);
        Bevel1->setObjectName(QStringLiteral("Bevel1"));
        Bevel1->setGeometry(8, 220, 337, 1);
        Bevel1->setAutoFillBackground(true);
        Bevel1->setBackgroundRole(QPalette::Dark);
    }

    for (const Line& line : d.lines) {
        auto* label = new QLabel(QString::fromUtf8(line.text), this);
        label->setObjectName(QString::fromLatin1(line.name));
        label->setTextFormat(Qt::PlainText);
        styleLabel(label, line.look, d.titlePixels);
        if (line.look == Look::Link)
            label->setToolTip(label->text());
        label->move(line.x, line.y);
        label->adjustSize();
    }

    BitBtn3 = new QPushButton(QStringLiteral("关闭(Esc)"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    // The close glyph: normal and disabled images, 18 x 18 each.
    BitBtn3->setIcon(
        ui::glyphIcon(QStringLiteral(":/about/closeglyph.svg"), 18, qApp->devicePixelRatio()));
    BitBtn3->setIconSize(QSize(18, 18));
    BitBtn3->setGeometry(QRect(d.closeButton, QSize(85, 30)));
    BitBtn3->setFocus();
    // Closing cannot raise, so the handler needs no error guard.
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });

    // The cancel button: Esc presses it wherever the focus is.
    auto* cancel = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(cancel, &QShortcut::activated, BitBtn3, &QPushButton::click);

    // Auto size: the client area grows to enclose every control, which
    // matters where the fallback for "宋体" draws wider than the design.
    QRect content(0, 0, d.clientWidth, d.clientHeight);
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != Image1)
            content |= child->geometry();
    }
    const QSize client = content.size();
    setMinimumSize(client);
    resize(client);
    Image1->setGeometry(rect());
    centreOnDesktop();

    // Without an owner the box belongs to the application and ends with it.
    if (!owner)
        connect(qApp, &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);

    if (d.visibleWhenCreated)
        show();
}

void TMac_About::showArchivaAbout(QWidget* owner)
{
    QPointer<TMac_About> box = new TMac_About(Arrangement::Archiva, owner);
    box->exec();
    delete box.data();
}

TMac_About* TMac_About::findFirmbookAbout()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->parentWidget() || window->objectName() != QLatin1String("Mac_About"))
            continue;
        if (auto* box = qobject_cast<TMac_About*>(window))
            return box;
    }
    return nullptr;
}

TMac_About* TMac_About::showFirmbookAbout()
{
    TMac_About* box = findFirmbookAbout();
    if (!box)
        box = new TMac_About(Arrangement::Firmbook);
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

void TMac_About::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Image1->setGeometry(rect());
}

void TMac_About::BitBtn3Click()
{
    // Ends a modal loop with the cancel result; otherwise only hides.
    close();
}

void TMac_About::centreOnDesktop()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame is not known before the first show; borrow another window's.
    QSize frame = frameGeometry().size();
    if (frame == size()) {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (const QWidget* window : windows) {
            if (window == this || !window->isVisible())
                continue;
            const QSize extra = window->frameGeometry().size() - window->size();
            if (extra.width() > 0 || extra.height() > 0) {
                frame += extra;
                break;
            }
        }
    }
    QRect area(QPoint(), frame);
    area.moveCenter(screen->virtualGeometry().center());
    move(area.topLeft());
}
