#include "programfolder.h"

#include "archiva/cataloguestore.h"
#include "archiva/frmmain.h"
#include "archiva/maintenance/frmurl.h"
#include "archiva/startup.h"
#include "common/ui/filedialog.h"
#include "common/ui/messagebox.h"
#include "common/ui/opener.h"
#include "common/ui/skin.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using archiva::TFrmMain;
using ui::MessageBox;

namespace {

// The menu bar as lines, one per item, indented by level; "+" marks an item
// that drops down a menu.
void describe(const QList<QAction*>& actions, int level, QStringList& out)
{
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        out << QString(level * 2, QLatin1Char(' ')) + action->text() +
                   (action->menu() ? QStringLiteral(" +") : QString());
        if (action->menu())
            describe(action->menu()->actions(), level + 1, out);
    }
}

QStringList describe(const TFrmMain& window)
{
    QStringList out;
    const QList<QAction*> bar = window.menuBar()->actions();
    // The fixed command menu has tests of its own.
    describe(bar.mid(1), 0, out);
    return out;
}

// The item reached through these captions, as the user reads them.
QAction* item(const TFrmMain& window, const QStringList& path)
{
    QList<QAction*> actions = window.menuBar()->actions();
    QAction* found = nullptr;
    for (const QString& caption : path) {
        found = nullptr;
        for (QAction* action : actions) {
            if (action->text() == caption) {
                found = action;
                break;
            }
        }
        if (!found)
            return nullptr;
        actions = found->menu() ? found->menu()->actions() : QList<QAction*>();
    }
    return found;
}

QList<QAction*> entries(const TFrmMain& window)
{
    QList<QAction*> out;
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->data().isValid())
            out << action;
    }
    return out;
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fixedMenu();
    void catalogueMenus_data();
    void catalogueMenus();
    void plainItemsDoNothing();
    void entriesOpenTheirOwnFile_data();
    void entriesOpenTheirOwnFile();
    void documentPaths_data();
    void documentPaths();
    void entryRemovedSinceStart();
    void queryFailureGoesToErrorBox();
    void missingCatalogue();
    void failureAfterOpening();
    void localDocument_data();
    void localDocument();
    void exitCloses();
    void commandWindows_data();
    void commandWindows();
    void maintenanceReachesMenusAfterRestart();
    void clock_data();
    void clock();
    void clockTicks();

private:
    std::unique_ptr<TFrmMain> create();

    QStringList m_opened;
};

void TestFrmMain::initTestCase()
{
    // The skin comes with the main window, not before.
    QVERIFY(!ui::skinApplied());
}

void TestFrmMain::init()
{
    m_opened.clear();
    ui::Opener::setHandler([this](const QString& path) { m_opened << path; });
    MessageBox::clearHistory();
    MessageBox::setAutoAnswer(false);
}

void TestFrmMain::cleanup()
{
    ui::Opener::reset();
    MessageBox::setAutoAnswer(false);
    MessageBox::clearHistory();
}

std::unique_ptr<TFrmMain> TestFrmMain::create()
{
    // Any box creation shows would be recorded, not shown.
    MessageBox::setAutoAnswer(true);
    auto window = archiva::createMainWindow();
    MessageBox::setAutoAnswer(false);
    return window;
}

void TestFrmMain::fixedMenu()
{
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(QStringLiteral("INSERT INTO sheng(sheng) VALUES ('甲');"));
    const auto window = create();
    QVERIFY(MessageBox::history().isEmpty());
    QVERIFY(ui::skinApplied());

    QCOMPARE(window->windowTitle(), QStringLiteral("Buildoc"));
    QVERIFY(window->windowState().testFlag(Qt::WindowMaximized));

    const QList<QAction*> bar = window->menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar.at(0)->menu(), window->aa1);
    QCOMPARE(bar.at(0)->text(), QStringLiteral("【操作】"));
    QCOMPARE(bar.at(1)->text(), QStringLiteral("【甲】"));

    QStringList names, captions, visible;
    for (QAction* action : window->aa1->actions()) {
        names << action->objectName();
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (action->isVisible())
            visible << action->objectName();
        QVERIFY(action->shortcut().isEmpty());
    }
    QCOMPARE(names, (QStringList{"N1", "N111", "N6", "N3", "N2", "N221"}));
    QCOMPARE(captions,
             (QStringList{"本地文档资料", "修改数据库", "查询资料", "-", "关于我们", "退出"}));
    QCOMPARE(visible, (QStringList{"N1", "N6", "N3", "N2", "N221"}));
}

