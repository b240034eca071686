#include "catalogue.h"

#include "common/ui/dbnavigator.h"

#include <QTest>
#include <QToolButton>

using ui::DBNavigator;

class TestDBNavigator : public QObject
{
    Q_OBJECT

private slots:
    void movesAndRefreshes();
};

void TestDBNavigator::movesAndRefreshes()
{
    Catalogue catalogue(QString::fromUtf8(sampleRows));
    auto sheng = catalogue.table(QStringLiteral("ADOsheng"), QStringLiteral("sheng"),
                                 {QStringLiteral("sheng")});
    DBNavigator navigator;
    navigator.setDataset(sheng.get());
    for (int b = 0; b < DBNavigator::ButtonCount; ++b)
        QVERIFY(!navigator.button(DBNavigator::Button(b))->isEnabled());
    sheng->open();
    navigator.show();
    QVERIFY(!navigator.button(DBNavigator::First)->isEnabled());
    QVERIFY(navigator.button(DBNavigator::Next)->isEnabled());
    QTest::mouseClick(navigator.button(DBNavigator::Last), Qt::LeftButton);
    QCOMPARE(sheng->currentRow(), 1);
    QVERIFY(!navigator.button(DBNavigator::Next)->isEnabled());
    QTest::mouseClick(navigator.button(DBNavigator::Prior), Qt::LeftButton);
    QCOMPARE(sheng->currentRow(), 0);

    // Refresh reads the table again and keeps the current row.
    sheng->setCurrentRow(1);
    fixture::execute(catalogue.path, QStringLiteral("INSERT INTO sheng(sheng) VALUES('新')"));
    QTest::mouseClick(navigator.button(DBNavigator::Refresh), Qt::LeftButton);
    QCOMPARE(sheng->recordCount(), 3);
    QCOMPARE(sheng->currentRow(), 1);
    QVERIFY(navigator.button(DBNavigator::Next)->isEnabled());
}

QTEST_MAIN(TestDBNavigator)
#include "tst_dbnavigator.moc"
