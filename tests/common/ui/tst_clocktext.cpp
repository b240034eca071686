#include "common/ui/clocktext.h"

#include <QTest>

class TestClockText : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
};

void TestClockText::text_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zh_CN afternoon") << "zh_CN" << QTime(14, 5, 9) << "2026/12/11 14:05:09";
    QTest::newRow("zh_CN midnight: date only") << "zh_CN" << QTime(0, 0, 0) << "2026/12/11";
    QTest::newRow("midnight, milliseconds aside") << "zh_CN" << QTime(0, 0, 0, 500) << "2026/12/11";
    QTest::newRow("one second past midnight") << "zh_CN" << QTime(0, 0, 1) << "2026/12/11 00:00:01";
    QTest::newRow("en_US, no time zone") << "en_US" << QTime(9, 3, 0) << "12/11/26 9:03:00 AM";
    QTest::newRow("de_DE") << "de_DE" << QTime(23, 59, 59) << "11.12.26 23:59:59";
}

void TestClockText::text()
{
    QFETCH(QString, locale);
    QFETCH(QTime, time);
    QTEST(ui::clockText(QDateTime(QDate(2026, 12, 11), time), QLocale(locale)), "expected");
}

QTEST_APPLESS_MAIN(TestClockText)
#include "tst_clocktext.moc"
