#include "enginefixture.h"

#include "common/data/connection.h"
#include "common/data/dataerror.h"
#include "common/data/tabledataset.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using data::Connection;
using data::DataError;

class TestConnection : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void connectsToGoodFile();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void backslashIsSeparator();
    void datasetOpenRetriesConnect();
    void lockedFileFailsAfterBusyTimeout();
    void newStringDisconnectsAndClosesDatasets();
    void wrongPasswordLikeNoDatabase();

private:
    QString file(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestConnection::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    engine::make(file(QStringLiteral("good.db")), QString::fromUtf8(schema::catalogue));
}

void TestConnection::connectsToGoodFile()
{
    Connection c;
    c.setConnectionString(engine::connectionString(file(QStringLiteral("good.db"))));
    QVERIFY(!c.connected());
    c.setConnected(true);
    QVERIFY(c.connected());
    c.setConnected(true); // same value: nothing happens
    QVERIFY(c.connected());
    QCOMPARE(c.databasePath(), file(QStringLiteral("good.db")));
    c.setConnected(false);
    QVERIFY(!c.connected());
}

void TestConnection::refusesBadFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: no file; "dir": a folder
    QTest::addColumn<QString>("expected");

    QTest::newRow("missing") << "missing.db" << QByteArray() << "找不到数据库文件";
    QTest::newRow("folder") << "folder.db" << QByteArray("dir") << "是一个文件夹";
    QTest::newRow("text file") << "notes.db" << QByteArray(4096, 'x') << "不是有效的数据库文件";
    QTest::newRow("empty-named junk")
        << "junk.mdb" << QByteArray("Standard Jet DB\0\0\0\0 not really", 31)
        << "不是有效的数据库文件";
}

void TestConnection::refusesBadFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    const QString path = file(name);
    if (content == "dir")
        QVERIFY(QDir(m_dir->path()).mkdir(name));
    else if (!content.isEmpty())
        fixture::writeFile(path, content);

    Connection c;
    c.setConnectionString(engine::connectionString(path));
    try {
        c.open();
        QFAIL("connect should fail");
    } catch (const DataError& e) {
        QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
    QVERIFY(!c.connected());
    // Connecting never creates a file.
    if (content.isEmpty())
        QVERIFY(!QFile::exists(path));
    else if (content != "dir")
        QCOMPARE(QFileInfo(path).size(), qint64(content.size()));
}

void TestConnection::backslashIsSeparator()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("data")));
    QVERIFY(QFile::rename(file(QStringLiteral("good.db")), file(QStringLiteral("data/x.db"))));
    Connection c;
    c.setConnectionString(engine::connectionString(m_dir->path() + QStringLiteral("/data\\x.db")));
    c.open();
    QVERIFY(c.connected());
}

void TestConnection::datasetOpenRetriesConnect()
{
    const QString path = file(QStringLiteral("later.db"));
    Connection c;
    c.setConnectionString(engine::connectionString(path));
    data::TableDataset sheng(QStringLiteral("ADOsheng"), &c, QStringLiteral("sheng"),
                             {QStringLiteral("sheng"), QStringLiteral("编号")});
    QVERIFY_THROWS_EXCEPTION(DataError, sheng.open());
    QVERIFY(!c.connected());
    QVERIFY(!sheng.active());

    engine::make(path, QString::fromUtf8(schema::catalogue) +
                           QStringLiteral("INSERT INTO sheng(sheng) VALUES('规范');"));
    sheng.open();
    QVERIFY(c.connected());
    QCOMPARE(sheng.recordCount(), 1);
}

void TestConnection::lockedFileFailsAfterBusyTimeout()
{
    const QString path = file(QStringLiteral("good.db"));
    Connection c;
    c.setConnectionString(engine::connectionString(path));
    c.setBusyTimeout(50);
    {
        const fixture::ExclusiveLock lock(path, engine::password());
        try {
            c.open();
            QFAIL("connect should fail while another program holds the file");
        } catch (const DataError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("锁定")), qPrintable(e.message()));
            QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        }
        QVERIFY(!c.connected());
    }
    c.open();
    QVERIFY(c.connected());
}

void TestConnection::newStringDisconnectsAndClosesDatasets()
{
    Connection c;
    c.setConnectionString(engine::connectionString(file(QStringLiteral("good.db"))));
    data::TableDataset sheng(QStringLiteral("ADOsheng"), &c, QStringLiteral("sheng"),
                             {QStringLiteral("sheng")});
    sheng.open();
    QSignalSpy disconnecting(&c, &Connection::disconnecting);
    c.setConnectionString(engine::connectionString(file(QStringLiteral("other.db"))));
    QCOMPARE(disconnecting.count(), 1);
    QVERIFY(!c.connected());
    QVERIFY(!sheng.active());
}

void TestConnection::wrongPasswordLikeNoDatabase()
{
#if defined(DATA_ENGINE_SQLCIPHER)
    const QString path = file(QStringLiteral("other.mdb"));
    fixture::makeDatabase(path, QString::fromUtf8(schema::directory), QStringLiteral("1234567"));
    QString wrong;
    QString notDb;
    Connection c;
    c.setConnectionString(engine::connectionString(path));
    try {
        c.open();
    } catch (const DataError& e) {
        wrong = e.message();
    }
    fixture::writeFile(file(QStringLiteral("x.mdb")), QByteArray(4096, 'x'));
    c.setConnectionString(engine::connectionString(file(QStringLiteral("x.mdb"))));
    try {
        c.open();
    } catch (const DataError& e) {
        notDb = e.message();
    }
    QVERIFY(!wrong.isEmpty());
    QCOMPARE(wrong, notDb.replace(file(QStringLiteral("x.mdb")), path));

    // A plain, unencrypted file is no directory either.
    fixture::makeDatabase(file(QStringLiteral("plain.mdb")), QString::fromUtf8(schema::directory));
    c.setConnectionString(engine::connectionString(file(QStringLiteral("plain.mdb"))));
    QVERIFY_THROWS_EXCEPTION(DataError, c.open());
#else
    QSKIP("the catalogue has no password");
#endif
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
