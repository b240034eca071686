#include "fac.h"

#include "artwork.h"

#include "common/ui/art/art.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <qdrawutil.h>

namespace archiva {

namespace {

// A panel with a raised outer and a lowered inner bevel, one pixel each.
class BevelPanel : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), false, 1);
        qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), true, 1);
    }
};

} // namespace

Tfac::Tfac(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), Panel1(new BevelPanel(this)),
      Image1(new QLabel(Panel1)), Label4(new QLabel(Panel1))
{
    setObjectName(QStringLiteral("fac"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(681, 279);

    setFont(ui::songti(12));
    // The system colour of an active window border.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xb4, 0xb4, 0xb4));
    setPalette(pal);
    setAutoFillBackground(true);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(rect());

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(2, 2, 677, 239);
    Image1->setScaledContents(true);
    Image1->setPixmap(artwork::render(artwork::splashBanner, Image1->size()));

    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(14, 247, 435, 19);
    Label4->setWordWrap(false);
    Label4->setFont(ui::songti(16));
    QPalette labelPalette = Label4->palette();
    labelPalette.setColor(QPalette::WindowText, Qt::blue);
    Label4->setPalette(labelPalette);
    Label4->setText(QStringLiteral("欢迎使用本公司软件，程序正在联接后台数据库，请稍候..."));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

void Tfac::showPainted()
{
    show();
    // The window system maps the window asynchronously; paint once it is
    // there. The splash takes no input, so none is handled meanwhile.
    QTimer patience;
    patience.setSingleShot(true);
    patience.start(1000);
    while (windowHandle() && !windowHandle()->isExposed() && patience.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
    repaint();
    QGuiApplication::sync();
}

} // namespace archiva
