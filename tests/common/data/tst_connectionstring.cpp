#include "common/data/connectionstring.h"

#include <QTest>

using data::ConnectionString;

class TestConnectionString : public QObject
{
    Q_OBJECT

private slots:
    void pieces_data();
    void pieces();
};

void TestConnectionString::pieces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("persist");

    QTest::newRow("catalogue")
        << "Provider=Microsoft.Jet.OLEDB.4.0;Password=\"\";Data Source=/opt/b/tvurl.dat;"
           "Persist Security Info=True"
        << "Microsoft.Jet.OLEDB.4.0"
        << "/opt/b/tvurl.dat"
        << ""
        << "True";
    QTest::newRow("directory, backslash path")
        << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/b/data\\com.mdb;"
           "Persist Security Info=True;Jet OLEDB:Database Password=2917061"
        << "Microsoft.Jet.OLEDB.4.0"
        << "/opt/b/data/com.mdb"
        << "2917061"
        << "True";
    QTest::newRow("blanks and Chinese in the path")
        << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/home/u/我的 程序/data\\com.mdb;"
           "Persist Security Info=True;Jet OLEDB:Database Password=2917061"
        << "Microsoft.Jet.OLEDB.4.0"
        << "/home/u/我的 程序/data/com.mdb"
        << "2917061"
        << "True";
    QTest::newRow("keys in other case, blanks around them")
        << " provider = X ; DATA SOURCE=a.db;jet oledb:database password=pw"
        << "X "
        << "a.db"
        << "pw"
        << "";
    QTest::newRow("quoted value holding ';' and a doubled quote")
        << "Data Source=\"/a;b/c.db\";Password='it''s'"
        << ""
        << "/a;b/c.db"
        << "it's"
        << "";
    QTest::newRow("plain password when no database password") << "Password=secret;Data Source=x"
                                                              << ""
                                                              << "x"
                                                              << "secret"
                                                              << "";
    QTest::newRow("empty string") << ""
                                  << ""
                                  << ""
                                  << ""
                                  << "";
    QTest::newRow("pieces without '='") << "junk;;Data Source=x;"
                                        << ""
                                        << "x"
                                        << ""
                                        << "";
}

void TestConnectionString::pieces()
{
    QFETCH(QString, text);
    const ConnectionString cs = ConnectionString::parse(text);
    QTEST(cs.provider(), "provider");
    QTEST(cs.dataSource(), "source");
    QTEST(cs.databasePassword(), "password");
    QTEST(cs.value(QStringLiteral("Persist Security Info")), "persist");
}

QTEST_APPLESS_MAIN(TestConnectionString)
#include "tst_connectionstring.moc"
