#include "catalogue.h"

#include "common/ui/dbmemo.h"

#include <QTest>

using ui::DBMemo;

class TestDBMemo : public QObject
{
    Q_OBJECT

private slots:
    void followsTheCurrentRowAndStoresTyping();
    void readOnlyWithoutRows();
};

void TestDBMemo::followsTheCurrentRowAndStoresTyping()
{
    Catalogue catalogue(
        QString::fromUtf8(sampleRows) +
        QStringLiteral(
            "UPDATE diantai SET dt_wangzhi = 'l1' || char(13,10) || 'l2' WHERE 编号 = 2;"));
    auto pindao = catalogue.table(QStringLiteral("ADOpindao"), QStringLiteral("diantai"),
                                  {QStringLiteral("dt_ming"), QStringLiteral("dt_wangzhi")});
    DBMemo memo;
    memo.setDataSource(pindao.get(), QStringLiteral("dt_wangzhi"));
    QCOMPARE(memo.toPlainText(), QString());
    pindao->open();
    QCOMPARE(memo.toPlainText(), QStringLiteral("a\\1.doc"));
    pindao->next();
    QCOMPARE(memo.toPlainText(), QStringLiteral("l1\nl2"));

    memo.show();
    memo.setFocus();
    memo.moveCursor(QTextCursor::End);
    QTest::keyClicks(&memo, QStringLiteral("l3"));
    QCOMPARE(pindao->state(), data::Dataset::State::Edit);
    pindao->next(); // leaving the row stores it
    QCOMPARE(catalogue.scalar(QStringLiteral("SELECT dt_wangzhi FROM diantai WHERE 编号 = 2")),
             QStringLiteral("l1\nl2l3"));
    QCOMPARE(memo.toPlainText(), QStringLiteral("a\\3.doc"));
}

void TestDBMemo::readOnlyWithoutRows()
{
    Catalogue catalogue{QString()};
    auto pindao = catalogue.table(QStringLiteral("ADOpindao"), QStringLiteral("diantai"),
                                  {QStringLiteral("dt_ming"), QStringLiteral("dt_wangzhi")});
    DBMemo memo;
    memo.setDataSource(pindao.get(), QStringLiteral("dt_wangzhi"));
    pindao->open();
    QVERIFY(memo.isReadOnly());
    memo.show();
    QTest::keyClicks(&memo, QStringLiteral("x"));
    QCOMPARE(pindao->state(), data::Dataset::State::Browse);
    QCOMPARE(catalogue.scalar(QStringLiteral("SELECT count(*) FROM diantai")), QStringLiteral("0"));
}

QTEST_MAIN(TestDBMemo)
#include "tst_dbmemo.moc"
