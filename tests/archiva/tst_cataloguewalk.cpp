#include "programfolder.h"

#include "archiva/cataloguestore.h"
#include "archiva/cataloguewalk.h"
#include "common/data/dataerror.h"

#include <QTest>

using archiva::CatalogueStore;
using archiva::walkCatalogue;

namespace {

// The tree as lines: "1 name" first level, "2 name" second, "3 name #key".
class Recorder : public archiva::CatalogueVisitor
{
public:
    QStringList lines;
    // Throws on this first-level name, as a failing menu would.
    QString failOn;

    void firstLevel(const QString& sheng) override
    {
        if (!failOn.isEmpty() && sheng == failOn)
            throw data::DataError(QStringLiteral("菜单失败"));
        lines << QStringLiteral("1 ") + sheng;
    }
    void secondLevel(const QString& diqu) override { lines << QStringLiteral("2 ") + diqu; }
    void entry(const QString& dtMing, qint64 key) override
    {
        lines << QStringLiteral("3 %1 #%2").arg(dtMing).arg(key);
    }
};

} // namespace

class TestCatalogueWalk : public QObject
{
    Q_OBJECT

private slots:
    void tree_data();
    void tree();
    void statesAfterWalk_data();
    void statesAfterWalk();
    void missingCatalogue();
    void failureKeepsWhatWasWalked();
    void missingColumn();
};

void TestCatalogueWalk::tree_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty sheng") << QString() << QStringList();

    QTest::newRow("first level without children")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('空');")
        << QStringList{QStringLiteral("1 空")};

    QTest::newRow("second level without entries")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('规范');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('钢结构', '规范');")
        << QStringList{QStringLiteral("1 规范"), QStringLiteral("2 钢结构")};

    // Related by name: a second-level name under two first-level menus
    // shows the same entries under both.
    QTest::newRow("shared second-level name")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('设计'), ('施工');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('钢结构', '设计'), "
                          "('钢结构', '施工');"
                          "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                          "('节点', 'a.doc', '钢结构'), ('涂装', 'b.doc', '钢结构');")
        << QStringList{QStringLiteral("1 设计"),    QStringLiteral("2 钢结构"),
                       QStringLiteral("3 节点 #1"), QStringLiteral("3 涂装 #2"),
                       QStringLiteral("1 施工"),    QStringLiteral("2 钢结构"),
                       QStringLiteral("3 节点 #1"), QStringLiteral("3 涂装 #2")};

    QTest::newRow("orphans are never shown")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('设计');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('孤儿', '无此菜单'), "
                          "('钢结构', '设计');"
                          "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                          "('失散', 'x.doc', '孤儿'), ('无主', 'y.doc', '无此分类'), "
                          "('节点', 'a.doc', '钢结构');")
        << QStringList{QStringLiteral("1 设计"), QStringLiteral("2 钢结构"),
                       QStringLiteral("3 节点 #3")};

    // Table order, not sorted; each entry carries its own key even when
    // names repeat.
    QTest::newRow("table order and repeated names")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('乙'), ('甲');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('二', '乙'), ('一', '乙');"
                          "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                          "('同名', 'a.doc', '一'), ('同名', 'b.doc', '一'), "
                          "('其他', 'c.doc', '二');")
        << QStringList{QStringLiteral("1 乙"),      QStringLiteral("2 二"),
                       QStringLiteral("3 其他 #3"), QStringLiteral("2 一"),
                       QStringLiteral("3 同名 #1"), QStringLiteral("3 同名 #2"),
                       QStringLiteral("1 甲")};

    // Names go into the filters as data: a quote is an ordinary character.
    QTest::newRow("quote and ampersand")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('O''Neil & 伙伴');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('钢''梁', 'O''Neil & 伙伴');"
                          "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                          "('R&D ''说明''', 'a.doc', '钢''梁');")
        << QStringList{QStringLiteral("1 O'Neil & 伙伴"), QStringLiteral("2 钢'梁"),
                       QStringLiteral("3 R&D '说明' #1")};
}

void TestCatalogueWalk::tree()
{
    QFETCH(QString, rows);
    QFETCH(QStringList, expected);
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(rows);
    CatalogueStore store;
    Recorder recorder;
    walkCatalogue(store, recorder);
    QCOMPARE(recorder.lines, expected);
}