void TestFrmMain::catalogueMenus_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QStringList>("menus");

    QTest::newRow("empty sheng") << QString() << QStringList();

    QTest::newRow("no drop-down without children")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('空'), ('规范');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('钢结构', '规范');")
        << QStringList{"【空】", "【规范】 +", "  钢结构"};

    QTest::newRow("shared second-level name")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('设计'), ('施工');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('钢结构', '设计'), "
                          "('钢结构', '施工');"
                          "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                          "('节点', 'a.doc', '钢结构');")
        << QStringList{"【设计】 +", "  钢结构 +", "    节点",
                       "【施工】 +", "  钢结构 +", "    节点"};

    QTest::newRow("orphans never shown")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('设计');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('孤儿', '无此菜单');"
                          "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                          "('失散', 'x.doc', '孤儿'), ('无主', 'y.doc', '无此分类');")
        << QStringList{"【设计】"};

    // Shown as stored: '&' is doubled so that Qt draws it instead of
    // taking it for a mnemonic marker.
    QTest::newRow("ampersand and quote")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('A&B');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('O''Neil', 'A&B');"
                          "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                          "('R&D 说明', 'a.doc', 'O''Neil'), ('&&', 'b.doc', 'O''Neil');")
        << QStringList{"【A&&B】 +", "  O'Neil +", "    R&&D 说明", "    &&&&"};
}

void TestFrmMain::catalogueMenus()
{
    QFETCH(QString, rows);
    QFETCH(QStringList, menus);
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(rows);
    const auto window = create();
    QVERIFY(MessageBox::history().isEmpty());
    QCOMPARE(describe(*window), menus);
    for (QAction* entry : entries(*window)) {
        QString shown = entry->text();
        shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
        QCOMPARE(TFrmMain::entryName(entry), shown);
    }
}

void TestFrmMain::plainItemsDoNothing()
{
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(
        QStringLiteral("INSERT INTO sheng(sheng) VALUES ('空'), ('规范');"
                       "INSERT INTO diqu(diqu, sheng) VALUES ('钢结构', '规范');"));
    const auto window = create();
    item(*window, {"【空】"})->trigger();
    item(*window, {"【规范】", "钢结构"})->trigger();
    QVERIFY(m_opened.isEmpty());
    QVERIFY(MessageBox::history().isEmpty());
}

void TestFrmMain::entriesOpenTheirOwnFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("节点做法");
    QTest::newRow("ampersand") << QStringLiteral("R&D 说明");
    QTest::newRow("single quote") << QStringLiteral("O'Neil 说明");
}

// Every item opens the file of its own row, even when two entries share a
// name.
void TestFrmMain::entriesOpenTheirOwnFile()
{
    QFETCH(QString, name);
    archivatest::ProgramFolder folder;
    QString sqlName = name;
    sqlName.replace(QLatin1Char('\''), QStringLiteral("''"));
    folder.makeCatalogue(QStringLiteral("INSERT INTO sheng(sheng) VALUES ('设计');"
                                        "INSERT INTO diqu(diqu, sheng) VALUES ('一', '设计'), "
                                        "('二', '设计');"
                                        "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                                        "('%1', '资料\\first.doc', '一'), "
                                        "('%1', '资料\\second.doc', '二'), "
                                        "('%1', '资料\\third.doc', '二');")
                             .arg(sqlName));
    const QString first = folder.addFile(QStringLiteral("资料/first.doc"));
    const QString second = folder.addFile(QStringLiteral("资料/second.doc"));
    const QString third = folder.addFile(QStringLiteral("资料/third.doc"));
    const auto window = create();

    QString caption = name;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const QList<QAction*> two = item(*window, {"【设计】", "二"})->menu()->actions();
    QCOMPARE(two.size(), 2);
    two.at(1)->trigger();
    two.at(0)->trigger();
    item(*window, {"【设计】", "一", caption})->trigger();

    QCOMPARE(m_opened, (QStringList{third, second, first}));
    QVERIFY(MessageBox::history().isEmpty());
}

