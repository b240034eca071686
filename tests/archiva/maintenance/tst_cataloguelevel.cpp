#include "archiva/programfolder.h"

#include "archiva/cataloguestore.h"
#include "archiva/maintenance/cataloguelevel.h"
#include "common/data/dataerror.h"

#include <QTest>

using archiva::CatalogueLevel;
using archiva::LevelEntry;

namespace {

// Second-level menus; the filter of the tests below shows only 施工技术's.
const char* const rows = R"sql(
INSERT INTO diqu (diqu, sheng) VALUES
    ('混凝土结构', '设计规范'), ('钢结构', '设计规范'), ('模板工程', '施工技术'),
    ('Steel', '施工技术'), ('O''Neil 结构', '施工技术');
)sql";

} // namespace

class TestCatalogueLevel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void findName_data();
    void findName();
    void nameOfAHiddenRowLeavesTheCurrentRow();
    void modifyReachesARowTheFilterHides();
    void modifyOfAVanishedRowStoresNothing_data();
    void modifyOfAVanishedRowStoresNothing();
    void failedStoreRereadsTheTable_data();
    void failedStoreRereadsTheTable();

private:
    QString stored(const QString& column, qint64 key) const;

    std::unique_ptr<archivatest::ProgramFolder> m_folder;
    std::unique_ptr<archiva::CatalogueStore> m_store;
    std::unique_ptr<CatalogueLevel> m_level;
};

void TestCatalogueLevel::init()
{
    m_folder = std::make_unique<archivatest::ProgramFolder>();
    m_folder->makeCatalogue(QString::fromUtf8(rows));
    m_store = std::make_unique<archiva::CatalogueStore>();
    m_store->connectToCatalogue();
    m_store->ADOdiqu->setFilter(QStringLiteral("sheng"), QStringLiteral("施工技术"));
    m_store->ADOdiqu->setFiltered(true);
    m_store->ADOdiqu->open();
    m_level = std::make_unique<CatalogueLevel>(
        m_store->ADOdiqu,
        CatalogueLevel::Columns{QStringLiteral("diqu"), QStringLiteral("sheng"), QString()});
}

void TestCatalogueLevel::cleanup()
{
    m_level.reset();
    m_store.reset();
    m_folder.reset();
}

QString TestCatalogueLevel::stored(const QString& column, qint64 key) const
{
    return fixture::scalar(
        m_folder->catalogue(),
        QStringLiteral("select %1 from diqu where 编号 = %2").arg(column).arg(key));
}

void TestCatalogueLevel::findName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("except"); // 0: none
    QTest::addColumn<qint64>("found");  // 0: none

    QTest::newRow("a row the filter hides") << QStringLiteral("钢结构") << qint64(0) << qint64(2);
    QTest::newRow("a row the filter shows") << QStringLiteral("模板工程") << qint64(0) << qint64(3);
    QTest::newRow("the row being changed") << QStringLiteral("钢结构") << qint64(2) << qint64(0);
    QTest::newRow("another row than the one changed")
        << QStringLiteral("钢结构") << qint64(1) << qint64(2);
    QTest::newRow("part of a name") << QStringLiteral("钢") << qint64(0) << qint64(0);
    QTest::newRow("other letter case") << QStringLiteral("steel") << qint64(0) << qint64(0);
    QTest::newRow("trailing blank") << QStringLiteral("Steel ") << qint64(0) << qint64(0);
    QTest::newRow("a quote") << QStringLiteral("O'Neil 结构") << qint64(0) << qint64(5);
}

void TestCatalogueLevel::findName()
{
    QFETCH(QString, name);
    QFETCH(qint64, except);
    QFETCH(qint64, found);

    const std::optional<qint64> key =
        m_level->findName(name, except ? std::optional<qint64>(except) : std::nullopt);
    QCOMPARE(key.value_or(0), found);
}

void TestCatalogueLevel::nameOfAHiddenRowLeavesTheCurrentRow()
{
    m_store->ADOdiqu->setCurrentRow(1);
    QCOMPARE(m_level->add({QStringLiteral("钢结构"), QStringLiteral("施工技术"), {}}),
             CatalogueLevel::Outcome::Duplicate);
    QCOMPARE(m_store->ADOdiqu->currentRow(), 1);
    QCOMPARE(fixture::scalar(m_folder->catalogue(), QStringLiteral("select count(*) from diqu")),
             QStringLiteral("5"));
}

