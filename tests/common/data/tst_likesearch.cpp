#include "enginefixture.h"

#include "common/data/connection.h"
#include "common/data/dataerror.h"
#include "common/data/likepattern.h"
#include "common/data/querydataset.h"

#include <QTemporaryDir>
#include <QTest>

using data::Connection;
using data::LikePattern;
using data::QueryDataset;

namespace {

// Texts that tell the matchers apart: case, CJK, wildcard characters as
// text, characters of every UTF-8 length, empty, null.
const char* const rows = R"sql(
CREATE TABLE t (id INTEGER PRIMARY KEY, txt TEXT, other TEXT);
INSERT INTO t (txt, other) VALUES
    ('abc', 'x'), ('ABC', 'x'), ('aXc', 'y'), ('ac', 'y'), ('abcabc', 'z'),
    ('混凝土结构', 'x'), ('混_土', 'x'), ('混凝 土', 'y'),
    ('100% 检测', 'x'), ('100 检测', 'y'), ('a_c', 'z'),
    ('Steel Frame', 'x'), ('steel_frame', 'y'), ('STEEL-FRAME-STEEL', 'z'),
    ('café', 'x'), ('CAFÉ', 'y'), ('😀 smile', 'z'), ('say "hi"', 'x'), ('O''Neil', 'y'),
    ('', 'x'), (NULL, 'y'), ('a', NULL), ('ab', 'ab'),
    -- Long texts, searched sixteen places at a time: hits and near misses
    -- at every offset, a NUL (the engine stops there), and a character that
    -- runs on past a searched one.
    ('The quick brown fox jumps over the lazy dog: Steel Frame, 混凝土结构 and 100% 检测', 'x'),
    ('0123456789cdefgh0123456789CDEFGH 钢结构工程施工质量验收规范 GB 50205-2020 CURTAIN wall', 'y'),
    ('xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx 混合土 混_土 混凝 土 steel-frame 凝土', 'z'),
    ('xyz' || char(0) || ' after a NUL: 混凝土结构 steel frame 0123456789cdefgh', 'x'),
    (CAST(X'303132333435363738396364656667683031323320E6B7B7E5879DE59C9FBF20E7BB93E69E84207461696C'
          AS TEXT), 'y');
)sql";

// clang-format off
const QStringList patterns{
    "",        "%",           "%%",           "_",      "%a%",     "%A%",
    "a%",      "%c",          "a_c",          "_b_",    "%_%",     "___",
    "%混_土%", "混%",         "%土",          "%100%%", "%\\_%",   "%steel%frame%",
    "%STEEL%", "steel_frame", "%é%",          "%É%",    "caf_",    "_ smile",
    "%😀%",     "%\"%",        "%'%",          "ab%ab",  "%ab%ab%", "a%b%c",
    "%b%",     "%凝 %",       "%FRAME-STEEL", "%%a%%",  "_%_",     "%x%y%",
    "%混凝土%", "%混凝%",      "%凝土",        "%steel frame%", "%STEEL FRAME%",
    "%curtain WALL", "%gb 50205%", "%0123456789CDEFGH%", "%钢结构工程%规范%",
    "%tail",   "%检测",       "%fox%dog%",    "%after%", "xyz%"};
// clang-format on

} // namespace

class TestLikeSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameAsTheEngine_data();
    void sameAsTheEngine();
    void twoConditions();
    void memoryAnswersOnlyWhileUnchanged();

private:
    QString path() const { return m_dir.filePath(QStringLiteral("like.db")); }
    QStringList engine(const QString& sql, const QStringList& values) const
    {
        return fixture::column(path(), sql, values, engine::password());
    }

    QTemporaryDir m_dir;
};

void TestLikeSearch::initTestCase()
{
    engine::make(path(), QString::fromUtf8(rows));
}

void TestLikeSearch::sameAsTheEngine_data()
{
    QTest::addColumn<QString>("pattern");
    for (const QString& p : patterns)
        QTest::newRow(qPrintable(p.isEmpty() ? QStringLiteral("(empty)") : p)) << p;
}