void TestFrmMain::documentPaths_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("opened"); // relative to the folder; empty: nothing
    QTest::addColumn<QString>("notice"); // a part of the notice; empty: none

    QTest::newRow("present") << "资料/a.doc"
                             << "资料/a.doc" << QString();
    QTest::newRow("backslashes") << "资料\\a.doc"
                                 << "资料/a.doc" << QString();
    QTest::newRow("missing") << "资料\\b.doc" << QString() << "资料/b.doc";
    QTest::newRow("empty") << QString() << QString() << "没有登记文档文件";
    QTest::newRow("a folder") << "资料" << QString() << "资料";
    // Still appended to the program folder, where no such file is.
    QTest::newRow("absolute") << "ABSOLUTE" << QString() << "ABSOLUTE";
}

void TestFrmMain::documentPaths()
{
    QFETCH(QString, stored);
    QFETCH(QString, opened);
    QFETCH(QString, notice);
    archivatest::ProgramFolder folder;
    folder.addFile(QStringLiteral("资料/a.doc"));
    QTemporaryDir elsewhere;
    const QString absolute = elsewhere.filePath(QStringLiteral("abs.doc"));
    QFile(absolute).open(QIODevice::WriteOnly);
    stored.replace(QStringLiteral("ABSOLUTE"), absolute);
    notice.replace(QStringLiteral("ABSOLUTE"), absolute);
    QString sqlStored = stored;
    sqlStored.replace(QLatin1Char('\''), QStringLiteral("''"));
    folder.makeCatalogue(QStringLiteral("INSERT INTO sheng(sheng) VALUES ('设计');"
                                        "INSERT INTO diqu(diqu, sheng) VALUES ('一', '设计');"
                                        "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                                        "('文档', '%1', '一');")
                             .arg(sqlStored));
    const auto window = create();

    MessageBox::setAutoAnswer(true);
    item(*window, {"【设计】", "一", "文档"})->trigger();

    QCOMPARE(m_opened, opened.isEmpty() ? QStringList() : QStringList{folder.path() + opened});
    if (notice.isEmpty()) {
        QVERIFY(MessageBox::history().isEmpty());
    } else {
        QCOMPARE(MessageBox::history().size(), 1);
        const MessageBox::Record& box = MessageBox::history().first();
        QCOMPARE(box.kind, MessageBox::Kind::Notice);
        QCOMPARE(box.caption, QStringLiteral("提示"));
        QCOMPARE(box.icon, QMessageBox::Information);
        QVERIFY2(box.text.contains(notice), qPrintable(box.text));
    }
}

void TestFrmMain::entryRemovedSinceStart()
{
    archivatest::ProgramFolder folder;
    folder.addFile(QStringLiteral("a.doc"));
    folder.makeCatalogue(QStringLiteral("INSERT INTO sheng(sheng) VALUES ('设计');"
                                        "INSERT INTO diqu(diqu, sheng) VALUES ('一', '设计');"
                                        "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                                        "('文档', 'a.doc', '一');"));
    const auto window = create();
    fixture::execute(folder.catalogue(), QStringLiteral("DELETE FROM diantai;"));

    MessageBox::setAutoAnswer(true);
    item(*window, {"【设计】", "一", "文档"})->trigger();
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().first().kind, MessageBox::Kind::Notice);
    QVERIFY(MessageBox::history().first().text.contains(QStringLiteral("文档")));
}

void TestFrmMain::queryFailureGoesToErrorBox()
{
    archivatest::ProgramFolder folder;
    folder.addFile(QStringLiteral("a.doc"));
    folder.makeCatalogue(QStringLiteral("INSERT INTO sheng(sheng) VALUES ('设计');"
                                        "INSERT INTO diqu(diqu, sheng) VALUES ('一', '设计');"
                                        "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                                        "('文档', 'a.doc', '一');"));
    const auto window = create();
    window->show();
    fixture::execute(folder.catalogue(), QStringLiteral("DROP TABLE diantai;"));

    MessageBox::setAutoAnswer(true);
    QAction* entry = item(*window, {"【设计】", "一", "文档"});
    entry->trigger();
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(MessageBox::history().size(), 1);
    const MessageBox::Record& box = MessageBox::history().first();
    QCOMPARE(box.kind, MessageBox::Kind::Error);
    QCOMPARE(box.caption, QStringLiteral("Buildoc"));
    QVERIFY2(box.text.contains(QStringLiteral("diantai")), qPrintable(box.text));

    // The program goes on: the entry works once the table is back.
    fixture::execute(folder.catalogue(),
                     QStringLiteral("CREATE TABLE diantai (dt_ming TEXT(50), dt_wangzhi "
                                    "TEXT(100), diqu TEXT(50), 编号 INTEGER PRIMARY KEY "
                                    "AUTOINCREMENT);"
                                    "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                                    "('文档', 'a.doc', '一');"));
    entry->trigger();
    QCOMPARE(m_opened, QStringList{folder.path() + QStringLiteral("a.doc")});
    QVERIFY(window->isVisible());
}

// The error box comes while the main window is still hidden; the window then
// shows with only the fixed command menu.
void TestFrmMain::missingCatalogue()
{
    archivatest::ProgramFolder folder;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool windowVisible = true;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        windowVisible = false;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<TFrmMain*>(widget) && widget->isVisible())
                windowVisible = true;
        }
        box->button(QMessageBox::Ok)->click();
    });
    const auto window = archiva::createMainWindow();

    QCOMPARE(caption, QStringLiteral("Buildoc"));
    QCOMPARE(text, QStringLiteral("找不到数据库文件“%1”.").arg(folder.catalogue()));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!windowVisible);

    window->show();
    QCOMPARE(window->menuBar()->actions().size(), 1);
    QCOMPARE(window->menuBar()->actions().first()->text(), QStringLiteral("【操作】"));
    QVERIFY(!window->store()->ADOConnection1->connected());
    QVERIFY(!QFile::exists(folder.catalogue()));
}

// A failure after the datasets were opened leaves them open.
void TestFrmMain::failureAfterOpening()
{
    archivatest::ProgramFolder folder;
    fixture::makeDatabase(folder.catalogue(),
                          QStringLiteral("CREATE TABLE sheng (sheng TEXT(50), 编号 INTEGER "
                                         "PRIMARY KEY AUTOINCREMENT);"
                                         "CREATE TABLE diqu (diqu TEXT(50), sheng TEXT(50), "
                                         "编号 INTEGER PRIMARY KEY AUTOINCREMENT);"
                                         "INSERT INTO sheng(sheng) VALUES ('甲');"));
    const auto window = create();
    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().first().kind, MessageBox::Kind::Error);
    QVERIFY(MessageBox::history().first().text.contains(QStringLiteral("diantai")));
    QCOMPARE(window->menuBar()->actions().size(), 1);
    QVERIFY(window->store()->ADOsheng->active());
    QVERIFY(window->store()->ADOdiqu->active());
}

