#include "common/ui/messagebox.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using ui::MessageBox;

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::clearHistory(); }
    void errorTextFullStop_data();
    void errorTextFullStop();
    void kinds_data();
    void kinds();
    void preparedAnswersComeFirst();
    void realErrorBox();
};

void TestMessageBox::errorTextFullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Chinese last") << "找不到数据库文件“/a/tvurl.dat”"
                                  << "找不到数据库文件“/a/tvurl.dat”.";
    QTest::newRow("letter last") << "Table missing"
                                 << "Table missing.";
    QTest::newRow("full stop last") << "Done."
                                    << "Done.";
    QTest::newRow("exclamation sorts before '.'") << "错误!"
                                                  << "错误!";
    QTest::newRow("hyphen sorts before '.'") << "a-"
                                             << "a-";
    QTest::newRow("slash sorts after '.'") << "/tmp/"
                                           << "/tmp/.";
    QTest::newRow("empty") << ""
                           << "";
}

void TestMessageBox::errorTextFullStop()
{
    QFETCH(QString, message);
    QTEST(MessageBox::errorText(message), "shown");
}

void TestMessageBox::kinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");

    QTest::newRow("notice") << int(MessageBox::Kind::Notice) << int(QMessageBox::Information)
                            << "提示" << int(QMessageBox::Ok) << int(QMessageBox::Ok);
    QTest::newRow("delete question")
        << int(MessageBox::Kind::Question) << int(QMessageBox::Critical) << "警告"
        << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::No);
    QTest::newRow("plain") << int(MessageBox::Kind::Plain) << int(QMessageBox::NoIcon) << "Buildoc"
                           << int(QMessageBox::Ok) << int(QMessageBox::Ok);
    QTest::newRow("error") << int(MessageBox::Kind::Error) << int(QMessageBox::Critical)
                           << "Buildoc" << int(QMessageBox::Ok) << int(QMessageBox::Ok);
}

void TestMessageBox::kinds()
{
    QFETCH(int, kind);
    ui::setApplicationTitle(QStringLiteral("Buildoc"));
    MessageBox::setAutoAnswer(true);
    switch (MessageBox::Kind(kind)) {
    case MessageBox::Kind::Notice:
        MessageBox::notice(nullptr, QStringLiteral("x"));
        break;
    case MessageBox::Kind::Question:
        QVERIFY(!MessageBox::confirmDelete(nullptr, QStringLiteral("要删除吗??")));
        break;
    case MessageBox::Kind::Plain:
        MessageBox::plain(nullptr, QStringLiteral("x"));
        break;
    case MessageBox::Kind::Error:
        MessageBox::error(nullptr, QStringLiteral("x"));
        break;
    }
    MessageBox::setAutoAnswer(false);
    QCOMPARE(MessageBox::history().size(), 1);
    const MessageBox::Record& r = MessageBox::history().first();
    QCOMPARE(int(r.kind), kind);
    QTEST(int(r.icon), "icon");
    QTEST(r.caption, "caption");
    QTEST(int(r.buttons), "buttons");
    QTEST(int(r.defaultButton), "defaultButton");
}

void TestMessageBox::preparedAnswersComeFirst()
{
    MessageBox::setNextAnswer(QMessageBox::Yes);
    MessageBox::setNextAnswer(QMessageBox::No);
    QVERIFY(MessageBox::confirmDelete(nullptr, QStringLiteral("要删除吗??")));
    QVERIFY(!MessageBox::confirmDelete(nullptr, QStringLiteral("要删除吗??")));
    QCOMPARE(MessageBox::history().size(), 2);
    QCOMPARE(MessageBox::history().at(0).text, QStringLiteral("要删除吗??"));
}

void TestMessageBox::realErrorBox()
{
    // The box a user sees: stop icon, one OK button, the title, the text.
    ui::setApplicationTitle(QStringLiteral("公司信息"));
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = int(box->buttons().size());
        QTest::keyClick(box, Qt::Key_Return);
    });
    MessageBox::error(nullptr, QStringLiteral("数据库链接失败"));
    QCOMPARE(caption, QStringLiteral("公司信息"));
    QCOMPARE(text, QStringLiteral("数据库链接失败."));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, 1);
    QCOMPARE(MessageBox::history().last().answer, QMessageBox::Ok);
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
