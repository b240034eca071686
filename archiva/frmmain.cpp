#include "frmmain.h"

#include "artwork.h"
#include "cataloguestore.h"
#include "cataloguewalk.h"
#include "documents.h"
#include "maintenance/frmurl.h"
#include "search/frm_wdcx.h"

#include "common/about/macabout.h"
#include "common/ui/art/art.h"
#include "common/ui/clocktext.h"
#include "common/ui/filedialog.h"
#include "common/ui/guard.h"
#include "common/ui/messagebox.h"
#include "common/ui/opener.h"
#include "common/ui/skin.h"

#include <QAction>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace archiva {

namespace {

const char* const storedNameProperty = "storedName";

// Menus show a name as stored: '&' would otherwise mark a mnemonic.
QString menuText(const QString& name)
{
    QString text = name;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text;
}

QFont windowFont()
{
    return ui::songti(14);
}

// The MDI client area with the background picture stretched over it.
class BackgroundArea : public QMdiArea
{
public:
    using QMdiArea::QMdiArea;

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QSize size = viewport()->size();
        if (m_picture.size() != size)
            m_picture = artwork::render(artwork::background, size);
        QPainter painter(viewport());
        painter.drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
};

} // namespace

class TFrmMain::MenuBuilder : public CatalogueVisitor
{
public:
    explicit MenuBuilder(TFrmMain& window) : m_window(window) {}

    void firstLevel(const QString& sheng) override
    {
        m_first = m_window.addFirstLevel(sheng);
        m_second = nullptr;
    }
    void secondLevel(const QString& diqu) override
    {
        m_second = m_window.addSecondLevel(m_first, diqu);
    }
    void entry(const QString& dtMing, qint64 key) override
    {
        m_window.addEntry(m_second, dtMing, key);
    }

private:
    TFrmMain& m_window;
    QAction* m_first = nullptr;
    QAction* m_second = nullptr;
};

