#include "enginefixture.h"

#include "common/data/connection.h"
#include "common/data/dataerror.h"
#include "common/data/tabledataset.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using data::Connection;
using data::DataError;
using data::Dataset;
using data::TableDataset;

namespace {

const char* const rows = R"sql(
INSERT INTO sheng(sheng) VALUES ('设计规范'), ('施工技术'), ('O''Neil');
INSERT INTO diqu(diqu, sheng) VALUES
    ('混凝土', '设计规范'), ('钢结构', '设计规范'), ('模板', '施工技术'),
    ('孤儿', '不存在'), ('引号', 'O''Neil'), ('空', '');
INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES
    ('梁', 'a\b.doc', '混凝土'), ('板', 'a\c.doc', '混凝土'), (NULL, NULL, '钢结构');
)sql";

QStringList names(Dataset& d, const QString& field)
{
    QStringList out;
    for (d.first(); !d.eof(); d.next())
        out << d.fieldText(field);
    return out;
}

} // namespace

class TestTableDataset : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fixedFieldList_data();
    void fixedFieldList();
    void movingAndCounting();
    void closedDatasetRefusesCount();
    void filter_data();
    void filter();
    void filterKeptAcrossCloseAndOpen();
    void filterOnMissingColumn();
    void locate();
    void editPostStoresAtOnce();
    void keyIsReadOnly();
    void insertGetsKeyFromDatabase();
    void removeMovesToNeighbour();
    void removeOnEmptyTable();
    void tooLongTextIsRefused_data();
    void tooLongTextIsRefused();
    void quotesAreOrdinaryText();
    void otherConnectionSeenAtReopen();
    void conflictingPostFailsAndLosesNothing();
    void conflictingDeleteFails();
    void closePostsPendingChange();
    void notifications();

private:
    TableDataset* sheng() { return m_sheng.get(); }
    QString path() const { return m_dir->filePath(QStringLiteral("tvurl.dat")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<TableDataset> m_sheng;
    std::unique_ptr<TableDataset> m_diqu;
    std::unique_ptr<TableDataset> m_pindao;
};

void TestTableDataset::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    engine::make(path(), QString::fromUtf8(schema::catalogue) + QString::fromUtf8(rows));
    m_connection = std::make_unique<Connection>();
    m_connection->setConnectionString(engine::connectionString(path()));
    m_sheng = std::make_unique<TableDataset>(QStringLiteral("ADOsheng"), m_connection.get(),
                                             QStringLiteral("sheng"), QStringList{"sheng", "编号"});
    m_diqu = std::make_unique<TableDataset>(QStringLiteral("ADOdiqu"), m_connection.get(),
                                            QStringLiteral("diqu"),
                                            QStringList{"diqu", "sheng", "编号"});
    m_pindao = std::make_unique<TableDataset>(QStringLiteral("ADOpindao"), m_connection.get(),
                                              QStringLiteral("diantai"),
                                              QStringList{"dt_ming", "dt_wangzhi", "diqu", "编号"});
}

void TestTableDataset::cleanup()
{
    m_pindao.reset();
    m_diqu.reset();
    m_sheng.reset();
    m_connection.reset();
    m_dir.reset();
}

void TestTableDataset::fixedFieldList_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("expected"); // words in the message; empty: opens

    QTest::newRow("all fields") << "diantai" << QStringList{"dt_ming", "dt_wangzhi", "diqu", "编号"}
                                << QStringList();
    QTest::newRow("missing field")
        << "diqu" << QStringList{"diqu", "shengfen", "编号"} << QStringList{"ADOtest", "shengfen"};
    QTest::newRow("missing table")
        << "pindao" << QStringList{"dt_ming"} << QStringList{"pindao", "tvurl.dat"};
}

void TestTableDataset::fixedFieldList()
{
    QFETCH(QString, table);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, expected);
    TableDataset d(QStringLiteral("ADOtest"), m_connection.get(), table, fields);
    if (expected.isEmpty()) {
        d.open();
        QCOMPARE(d.fieldNames(), fields);
        return;
    }
    try {
        d.open();
        QFAIL("open should fail");
    } catch (const DataError& e) {
        for (const QString& word : expected)
            QVERIFY2(e.message().contains(word), qPrintable(e.message()));
    }
    QVERIFY(!d.active());
}