void TestCatalogueLevel::modifyReachesARowTheFilterHides()
{
    QCOMPARE(
        m_level->modify(1, {QStringLiteral("混凝土结构（修订）"), QStringLiteral("设计规范"), {}}),
        CatalogueLevel::Outcome::Stored);

    QCOMPARE(stored(QStringLiteral("diqu"), 1), QStringLiteral("混凝土结构（修订）"));
    QCOMPARE(stored(QStringLiteral("diqu"), 3), QStringLiteral("模板工程"));
    // The table is narrowed as before, and read afresh.
    data::TableDataset* diqu = m_store->ADOdiqu;
    QVERIFY(diqu->filtered());
    QCOMPARE(diqu->filterExpression(), QStringLiteral("sheng='施工技术'"));
    QCOMPARE(diqu->recordCount(), 3);
    QCOMPARE(diqu->state(), data::Dataset::State::Browse);
}

void TestCatalogueLevel::modifyOfAVanishedRowStoresNothing_data()
{
    QTest::addColumn<bool>("reread");
    QTest::addColumn<QString>("message");
    QTest::newRow("deleted since the table was read")
        << false << QStringLiteral("已被其他用户修改或删除");
    QTest::newRow("gone from the table") << true << QStringLiteral("已不存在");
}

void TestCatalogueLevel::modifyOfAVanishedRowStoresNothing()
{
    QFETCH(bool, reread);
    QFETCH(QString, message);

    // Another program deletes the row after it was chosen.
    fixture::execute(m_folder->catalogue(), QStringLiteral("delete from diqu where 编号 = 3"));
    if (reread)
        m_store->ADOdiqu->refresh();

    try {
        m_level->modify(3, {QStringLiteral("新名称"), QStringLiteral("施工技术"), {}});
        QFAIL("modify of a deleted row succeeded");
    } catch (const data::DataError& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
    QCOMPARE(fixture::scalar(m_folder->catalogue(),
                             QStringLiteral("select count(*) from diqu where diqu = '新名称'")),
             QStringLiteral("0"));
    QVERIFY(m_store->ADOdiqu->filtered());
    QCOMPARE(m_store->ADOdiqu->state(), data::Dataset::State::Browse);
    QCOMPARE(m_store->ADOdiqu->recordCount(), 2);
}

void TestCatalogueLevel::failedStoreRereadsTheTable_data()
{
    QTest::addColumn<bool>("modify");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("otherProgram"); // run after the table was read
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("rowThreeAfter");

    const QString tooLong(51, QChar(u'长'));
    QTest::newRow("add too long") << false << tooLong << QString()
                                  << QStringLiteral("最多只能保存 50 个字符")
                                  << QStringLiteral("模板工程");
    QTest::newRow("modify too long")
        << true << tooLong << QString() << QStringLiteral("最多只能保存 50 个字符")
        << QStringLiteral("模板工程");
    QTest::newRow("modify a row changed elsewhere")
        << true << QStringLiteral("新名称")
        << QStringLiteral("update diqu set diqu = '模板工程（他人）' where 编号 = 3")
        << QStringLiteral("已被其他用户修改") << QStringLiteral("模板工程（他人）");
}

void TestCatalogueLevel::failedStoreRereadsTheTable()
{
    QFETCH(bool, modify);
    QFETCH(QString, name);
    QFETCH(QString, otherProgram);
    QFETCH(QString, message);
    QFETCH(QString, rowThreeAfter);

    if (!otherProgram.isEmpty())
        fixture::execute(m_folder->catalogue(), otherProgram);
    const LevelEntry entry{name, QStringLiteral("施工技术"), {}};
    try {
        if (modify)
            m_level->modify(3, entry);
        else
            m_level->add(entry);
        QFAIL("the store succeeded");
    } catch (const data::DataError& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }

    data::TableDataset* diqu = m_store->ADOdiqu;
    QCOMPARE(diqu->state(), data::Dataset::State::Browse);
    QCOMPARE(fixture::scalar(m_folder->catalogue(), QStringLiteral("select count(*) from diqu")),
             QStringLiteral("5"));
    QCOMPARE(stored(QStringLiteral("diqu"), 3), rowThreeAfter);
    // Read again: the table shows what the file holds.
    QCOMPARE(diqu->recordCount(), 3);
    QVERIFY(diqu->locate(QStringLiteral("编号"), QStringLiteral("3")));
    QCOMPARE(diqu->fieldText(QStringLiteral("diqu")), rowThreeAfter);
}

QTEST_GUILESS_MAIN(TestCatalogueLevel)
#include "tst_cataloguelevel.moc"
