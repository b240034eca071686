#include "directory.h"

#include "common/data/connection.h"
#include "common/data/querydataset.h"
#include "common/ui/messagebox.h"
#include "firmbook/form1.h"
#include "firmbook/startup.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "common/ui/dbgrid.h"
#include "common/ui/dbmemo.h"

using firmbook::TForm1;
using ui::MessageBox;

namespace {

const QString failureText = QStringLiteral("数据库链接失败，请检验后台数据库状态！");

// How many message boxes had been shown when the directory window appeared.
class ShowWatcher : public QObject
{
public:
    int boxesBeforeShow = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<TForm1*>(watched) && boxesBeforeShow < 0)
            boxesBeforeShow = int(MessageBox::history().size());
        return false;
    }
};

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void connectionString();
    void programFolderComesFromTheExecutable_data();
    void programFolderComesFromTheExecutable();
    void goodDirectory_data();
    void goodDirectory();
    void failedConnection_data();
    void failedConnection();
    void workingFolderPlaysNoPart();

private:
    ShowWatcher m_watcher;
};

void TestStartUp::init()
{
    MessageBox::clearHistory();
    MessageBox::setAutoAnswer(true);
    m_watcher.boxesBeforeShow = -1;
    qApp->installEventFilter(&m_watcher);
}

void TestStartUp::cleanup()
{
    qApp->removeEventFilter(&m_watcher);
    MessageBox::setAutoAnswer(false);
    MessageBox::clearHistory();
}

void TestStartUp::connectionString()
{
    QCOMPARE(
        firmbook::connectionString(QStringLiteral("/opt/公司 信息/")),
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/公司 信息/data\\com.mdb;"
                       "Persist Security Info=True;Jet OLEDB:Database Password=2917061"));
}

void TestStartUp::programFolderComesFromTheExecutable_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("folder");
    QTest::newRow("plain") << "/usr/local/bin/firmbook"
                           << "/usr/local/bin/";
    QTest::newRow("blanks and Chinese") << "/home/用户/公司 信息/firmbook"
                                        << "/home/用户/公司 信息/";
    QTest::newRow("root") << "/firmbook"
                          << "/";
    QTest::newRow("no folder") << "firmbook"
                               << "";
}

void TestStartUp::programFolderComesFromTheExecutable()
{
    QFETCH(QString, executable);
    QFETCH(QString, folder);
    QCOMPARE(data::ProgramFolder::folderOf(executable), folder);
    QCOMPARE(data::ProgramFolder::path(),
             QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}

void TestStartUp::goodDirectory_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::newRow("plain folder") << QString();
    QTest::newRow("blanks and Chinese") << QStringLiteral("公司 信息/程序 目录");
}

void TestStartUp::goodDirectory()
{
    QFETCH(QString, subfolder);
    firmbooktest::DirectoryFolder folder(subfolder);
    folder.makeDirectory();

    const auto window = firmbook::startUp();

    QVERIFY2(MessageBox::history().isEmpty(), qPrintable(MessageBox::history().value(0).text));
    QCOMPARE(ui::applicationTitle(), QStringLiteral("公司信息"));
    QCOMPARE(firmbook::Form1, window.get());
    QVERIFY(window->isVisible());
    QVERIFY(window->Timer1->isActive());
    QCOMPARE(window->ADOConnection1->connectionString(),
             QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + folder.path() +
                 QStringLiteral("data\\com.mdb;Persist Security Info=True;"
                                "Jet OLEDB:Database Password=2917061"));
    QVERIFY(window->ADOConnection1->connected());
    QVERIFY(!window->ADOConnection1->loginPrompt());
    QCOMPARE(QFileInfo(window->ADOConnection1->databasePath()), QFileInfo(folder.database()));
    QCOMPARE(window->statusPanel(0)->text(), QStringLiteral("共找到记录 5条"));
    QCOMPARE(window->DBGrid1->model()->rowCount(), 5);
}