void TestFrmMain::localDocument_data()
{
    QTest::addColumn<QString>("chosen");
    // Handed on as chosen, without looking for the file.
    QTest::newRow("chosen") << QStringLiteral("/no/such/folder/报告 1.doc");
    QTest::newRow("cancelled") << QString();
}

void TestFrmMain::localDocument()
{
    QFETCH(QString, chosen);
    archivatest::ProgramFolder folder;
    folder.makeCatalogue();
    const auto window = create();
    ui::FileDialog::setNextFileName(chosen);
    window->N1->trigger();
    QCOMPARE(ui::FileDialog::lastFilter(), QStringLiteral("*.doc (*.doc)"));
    QCOMPARE(m_opened, chosen.isEmpty() ? QStringList() : QStringList{chosen});
    QVERIFY(MessageBox::history().isEmpty());
}

void TestFrmMain::exitCloses()
{
    archivatest::ProgramFolder folder;
    folder.makeCatalogue();
    const auto window = create();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->N221->trigger();
    QVERIFY(!window->isVisible());
}

void TestFrmMain::commandWindows_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("查询资料") << "N6"
                              << "Frm_wdcx";
    QTest::newRow("修改数据库") << "N111"
                                << "FrmUrl";
    QTest::newRow("关于我们") << "N2"
                              << "Mac_About";
}