void TestTableDataset::movingAndCounting()
{
    sheng()->open();
    QCOMPARE(sheng()->recordCount(), 3);
    QVERIFY(!sheng()->eof());
    QCOMPARE(names(*sheng(), QStringLiteral("sheng")),
             (QStringList{"设计规范", "施工技术", "O'Neil"}));
    QVERIFY(sheng()->eof());
    QCOMPARE(sheng()->currentRow(), 2); // stays on the last row
    sheng()->prior();
    QCOMPARE(sheng()->fieldText(QStringLiteral("sheng")), QStringLiteral("施工技术"));
    sheng()->open(); // opening an open dataset does nothing
    QCOMPARE(sheng()->currentRow(), 1);

    // Null reads as empty text.
    m_pindao->open();
    m_pindao->last();
    QCOMPARE(m_pindao->fieldText(QStringLiteral("dt_ming")), QString());
    QVERIFY(m_pindao->fieldIsNull(QStringLiteral("dt_ming")));

    engine::execute(path(), QStringLiteral("DELETE FROM sheng"));
    sheng()->close();
    sheng()->close(); // closing a closed dataset does nothing
    sheng()->open();
    QCOMPARE(sheng()->recordCount(), 0);
    QVERIFY(sheng()->eof());
    QCOMPARE(sheng()->fieldText(QStringLiteral("sheng")), QString());
}

void TestTableDataset::closedDatasetRefusesCount()
{
    try {
        sheng()->recordCount();
        QFAIL("counting a closed dataset should fail");
    } catch (const DataError& e) {
        QVERIFY(e.message().contains(QStringLiteral("ADOsheng")));
        QVERIFY(e.message().contains(QStringLiteral("尚未打开")));
    }
    QCOMPARE(sheng()->rowCount(), 0);
}

void TestTableDataset::filter_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<QStringList>("expected");

    const QStringList all{"混凝土", "钢结构", "模板", "孤儿", "引号", "空"};
    QTest::newRow("two children") << "sheng"
                                  << "设计规范" << true << QStringList{"混凝土", "钢结构"};
    QTest::newRow("no match") << "sheng"
                              << "[国内电视]" << true << QStringList();
    QTest::newRow("quote in value") << "sheng"
                                    << "O'Neil" << true << QStringList{"引号"};
    QTest::newRow("empty value matches empty text") << "sheng"
                                                    << "" << true << QStringList{"空"};
    QTest::newRow("whole value only") << "sheng"
                                      << "设计" << true << QStringList();
    QTest::newRow("filtering off") << "sheng"
                                   << "设计规范" << false << all;
    QTest::newRow("no expression") << ""
                                   << "" << true << all;
}

void TestTableDataset::filter()
{
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(bool, filtered);
    QFETCH(QStringList, expected);
    m_diqu->open();
    m_diqu->next();
    m_diqu->setFilter(column, value);
    m_diqu->setFiltered(filtered);
    QCOMPARE(m_diqu->currentRow(), expected.isEmpty() ? -1 : 0); // moved to the first row
    QCOMPARE(m_diqu->eof(), expected.isEmpty());
    QCOMPARE(m_diqu->recordCount(), expected.size());
    QCOMPARE(names(*m_diqu, QStringLiteral("diqu")), expected);
    if (!column.isEmpty())
        QCOMPARE(m_diqu->filterExpression(), column + "='" + value + "'");
}

void TestTableDataset::filterKeptAcrossCloseAndOpen()
{
    m_diqu->setFilter(QStringLiteral("sheng"), QStringLiteral("[国内电视]"));
    m_diqu->setFiltered(true);
    m_diqu->open();
    QCOMPARE(m_diqu->recordCount(), 0);
    QVERIFY(m_diqu->eof());

    // A new expression on an open, filtered dataset applies at once.
    m_diqu->setFilter(QStringLiteral("sheng"), QStringLiteral("设计规范"));
    QCOMPARE(m_diqu->recordCount(), 2);
    m_diqu->close();
    QVERIFY(m_diqu->filtered());
    QCOMPARE(m_diqu->filterExpression(), QStringLiteral("sheng='设计规范'"));
    m_diqu->open();
    QCOMPARE(m_diqu->recordCount(), 2);

    // Switched off, not cleared.
    m_diqu->setFiltered(false);
    QCOMPARE(m_diqu->recordCount(), 6);
    QCOMPARE(m_diqu->currentRow(), 0);
    QCOMPARE(m_diqu->filterExpression(), QStringLiteral("sheng='设计规范'"));

    // An expression set while filtering is off waits for it.
    m_diqu->setFilter(QStringLiteral("sheng"), QStringLiteral("施工技术"));
    QCOMPARE(m_diqu->recordCount(), 6);
    m_diqu->setFiltered(true);
    QCOMPARE(names(*m_diqu, QStringLiteral("diqu")), QStringList{"模板"});
}