void TestStartUp::failedConnection_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("cause");
    QTest::newRow("missing file") << "missing"
                                  << "找不到数据库文件";
    QTest::newRow("another password") << "password"
                                      << "无法打开数据库文件";
    QTest::newRow("not a database") << "garbage"
                                    << "无法打开数据库文件";
    QTest::newRow("a folder in its place") << "folder"
                                           << "文件夹";
}

// The plain message first, then the window all the same, whose first query
// tries again and reports the cause; every search tries again.
void TestStartUp::failedConnection()
{
    QFETCH(QString, kind);
    QFETCH(QString, cause);
    firmbooktest::DirectoryFolder folder;
    if (kind == QLatin1String("password"))
        folder.makeDirectory(QString::fromUtf8(firmbooktest::sampleRows),
                             QStringLiteral("2917060"));
    else if (kind == QLatin1String("garbage"))
        fixture::writeFile(folder.database(), QByteArray(4096, 'x'));
    else if (kind == QLatin1String("folder"))
        QDir().mkpath(folder.database());

    const auto window = firmbook::startUp();

    QCOMPARE(MessageBox::history().size(), 2);
    const MessageBox::Record plain = MessageBox::history().at(0);
    QCOMPARE(plain.kind, MessageBox::Kind::Plain);
    QCOMPARE(plain.icon, QMessageBox::NoIcon);
    QCOMPARE(plain.caption, QStringLiteral("公司信息"));
    QCOMPARE(plain.text, failureText);
    QCOMPARE(plain.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(m_watcher.boxesBeforeShow, 1);

    const MessageBox::Record error = MessageBox::history().at(1);
    QCOMPARE(error.kind, MessageBox::Kind::Error);
    QCOMPARE(error.icon, QMessageBox::Critical);
    QCOMPARE(error.caption, QStringLiteral("公司信息"));
    QVERIFY2(error.text.contains(cause), qPrintable(error.text));
    QVERIFY(error.text != failureText);

    QVERIFY(window->isVisible());
    QVERIFY(!window->ADOConnection1->connected());
    QCOMPARE(window->DBGrid1->model()->rowCount(), 0);
    QCOMPARE(window->DBMemo1->toPlainText(), QString());
    QCOMPARE(window->statusPanel(0)->text(), QString());

    QTest::mouseClick(window->BitBtn1, Qt::LeftButton);
    QCOMPARE(MessageBox::history().size(), 3);
    QCOMPARE(MessageBox::history().at(2).kind, MessageBox::Kind::Error);
    QCOMPARE(window->statusPanel(0)->text(), QString());

    // Once the directory is in place, the next search finds it.
    QDir(folder.database()).removeRecursively();
    folder.makeDirectory();
    window->Edit1->setText(QStringLiteral("通达"));
    QTest::mouseClick(window->BitBtn1, Qt::LeftButton);
    QCOMPARE(MessageBox::history().size(), 3);
    QCOMPARE(window->statusPanel(0)->text(), QStringLiteral("共找到记录 2条"));
    QVERIFY(window->ADOConnection1->connected());
}

void TestStartUp::workingFolderPlaysNoPart()
{
    const QString executableFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    if (QFileInfo::exists(executableFolder + QStringLiteral("data/com.mdb")))
        QSKIP("a directory lies beside the test program");
    QTemporaryDir elsewhere;
    QDir().mkpath(elsewhere.path() + QStringLiteral("/data"));
    fixture::makeDatabase(elsewhere.path() + QStringLiteral("/data/com.mdb"),
                          QString::fromUtf8(schema::directory), firmbooktest::password);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));

    const auto window = firmbook::startUp();
    QDir::setCurrent(previous);

    QVERIFY(window->ADOConnection1->connectionString().contains(
        QStringLiteral("Data Source=") + executableFolder + QStringLiteral("data\\com.mdb;")));
    QVERIFY(!MessageBox::history().isEmpty());
    QCOMPARE(MessageBox::history().first().text, failureText);
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