TFrmMain::TFrmMain(QWidget* parent)
    : QMainWindow(parent), Image1(new BackgroundArea(this)), StatusBar1(new QStatusBar(this)),
      Timer1(new QTimer(this)), m_store(new CatalogueStore(this)), m_panel0(new QLabel(this)),
      m_panel1(new QLabel(this))
{
    // One look over every window from here on.
    ui::applySkin();

    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Buildoc"));
    setWindowIcon(artwork::icon());
    setFont(windowFont());

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setCentralWidget(Image1);

    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(26);
    StatusBar1->setSizeGripEnabled(false);
    m_panel0->setObjectName(QStringLiteral("Panel0"));
    m_panel0->setFixedWidth(250);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setMinimumWidth(50);
    m_panel1->setText(artwork::makerLine());
    for (QLabel* panel : {m_panel0, m_panel1})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(m_panel0);
    StatusBar1->addWidget(m_panel1, 1);
    setStatusBar(StatusBar1);

    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    // The platform gives menu bars a font of their own.
    menuBar()->setFont(windowFont());
    buildFixedMenu();

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    ui::bindEvent(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();

    // Restored: a 632 x 434 client area in the middle of the screen.
    resize(632, menuBar()->sizeHint().height() + 434);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    setWindowState(windowState() | Qt::WindowMaximized);

    ui::guard(this, [this] { FormCreate(); });
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::buildFixedMenu()
{
    aa1 = menuBar()->addMenu(QStringLiteral("【操作】"));
    aa1->setObjectName(QStringLiteral("aa1"));
    aa1->setFont(windowFont());
    auto item = [this](const char* name, const QString& caption) {
        QAction* action = aa1->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    N1 = item("N1", QStringLiteral("本地文档资料"));
    N111 = item("N111", QStringLiteral("修改数据库"));
    N111->setVisible(false);
    N6 = item("N6", QStringLiteral("查询资料"));
    N3 = aa1->addSeparator();
    N3->setObjectName(QStringLiteral("N3"));
    N2 = item("N2", QStringLiteral("关于我们"));
    N221 = item("N221", QStringLiteral("退出"));

    ui::bindEvent(N1, &QAction::triggered, this, [this] { N1Click(); });
    ui::bindEvent(N111, &QAction::triggered, this, [this] { N111Click(); });
    ui::bindEvent(N6, &QAction::triggered, this, [this] { N6Click(); });
    ui::bindEvent(N2, &QAction::triggered, this, [this] { N2Click(); });
    ui::bindEvent(N221, &QAction::triggered, this, [this] { N221Click(); });
}

QMenu* TFrmMain::dropDownOf(QAction* item)
{
    if (!item->menu()) {
        auto* menu = new QMenu(this);
        menu->setFont(windowFont());
        item->setMenu(menu);
    }
    return item->menu();
}

QAction* TFrmMain::addFirstLevel(const QString& sheng)
{
    // A plain item until it gets a second-level menu: a menu without
    // entries drops nothing down.
    auto* item = new QAction(menuText(QStringLiteral("【") + sheng + QStringLiteral("】")), this);
    item->setProperty(storedNameProperty, sheng);
    menuBar()->addAction(item);
    return item;
}

QAction* TFrmMain::addSecondLevel(QAction* firstLevel, const QString& diqu)
{
    QAction* item = dropDownOf(firstLevel)->addAction(menuText(diqu));
    item->setProperty(storedNameProperty, diqu);
    return item;
}

void TFrmMain::addEntry(QAction* secondLevel, const QString& dtMing, qint64 key)
{
    QAction* item = dropDownOf(secondLevel)->addAction(menuText(dtMing));
    item->setData(key);
    item->setProperty(storedNameProperty, dtMing);
    ui::bindEvent(item, &QAction::triggered, this, [this, item] { MyClick(item); });
}

qint64 TFrmMain::entryKey(const QAction* item)
{
    return item->data().toLongLong();
}

QString TFrmMain::entryName(const QAction* item)
{
    return item->property(storedNameProperty).toString();
}

QLabel* TFrmMain::statusPanel(int index) const
{
    return index == 0 ? m_panel0 : m_panel1;
}

void TFrmMain::FormCreate()
{
    MenuBuilder builder(*this);
    walkCatalogue(*m_store, builder);
}

void TFrmMain::MyClick(QAction* sender)
{
    // By the row's key: entries may share a name, and each item opens its own.
    data::QueryDataset& query = *m_store->ADOQuery1;
    query.clearSql();
    query.addSql(QStringLiteral("select * from diantai where 编号=?"));
    query.setBindValues({entryKey(sender)});
    query.open();
    const bool found = !query.eof();
    const QString relative = found ? query.fieldText(QStringLiteral("dt_wangzhi")) : QString();
    query.close();
    if (!found) {
        ui::MessageBox::notice(
            this,
            QStringLiteral("目录中已没有“%1”这个条目，它可能已被删除。").arg(entryName(sender)));
        return;
    }
    openDocument(this, relative);
}

void TFrmMain::N1Click()
{
    const QString name = ui::FileDialog::getOpenFileName(this, QStringLiteral("*.doc (*.doc)"));
    if (!name.isEmpty())
        ui::Opener::open(name);
}

void TFrmMain::N111Click()
{
    showMaintenanceWindow(this, *m_store);
}

void TFrmMain::N6Click()
{
    showSearchWindow(this, *m_store);
}

void TFrmMain::N2Click()
{
    TMac_About::showArchivaAbout(this);
}

void TFrmMain::N221Click()
{
    close();
}

void TFrmMain::Timer1Timer()
{
    showClock(QDateTime::currentDateTime());
}

void TFrmMain::showClock(const QDateTime& now)
{
    m_panel0->setText(QStringLiteral("当前时间：") + ui::clockText(now));
}

} // namespace archiva
