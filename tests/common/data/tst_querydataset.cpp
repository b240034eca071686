#include "enginefixture.h"

#include "common/data/connection.h"
#include "common/data/dataerror.h"
#include "common/data/querydataset.h"

#include <QTemporaryDir>
#include <QTest>

using data::Connection;
using data::DataError;
using data::Dataset;
using data::QueryDataset;

namespace {

const char* const rows = R"sql(
INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES
    ('混凝土结构设计', 'a\1.doc', 'x'),
    ('钢结构 "节点" 做法', 'a\2.doc', 'x'),
    ('O''Neil 说明', 'a\3.doc', 'y'),
    ('100% 检测', 'a\4.doc', 'y'),
    ('Steel Frame', 'a\5.doc', 'y'),
    ('steel_frame', 'a\6.doc', 'z'),
    (NULL, 'a\7.doc', 'z'),
    ('', 'a\8.doc', 'z');
)sql";

QStringList column(QueryDataset& q, const QString& field)
{
    QStringList out;
    for (q.first(); !q.eof(); q.next())
        out << q.fieldText(field);
    return out;
}

} // namespace

class TestQueryDataset : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void likeMatching_data();
    void likeMatching();
    void statementLinesAndClosing();
    void closedQueryExplainsItself();
    void badStatementStaysClosed();
    void editsGoBackToTheTableByKey();
    void conflictingEditFails();
    void computedResultIsReadOnly();
    void wrongNumberOfValues();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("tvurl.dat")); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<QueryDataset> m_query;
};

void TestQueryDataset::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    engine::make(path(), QString::fromUtf8(schema::catalogue) + QString::fromUtf8(rows));
    m_connection = std::make_unique<Connection>();
    m_connection->setConnectionString(engine::connectionString(path()));
    m_query = std::make_unique<QueryDataset>(QStringLiteral("ADOQuery1"), m_connection.get());
}

void TestQueryDataset::cleanup()
{
    m_query.reset();
    m_connection.reset();
    m_dir.reset();
}

void TestQueryDataset::likeMatching_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty: every named entry") << ""
                                              << QStringList{"混凝土结构设计",
                                                             "钢结构 \"节点\" 做法",
                                                             "O'Neil 说明",
                                                             "100% 检测",
                                                             "Steel Frame",
                                                             "steel_frame",
                                                             ""};
    QTest::newRow("middle of a name")
        << "结构" << QStringList{"混凝土结构设计", "钢结构 \"节点\" 做法"};
    QTest::newRow("no match") << "桥梁" << QStringList();
    QTest::newRow("double quote") << "\"节点\"" << QStringList{"钢结构 \"节点\" 做法"};
    QTest::newRow("single quote") << "O'Neil" << QStringList{"O'Neil 说明"};
    QTest::newRow("Latin in other case") << "STEEL" << QStringList{"Steel Frame", "steel_frame"};
    QTest::newRow("% is a wildcard") << "凝%设" << QStringList{"混凝土结构设计"};
    QTest::newRow("_ is one character")
        << "steel_frame" << QStringList{"Steel Frame", "steel_frame"};
    QTest::newRow("_ is one CJK character") << "混_土" << QStringList{"混凝土结构设计"};
    QTest::newRow("lone %") << "%"
                            << QStringList{"混凝土结构设计",
                                           "钢结构 \"节点\" 做法",
                                           "O'Neil 说明",
                                           "100% 检测",
                                           "Steel Frame",
                                           "steel_frame",
                                           ""};
}

void TestQueryDataset::likeMatching()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    m_query->clearSql();
    m_query->addSql(QStringLiteral("select * from diantai where dt_ming like ? "));
    m_query->setBindValues({QStringLiteral("%") + typed + QStringLiteral("%")});
    m_query->open();
    QCOMPARE(m_query->recordCount(), expected.size());
    QCOMPARE(column(*m_query, QStringLiteral("dt_ming")), expected);
}

void TestQueryDataset::statementLinesAndClosing()
{
    m_query->addSql(QStringLiteral("select * from diantai"));
    m_query->addSql(QStringLiteral("where diqu = ?"));
    m_query->setBindValues({QStringLiteral("y")});
    m_query->open();
    QCOMPARE(m_query->recordCount(), 3);
    QCOMPARE(m_query->fieldNames(), (QStringList{"dt_ming", "dt_wangzhi", "diqu", "编号"}));
    // Changing the text closes the result.
    m_query->clearSql();
    QVERIFY(!m_query->active());
    QVERIFY(m_query->sql().isEmpty());
}

void TestQueryDataset::closedQueryExplainsItself()
{
    try {
        m_query->recordCount();
        QFAIL("no result yet");
    } catch (const DataError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("还没有查询结果")), qPrintable(e.message()));
    }
}

void TestQueryDataset::badStatementStaysClosed()
{
    m_query->addSql(QStringLiteral("select * from diantai where dt_ming like \"%\"节点%\" "));
    try {
        m_query->open();
        QFAIL("malformed");
    } catch (const DataError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("SQL 语句有误")), qPrintable(e.message()));
    }
    QVERIFY(!m_query->active());
}

void TestQueryDataset::editsGoBackToTheTableByKey()
{
    m_query->setSql(QStringLiteral("select * from diantai where diqu = ?"), {QStringLiteral("z")});
    m_query->open();
    QVERIFY(m_query->canModify());
    QCOMPARE(m_query->updateTable(), QStringLiteral("diantai"));
    m_query->next();
    m_query->edit();
    m_query->setFieldText(QStringLiteral("dt_ming"), QStringLiteral("补名"));
    m_query->post();
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT dt_ming FROM diantai WHERE 编号 = 7")),
             QStringLiteral("补名"));
    m_query->remove();
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT count(*) FROM diantai")),
             QStringLiteral("7"));
    QCOMPARE(m_query->recordCount(), 2);
}

void TestQueryDataset::conflictingEditFails()
{
    m_query->setSql(QStringLiteral("select * from diantai"));
    m_query->open();
    engine::execute(path(), QStringLiteral("UPDATE diantai SET diqu = 'moved' WHERE 编号 = 1"));
    m_query->edit();
    m_query->setFieldText(QStringLiteral("dt_wangzhi"), QStringLiteral("mine.doc"));
    QVERIFY_THROWS_EXCEPTION(DataError, m_query->post());
    QCOMPARE(engine::scalar(
                 path(), QStringLiteral("SELECT dt_wangzhi || diqu FROM diantai WHERE 编号 = 1")),
             QStringLiteral("a\\1.docmoved"));
}

void TestQueryDataset::computedResultIsReadOnly()
{
    m_query->setSql(QStringLiteral("select diqu, count(*) as n from diantai group by diqu"));
    m_query->open();
    QCOMPARE(m_query->recordCount(), 3);
    QVERIFY(!m_query->canModify());
    QVERIFY_THROWS_EXCEPTION(DataError, m_query->edit());
    QVERIFY_THROWS_EXCEPTION(DataError, m_query->remove());
}

void TestQueryDataset::wrongNumberOfValues()
{
    m_query->setSql(QStringLiteral("select * from diantai where dt_ming = ?"));
    QVERIFY_THROWS_EXCEPTION(DataError, m_query->open());
    QVERIFY(!m_query->active());
}

QTEST_GUILESS_MAIN(TestQueryDataset)
#include "tst_querydataset.moc"
