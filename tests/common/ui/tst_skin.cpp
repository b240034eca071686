#include "common/ui/skin.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

class TestSkin : public QObject
{
    Q_OBJECT

private slots:
    void controlsKeepTheWindowsFont();
};

void TestSkin::controlsKeepTheWindowsFont()
{
    ui::applySkin();
    QVERIFY(ui::skinApplied());

    QMainWindow window;
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(15);
    window.setFont(font);
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    auto* tabs = new QTabWidget(central);
    auto* page = new QWidget(tabs);
    tabs->addTab(page, QStringLiteral("主菜单"));
    auto* onPage = new QLabel(QStringLiteral("菜单名"), page);
    auto* own = new QLabel(QStringLiteral("自己的"), page);
    QFont big = font;
    big.setPixelSize(24);
    own->setFont(big);
    auto* panel = new QLabel(QStringLiteral("当前时间"));
    window.statusBar()->addWidget(panel);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* late = new QLabel(QStringLiteral("后来的"), central);
    late->show();
    QCoreApplication::processEvents();

    for (QWidget* w : {central, static_cast<QWidget*>(tabs), page, static_cast<QWidget*>(onPage),
                       static_cast<QWidget*>(panel), static_cast<QWidget*>(late)})
        QCOMPARE(w->font().pixelSize(), 15);
    QCOMPARE(own->font().pixelSize(), 24);
}

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