void TestTableDataset::filterOnMissingColumn()
{
    m_diqu->open();
    m_diqu->setFiltered(true);
    try {
        m_diqu->setFilter(QStringLiteral("province"), QStringLiteral("x"));
        QFAIL("a filter on a missing column should fail");
    } catch (const DataError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("province")), qPrintable(e.message()));
    }
}

void TestTableDataset::locate()
{
    m_diqu->open();
    QVERIFY(m_diqu->locate(QStringLiteral("diqu"), QStringLiteral("模板")));
    QCOMPARE(m_diqu->currentRow(), 2);
    QVERIFY(!m_diqu->locate(QStringLiteral("diqu"), QStringLiteral("模")));
    QCOMPARE(m_diqu->currentRow(), 2); // not found: no move
    QVERIFY(m_diqu->locate(QStringLiteral("sheng"), QStringLiteral("O'Neil")));
    QCOMPARE(m_diqu->fieldText(QStringLiteral("diqu")), QStringLiteral("引号"));

    // Only among the rows that pass the filter.
    m_diqu->setFilter(QStringLiteral("sheng"), QStringLiteral("设计规范"));
    m_diqu->setFiltered(true);
    QVERIFY(!m_diqu->locate(QStringLiteral("diqu"), QStringLiteral("模板")));
    QVERIFY(m_diqu->locate(QStringLiteral("diqu"), QStringLiteral("钢结构")));
    QCOMPARE(m_diqu->currentRow(), 1);
}

void TestTableDataset::editPostStoresAtOnce()
{
    m_pindao->open();
    m_pindao->next();
    m_pindao->edit();
    QCOMPARE(m_pindao->state(), Dataset::State::Edit);
    m_pindao->setFieldText(QStringLiteral("dt_wangzhi"), QStringLiteral("新\\地址.doc"));
    QCOMPARE(m_pindao->fieldText(QStringLiteral("dt_wangzhi")), QStringLiteral("新\\地址.doc"));
    m_pindao->post();
    QCOMPARE(m_pindao->state(), Dataset::State::Browse);
    QCOMPARE(
        engine::scalar(path(), QStringLiteral("SELECT dt_wangzhi FROM diantai WHERE dt_ming='板'")),
        QStringLiteral("新\\地址.doc"));
    QCOMPARE(m_pindao->currentRow(), 1);

    // Moving to another row stores a pending change first.
    m_pindao->edit();
    m_pindao->setFieldText(QStringLiteral("dt_ming"), QStringLiteral("板材"));
    m_pindao->first();
    QCOMPARE(
        engine::scalar(path(), QStringLiteral("SELECT count(*) FROM diantai WHERE dt_ming='板材'")),
        QStringLiteral("1"));

    // Cancel drops it.
    m_pindao->edit();
    m_pindao->setFieldText(QStringLiteral("dt_ming"), QStringLiteral("不要"));
    m_pindao->cancel();
    QCOMPARE(m_pindao->fieldText(QStringLiteral("dt_ming")), QStringLiteral("梁"));

    // Setting a field outside edit mode is refused.
    QVERIFY_THROWS_EXCEPTION(
        DataError, m_pindao->setFieldText(QStringLiteral("dt_ming"), QStringLiteral("x")));
}

void TestTableDataset::keyIsReadOnly()
{
    sheng()->open();
    QVERIFY(sheng()->isFieldReadOnly(QStringLiteral("编号")));
    QVERIFY(!sheng()->isFieldReadOnly(QStringLiteral("sheng")));
    sheng()->edit();
    try {
        sheng()->setFieldText(QStringLiteral("编号"), QStringLiteral("99"));
        QFAIL("the key is read-only");
    } catch (const DataError& e) {
        QVERIFY(e.message().contains(QStringLiteral("编号")));
    }
}