void TestLikeSearch::sameAsTheEngine()
{
    QFETCH(QString, pattern);
    // The engine's own LIKE, on a handle without our matcher.
    const QStringList expected =
        engine(QStringLiteral("select id from t where txt like ?"), {pattern});

    // The matcher alone, on the bytes as stored (not all of them valid
    // UTF-8) up to the first NUL, where the engine stops.
    const QStringList texts = engine(QStringLiteral("select txt from t"), {});
    const QStringList stored = engine(QStringLiteral("select hex(txt) from t"), {});
    const QStringList ids = engine(QStringLiteral("select id from t"), {});
    QStringList direct;
    const LikePattern compiled(pattern.toUtf8().toStdString());
    for (int i = 0; i < ids.size(); ++i) {
        if (texts[i] == QLatin1String("<null>"))
            continue;
        QByteArray bytes = QByteArray::fromHex(stored[i].toLatin1());
        if (bytes.contains('\0'))
            bytes.truncate(bytes.indexOf('\0'));
        if (compiled.matches(std::string_view(bytes.constData(), std::size_t(bytes.size()))))
            direct << ids[i];
    }
    QCOMPARE(direct, expected);

    // Through a connection: first by statement, then from memory.
    Connection connection;
    connection.setConnectionString(engine::connectionString(path()));
    QueryDataset query(QStringLiteral("ADOQuery1"), &connection);
    auto idsOf = [&] {
        QStringList out;
        for (query.first(); !query.eof(); query.next())
            out << query.fieldText(QStringLiteral("id"));
        return out;
    };
    query.setSql(QStringLiteral("select * from t where txt like ?"), {pattern});
    query.open();
    QVERIFY(!query.answeredFromMemory());
    QCOMPARE(idsOf(), expected);

    query.setSql(QStringLiteral("select * from  t "));
    query.open();
    query.setSql(QStringLiteral("select * from  t where txt like ?"), {pattern});
    query.open();
    QVERIFY(query.answeredFromMemory());
    QCOMPARE(idsOf(), expected);
    QCOMPARE(query.recordCount(), expected.size());
}

void TestLikeSearch::twoConditions()
{
    Connection connection;
    connection.setConnectionString(engine::connectionString(path()));
    QueryDataset query(QStringLiteral("ADOQuery1"), &connection);
    query.setSql(QStringLiteral("select * from t"));
    query.open();
    const QString sql = QStringLiteral("select * from t where txt like ? and other like ?");
    for (const QStringList& values :
         {QStringList{"%a%", "%x%"}, QStringList{"%", "%"}, QStringList{"%c%", "y"}}) {
        query.setSql(sql, {values[0], values[1]});
        query.open();
        QVERIFY(query.answeredFromMemory());
        QStringList got;
        for (query.first(); !query.eof(); query.next())
            got << query.fieldText(QStringLiteral("id"));
        QCOMPARE(got, engine(QStringLiteral("select id from t where txt like ? and other like ?"),
                             values));
    }
}

void TestLikeSearch::memoryAnswersOnlyWhileUnchanged()
{
    const QString file = m_dir.filePath(QStringLiteral("changing.db"));
    engine::make(file, QString::fromUtf8(rows));
    Connection connection;
    connection.setConnectionString(engine::connectionString(file));
    QueryDataset query(QStringLiteral("ADOQuery1"), &connection);
    auto search = [&](const QString& pattern) {
        query.setSql(QStringLiteral("select * from t where txt like ?"), {pattern});
        query.open();
        return query.recordCount();
    };
    query.setSql(QStringLiteral("select * from t"));
    query.open();
    QCOMPARE(search(QStringLiteral("%abc%")), 3);
    QVERIFY(query.answeredFromMemory());

    // Another program changes a row: the statement runs again.
    engine::execute(file, QStringLiteral("UPDATE t SET txt = 'zzz' WHERE id = 1"));
    QCOMPARE(search(QStringLiteral("%abc%")), 2);
    QVERIFY(!query.answeredFromMemory());
    QCOMPARE(search(QStringLiteral("%zzz%")), 1);
    QVERIFY(!query.answeredFromMemory());

    // A whole-table read again, then a change through this connection.
    query.setSql(QStringLiteral("select * from t"));
    query.open();
    QCOMPARE(search(QStringLiteral("%ab%")), 3);
    QVERIFY(query.answeredFromMemory());
    query.edit();
    query.setFieldText(QStringLiteral("txt"), QStringLiteral("ab-edited"));
    query.post();
    QCOMPARE(search(QStringLiteral("%edited%")), 1);
    QVERIFY(!query.answeredFromMemory());

    // A column the table lacks goes to the engine, which says so.
    query.setSql(QStringLiteral("select * from t"));
    query.open();
    query.setSql(QStringLiteral("select * from t where nosuch like ?"), {QStringLiteral("%")});
    QVERIFY_THROWS_EXCEPTION(data::DataError, query.open());
}

QTEST_GUILESS_MAIN(TestLikeSearch)
#include "tst_likesearch.moc"