void TestFrmMain::commandWindows()
{
    QFETCH(QString, item);
    QFETCH(QString, window);
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(QStringLiteral("INSERT INTO sheng(sheng) VALUES ('甲');"));
    const auto main = create();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    auto* action = main->findChild<QAction*>(item);
    QVERIFY(action);

    // Each choice makes a new modal window owned by the main window, gone
    // once it closes.
    QList<QWidget*> seen;
    for (int round = 0; round < 2; ++round) {
        QTimer::singleShot(0, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            seen << modal;
            QCOMPARE(modal->objectName(), window);
            QCOMPARE(modal->parentWidget(), main.get());
            QVERIFY(!main->isEnabled() || modal->isModal());
            modal->close();
        });
        action->trigger();
        QCOMPARE(seen.size(), round + 1);
        QVERIFY(!main->findChild<QWidget*>(window));
    }
    QVERIFY(MessageBox::history().isEmpty());
}

void TestFrmMain::maintenanceReachesMenusAfterRestart()
{
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(QStringLiteral("INSERT INTO sheng(sheng) VALUES ('甲');"));
    const auto main = create();
    QTimer::singleShot(0, this, [] {
        auto* maintenance = qobject_cast<archiva::TFrmUrl*>(QApplication::activeModalWidget());
        QVERIFY(maintenance);
        maintenance->Edit2->setText(QStringLiteral("新菜单"));
        maintenance->Button4->click();
        maintenance->close();
    });
    main->N111->trigger();
    QCOMPARE(fixture::scalar(folder.catalogue(), QStringLiteral("SELECT count(*) FROM sheng")),
             QStringLiteral("2"));
    QCOMPARE(main->menuBar()->actions().size(), 2); // built once, at the start

    const auto restarted = create();
    const QList<QAction*> bar = restarted->menuBar()->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar.at(2)->text(), QStringLiteral("【新菜单】"));
}

void TestFrmMain::clock_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("midnight") << QTime(0, 0, 0) << QStringLiteral("当前时间：2024/3/5");
    QTest::newRow("half a second past")
        << QTime(0, 0, 0, 500) << QStringLiteral("当前时间：2024/3/5");
    QTest::newRow("one second past")
        << QTime(0, 0, 1) << QStringLiteral("当前时间：2024/3/5 00:00:01");
    QTest::newRow("afternoon") << QTime(14, 5, 9) << QStringLiteral("当前时间：2024/3/5 14:05:09");
}

void TestFrmMain::clock()
{
    QFETCH(QTime, time);
    QFETCH(QString, text);
    archivatest::ProgramFolder folder;
    folder.makeCatalogue();
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const auto window = create();
    QCOMPARE(window->statusPanel(0)->text(), QString());
    window->showClock(QDateTime(QDate(2024, 3, 5), time));
    QLocale::setDefault(previous);
    QCOMPARE(window->statusPanel(0)->text(), text);
}

void TestFrmMain::clockTicks()
{
    archivatest::ProgramFolder folder;
    folder.makeCatalogue();
    const auto window = create();
    QCOMPARE(window->Timer1->interval(), 1000);
    QVERIFY(window->Timer1->isActive());
    QVERIFY(QMetaObject::invokeMethod(window->Timer1, "timeout"));
    QVERIFY(window->statusPanel(0)->text().startsWith(QStringLiteral("当前时间：")));
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