void TestTableDataset::insertGetsKeyFromDatabase()
{
    m_diqu->setFilter(QStringLiteral("sheng"), QStringLiteral("设计规范"));
    m_diqu->setFiltered(true);
    m_diqu->open();
    m_diqu->insert();
    m_diqu->setFieldText(QStringLiteral("diqu"), QStringLiteral("砌体"));
    m_diqu->setFieldText(QStringLiteral("sheng"), QStringLiteral("设计规范"));
    m_diqu->post();
    QCOMPARE(m_diqu->recordCount(), 3);
    QCOMPARE(m_diqu->currentRow(), 2);
    QCOMPARE(m_diqu->fieldText(QStringLiteral("diqu")), QStringLiteral("砌体"));
    QCOMPARE(m_diqu->fieldText(QStringLiteral("编号")), QStringLiteral("7"));
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT sheng FROM diqu WHERE 编号 = 7")),
             QStringLiteral("设计规范"));
}

void TestTableDataset::removeMovesToNeighbour()
{
    m_diqu->open();
    m_diqu->next();
    m_diqu->remove();
    QCOMPARE(m_diqu->recordCount(), 5);
    QCOMPARE(m_diqu->fieldText(QStringLiteral("diqu")), QStringLiteral("模板"));
    m_diqu->last();
    m_diqu->remove();
    QCOMPARE(m_diqu->fieldText(QStringLiteral("diqu")), QStringLiteral("引号"));
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT count(*) FROM diqu")),
             QStringLiteral("4"));

    // Within a filter.
    m_diqu->setFilter(QStringLiteral("sheng"), QStringLiteral("设计规范"));
    m_diqu->setFiltered(true);
    m_diqu->remove();
    QCOMPARE(m_diqu->recordCount(), 0);
    QVERIFY(m_diqu->eof());
    m_diqu->setFiltered(false);
    QCOMPARE(names(*m_diqu, QStringLiteral("diqu")), (QStringList{"模板", "孤儿", "引号"}));
}

void TestTableDataset::removeOnEmptyTable()
{
    engine::execute(path(), QStringLiteral("DELETE FROM sheng"));
    sheng()->open();
    try {
        sheng()->remove();
        QFAIL("nothing to delete");
    } catch (const DataError& e) {
        QVERIFY(e.message().contains(QStringLiteral("没有记录")));
    }
}

void TestTableDataset::tooLongTextIsRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("stored");
    QTest::newRow("name of 50") << "dt_ming" << 50 << true;
    QTest::newRow("name of 51") << "dt_ming" << 51 << false;
    QTest::newRow("address of 100") << "dt_wangzhi" << 100 << true;
    QTest::newRow("address of 101") << "dt_wangzhi" << 101 << false;
}

void TestTableDataset::tooLongTextIsRefused()
{
    QFETCH(QString, field);
    QFETCH(int, length);
    QFETCH(bool, stored);
    const QString text(length, QChar(0x6587)); // 文
    m_pindao->open();
    QCOMPARE(m_pindao->fieldSize(field), field == "dt_ming" ? 50 : 100);
    m_pindao->edit();
    m_pindao->setFieldText(field, text);
    if (stored) {
        m_pindao->post();
    } else {
        try {
            m_pindao->post();
            QFAIL("too long");
        } catch (const DataError& e) {
            QVERIFY2(e.message().contains(field), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QString::number(length - 1)), qPrintable(e.message()));
        }
        // Nothing pending, nothing stored.
        QCOMPARE(m_pindao->state(), Dataset::State::Browse);
    }
    const QString sql =
        QStringLiteral("SELECT count(*) FROM diantai WHERE length(%1) = %2").arg(field).arg(length);
    QCOMPARE(engine::scalar(path(), sql), stored ? QStringLiteral("1") : QStringLiteral("0"));

    // Insert is held to the same rule.
    m_pindao->insert();
    m_pindao->setFieldText(field, text);
    if (stored)
        m_pindao->post();
    else
        QVERIFY_THROWS_EXCEPTION(DataError, m_pindao->post());
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT count(*) FROM diantai")),
             stored ? QStringLiteral("4") : QStringLiteral("3"));
}

void TestTableDataset::quotesAreOrdinaryText()
{
    sheng()->open();
    sheng()->insert();
    sheng()->setFieldText(QStringLiteral("sheng"),
                          QStringLiteral("a'b\"c'); DROP TABLE sheng; --"));
    sheng()->post();
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT sheng FROM sheng WHERE 编号 = 4")),
             QStringLiteral("a'b\"c'); DROP TABLE sheng; --"));
    QVERIFY(sheng()->locate(QStringLiteral("sheng"), QStringLiteral("O'Neil")));
    sheng()->edit();
    sheng()->setFieldText(QStringLiteral("sheng"), QStringLiteral("O'Brien"));
    sheng()->post();
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT sheng FROM sheng WHERE 编号 = 3")),
             QStringLiteral("O'Brien"));
}