void TestCatalogueWalk::statesAfterWalk_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("diquFilter");
    QTest::addColumn<bool>("pindaoFiltered");
    QTest::addColumn<QString>("pindaoFilter");

    QTest::newRow("empty sheng keeps the loaded filter")
        << QString() << QStringLiteral("sheng='[国内电视]'") << false << QString();
    QTest::newRow("no second level processed")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('甲'), ('乙');")
        << QStringLiteral("sheng='乙'") << false << QString();
    // The last second-level row processed, not the last of the table.
    QTest::newRow("last rows processed")
        << QStringLiteral("INSERT INTO sheng(sheng) VALUES ('甲'), ('乙'), ('丙');"
                          "INSERT INTO diqu(diqu, sheng) VALUES ('一', '甲'), ('二', '乙'), "
                          "('三', '甲'), ('孤', '无');")
        << QStringLiteral("sheng='丙'") << true << QStringLiteral("diqu='二'");
}

void TestCatalogueWalk::statesAfterWalk()
{
    QFETCH(QString, rows);
    QFETCH(QString, diquFilter);
    QFETCH(bool, pindaoFiltered);
    QFETCH(QString, pindaoFilter);
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(rows);
    CatalogueStore store;
    Recorder recorder;
    walkCatalogue(store, recorder);

    QVERIFY(store.ADOConnection1->connected());
    QVERIFY(!store.ADOsheng->active());
    QVERIFY(!store.ADOdiqu->active());
    QVERIFY(!store.ADOpindao->active());
    QVERIFY(!store.ADOQuery1->active());
    QVERIFY(store.ADOQuery1->sql().isEmpty());

    QVERIFY(!store.ADOsheng->filtered());
    QCOMPARE(store.ADOsheng->filterExpression(), QString());
    QVERIFY(store.ADOdiqu->filtered());
    QCOMPARE(store.ADOdiqu->filterExpression(), diquFilter);
    QCOMPARE(store.ADOpindao->filtered(), pindaoFiltered);
    QCOMPARE(store.ADOpindao->filterExpression(), pindaoFilter);
}

void TestCatalogueWalk::missingCatalogue()
{
    archivatest::ProgramFolder folder;
    CatalogueStore store;
    Recorder recorder;
    try {
        walkCatalogue(store, recorder);
        QFAIL("walking a missing catalogue succeeded");
    } catch (const data::DataError& e) {
        QVERIFY2(e.message().contains(folder.catalogue()), qPrintable(e.message()));
    }
    QVERIFY(recorder.lines.isEmpty());
    QVERIFY(!store.ADOConnection1->connected());
    QVERIFY(!store.ADOsheng->active());
    QVERIFY(!QFile::exists(folder.catalogue()));
}

void TestCatalogueWalk::failureKeepsWhatWasWalked()
{
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(QStringLiteral("INSERT INTO sheng(sheng) VALUES ('甲'), ('乙'), ('丙');"
                                        "INSERT INTO diqu(diqu, sheng) VALUES ('一', '甲');"
                                        "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) "
                                        "VALUES ('文', 'a.doc', '一');"));
    CatalogueStore store;
    Recorder recorder;
    recorder.failOn = QStringLiteral("乙");
    QVERIFY_THROWS_EXCEPTION(data::DataError, walkCatalogue(store, recorder));
    QCOMPARE(recorder.lines, (QStringList{QStringLiteral("1 甲"), QStringLiteral("2 一"),
                                          QStringLiteral("3 文 #1")}));
    // Stopped where it failed: the datasets stay open.
    QVERIFY(store.ADOsheng->active());
    QCOMPARE(store.ADOsheng->fieldText(QStringLiteral("sheng")), QStringLiteral("乙"));
    QVERIFY(store.ADOdiqu->active());
    QVERIFY(store.ADOpindao->active());
}

void TestCatalogueWalk::missingColumn()
{
    archivatest::ProgramFolder folder;
    fixture::makeDatabase(folder.catalogue(),
                          QStringLiteral("CREATE TABLE sheng (sheng TEXT(50), 编号 INTEGER "
                                         "PRIMARY KEY AUTOINCREMENT);"
                                         "CREATE TABLE diqu (diqu TEXT(50), sheng TEXT(50), "
                                         "编号 INTEGER PRIMARY KEY AUTOINCREMENT);"
                                         "CREATE TABLE diantai (dt_ming TEXT(50), diqu TEXT(50), "
                                         "编号 INTEGER PRIMARY KEY AUTOINCREMENT);"
                                         "INSERT INTO sheng(sheng) VALUES ('甲');"));
    CatalogueStore store;
    Recorder recorder;
    try {
        walkCatalogue(store, recorder);
        QFAIL("a table without dt_wangzhi was walked");
    } catch (const data::DataError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("dt_wangzhi")), qPrintable(e.message()));
    }
    QVERIFY(recorder.lines.isEmpty());
    QVERIFY(store.ADOsheng->active());
    QVERIFY(store.ADOdiqu->active());
    QVERIFY(!store.ADOpindao->active());
}

QTEST_GUILESS_MAIN(TestCatalogueWalk)
#include "tst_cataloguewalk.moc"
