#include "firmbook/search.h"

#include <QTest>

using firmbook::searchStatement;
using firmbook::trimmed;

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void trimming_data();
    void trimming();
    void statement_data();
    void statement();
    void countText();
};

void TestSearch::trimming_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("blanks only") << QStringLiteral("   ") << QString();
    QTest::newRow("control characters only") << QStringLiteral("\t\r\n\x01\x1f ") << QString();
    QTest::newRow("both ends") << QStringLiteral(" \t于海兰\n ") << QStringLiteral("于海兰");
    QTest::newRow("inner blanks stay") << QStringLiteral("  a  b ") << QStringLiteral("a  b");
    QTest::newRow("ideographic space is text")
        << QStringLiteral("\u3000通达\u3000") << QStringLiteral("\u3000通达\u3000");
    QTest::newRow("delete character is text") << QStringLiteral("\x7f") << QStringLiteral("\x7f");
    QTest::newRow("no-break space is text")
        << QStringLiteral("\u00a0x") << QStringLiteral("\u00a0x");
}

void TestSearch::trimming()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QCOMPARE(trimmed(typed), kept);
}

void TestSearch::statement_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("values");

    const QString base = QStringLiteral("select * from  cominfo ");
    const QStringList none(9);
    auto with = [&](std::initializer_list<std::pair<int, QString>> filled) {
        QStringList fields = none;
        for (const auto& [index, text] : filled)
            fields[index] = text;
        return fields;
    };

    QTest::newRow("no field") << none << base << QStringList();
    QTest::newRow("blanks and tabs only")
        << with({{0, QStringLiteral("  ")}, {3, QStringLiteral("\t")}, {8, QStringLiteral(" \t ")}})
        << base << QStringList();
    QTest::newRow("one later field: fax")
        << with({{3, QStringLiteral(" 0591 ")}}) << base + QStringLiteral("where fax like ?")
        << QStringList{QStringLiteral("%0591%")};
    QTest::newRow("only contact") << with({{1, QStringLiteral("于")}})
                                  << base + QStringLiteral("where lxr like ?")
                                  << QStringList{QStringLiteral("%于%")};
    QTest::newRow("company, fax and business")
        << with({{0, QStringLiteral("通达")},
                 {3, QStringLiteral("029")},
                 {8, QStringLiteral("施工")}})
        << base + QStringLiteral("where name like ? and fax like ? and jj like ?")
        << QStringList{QStringLiteral("%通达%"), QStringLiteral("%029%"), QStringLiteral("%施工%")};
    QTest::newRow("all nine in the fixed order")
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                       QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("f"),
                       QStringLiteral("g"), QStringLiteral("h"), QStringLiteral("i")}
        << base + QStringLiteral("where name like ? and lxr like ? and tel like ? and fax like ? "
                                 "and address like ? and postcode like ? and email like ? and "
                                 "url like ? and jj like ?")
        << QStringList{QStringLiteral("%a%"), QStringLiteral("%b%"), QStringLiteral("%c%"),
                       QStringLiteral("%d%"), QStringLiteral("%e%"), QStringLiteral("%f%"),
                       QStringLiteral("%g%"), QStringLiteral("%h%"), QStringLiteral("%i%")};
    QTest::newRow("ideographic space fills a field")
        << with({{4, QStringLiteral("\u3000")}}) << base + QStringLiteral("where address like ?")
        << QStringList{QStringLiteral("%\u3000%")};
    QTest::newRow("percent stays a wildcard")
        << with({{7, QStringLiteral("%")}}) << base + QStringLiteral("where url like ?")
        << QStringList{QStringLiteral("%%%")};
    QTest::newRow("underscore stays a wildcard")
        << with({{5, QStringLiteral("3_0")}}) << base + QStringLiteral("where postcode like ?")
        << QStringList{QStringLiteral("%3_0%")};
    QTest::newRow("double quote is a value, not statement text")
        << with({{0, QStringLiteral("\"金石\" or 1=1 --")}, {6, QStringLiteral("'x'")}})
        << base + QStringLiteral("where name like ? and email like ?")
        << QStringList{QStringLiteral("%\"金石\" or 1=1 --%"), QStringLiteral("%'x'%")};
}

void TestSearch::statement()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    QFETCH(QStringList, values);
    const firmbook::Statement s = searchStatement(fields);
    QCOMPARE(s.text, text);
    QStringList bound;
    for (const QVariant& v : s.values)
        bound << v.toString();
    QCOMPARE(bound, values);
}

void TestSearch::countText()
{
    QCOMPARE(firmbook::countText(0), QStringLiteral("共找到记录 0条"));
    QCOMPARE(firmbook::countText(25), QStringLiteral("共找到记录 25条"));
    QCOMPARE(firmbook::countText(1000000), QStringLiteral("共找到记录 1000000条"));
}

QTEST_APPLESS_MAIN(TestSearch)
#include "tst_search.moc"