void TestTableDataset::otherConnectionSeenAtReopen()
{
    Connection other;
    other.setConnectionString(engine::connectionString(path()));
    TableDataset otherSheng(QStringLiteral("ADOsheng"), &other, QStringLiteral("sheng"),
                            {QStringLiteral("sheng")});
    sheng()->open();
    otherSheng.open();
    otherSheng.insert();
    otherSheng.setFieldText(QStringLiteral("sheng"), QStringLiteral("新菜单"));
    otherSheng.post();
    QCOMPARE(sheng()->recordCount(), 3); // a snapshot
    sheng()->close();
    sheng()->open();
    QCOMPARE(sheng()->recordCount(), 4);
    sheng()->last();
    QCOMPARE(sheng()->fieldText(QStringLiteral("sheng")), QStringLiteral("新菜单"));
}

void TestTableDataset::conflictingPostFailsAndLosesNothing()
{
    m_pindao->open();
    engine::execute(path(),
                    QStringLiteral("UPDATE diantai SET dt_wangzhi = 'other' WHERE dt_ming = '梁'"));
    m_pindao->edit();
    m_pindao->setFieldText(QStringLiteral("dt_ming"), QStringLiteral("我的"));
    try {
        m_pindao->post();
        QFAIL("the row changed elsewhere");
    } catch (const DataError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("其他用户")), qPrintable(e.message()));
    }
    QCOMPARE(m_pindao->state(), Dataset::State::Browse);
    QCOMPARE(engine::scalar(
                 path(),
                 QStringLiteral("SELECT dt_ming || '|' || dt_wangzhi FROM diantai WHERE 编号 = 1")),
             QStringLiteral("梁|other"));

    // A row deleted elsewhere.
    engine::execute(path(), QStringLiteral("DELETE FROM diantai WHERE 编号 = 2"));
    m_pindao->next();
    m_pindao->edit();
    m_pindao->setFieldText(QStringLiteral("dt_ming"), QStringLiteral("复活"));
    QVERIFY_THROWS_EXCEPTION(DataError, m_pindao->post());
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT count(*) FROM diantai")),
             QStringLiteral("2"));
}

void TestTableDataset::conflictingDeleteFails()
{
    sheng()->open();
    engine::execute(path(), QStringLiteral("UPDATE sheng SET sheng = '改名' WHERE 编号 = 1"));
    QVERIFY_THROWS_EXCEPTION(DataError, sheng()->remove());
    QCOMPARE(sheng()->recordCount(), 3);
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT sheng FROM sheng WHERE 编号 = 1")),
             QStringLiteral("改名"));
}

void TestTableDataset::closePostsPendingChange()
{
    sheng()->open();
    sheng()->edit();
    sheng()->setFieldText(QStringLiteral("sheng"), QStringLiteral("关闭前"));
    sheng()->close();
    QCOMPARE(engine::scalar(path(), QStringLiteral("SELECT sheng FROM sheng WHERE 编号 = 1")),
             QStringLiteral("关闭前"));
}

void TestTableDataset::notifications()
{
    m_diqu->open();
    QSignalSpy current(m_diqu.get(), &Dataset::currentChanged);
    QSignalSpy reset(m_diqu.get(), &Dataset::reset);
    QSignalSpy changed(m_diqu.get(), &Dataset::rowChanged);
    QSignalSpy removed(m_diqu.get(), &Dataset::rowRemoved);
    m_diqu->setCurrentRow(3);
    QCOMPARE(current.count(), 1);
    QCOMPARE(current.last().at(0).toInt(), 3);
    m_diqu->setFilter(QStringLiteral("sheng"), QStringLiteral("设计规范"));
    m_diqu->setFiltered(true);
    QCOMPARE(reset.count(), 1);
    m_diqu->edit();
    m_diqu->setFieldText(QStringLiteral("diqu"), QStringLiteral("混凝土结构"));
    m_diqu->post();
    QVERIFY(changed.count() >= 1);
    QCOMPARE(changed.last().at(0).toInt(), 0);
    m_diqu->remove();
    QCOMPARE(removed.count(), 1);
}

QTEST_GUILESS_MAIN(TestTableDataset)
#include "tst_tabledataset.moc"
