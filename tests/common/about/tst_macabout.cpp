#include "common/about/macabout.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using Arrangement = TMac_About::Arrangement;
Q_DECLARE_METATYPE(TMac_About::Arrangement)

namespace {

QPoint desktopCentre()
{
    return QGuiApplication::primaryScreen()->virtualGeometry().center();
}

bool centredOnDesktop(const QWidget* window)
{
    const QPoint offset = window->frameGeometry().center() - desktopCentre();
    return offset.manhattanLength() <= 1;
}

// Clicks through the window system, where a modal window blocks input.
void systemClick(QWidget* target)
{
    QWindow* window = target->window()->windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, {},
                      target->mapTo(target->window(), target->rect().center()));
}

int aboutBoxCount()
{
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        count += qobject_cast<TMac_About*>(window) != nullptr;
    return count;
}

// A stand-in for Archiva's main window: the command menu with "关于我们".
struct ArchivaMain
{
    QMainWindow window;
    QMenu* menu = nullptr;
    QAction* n2 = nullptr;

    ArchivaMain()
    {
        menu = window.menuBar()->addMenu(QStringLiteral("【操作】"));
        n2 = menu->addAction(QStringLiteral("关于我们"));
        QObject::connect(n2, &QAction::triggered, &window,
                         [this] { TMac_About::showArchivaAbout(&window); });
        window.setCentralWidget(new QWidget);
        window.resize(500, 300);
        window.move(0, 0);
        window.show();
    }

    // Clicks the menu's title in the menu bar, as the user would.
    void clickMenuTitle()
    {
        QMenuBar* bar = window.menuBar();
        const QPoint point = bar->actionGeometry(menu->menuAction()).center();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, bar->mapTo(&window, point));
    }
};

// What one modal opening showed, read from inside its loop.
struct Opening
{
    QPointer<TMac_About> box;
    QWidget* parent = nullptr;
    bool modal = false;
    bool centred = false;
    bool active = false;
    bool menuOpened = false;
    bool closedByEsc = false;
};

} // namespace

class TestMacAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void window_data();
    void window();
    void texts_data();
    void texts();
    void contactLinesPerProgram();
    void closeButton_data();
    void closeButton();
    void escapeFromAnywhere_data();
    void escapeFromAnywhere();

    void archivaEachOpeningNewModalCentred();

    void firmbookTwoRequestsOneWindow();
    void firmbookClosedIsHiddenAndComesBackWhereLeft_data();
    void firmbookClosedIsHiddenAndComesBackWhereLeft();
    void firmbookOtherWindowStaysUsable();
    void firmbookEndsWithMainWindow_data();
    void firmbookEndsWithMainWindow();

private:
    Opening openArchivaAbout(ArchivaMain& main, QPoint moveTo);
};

void TestMacAbout::cleanup()
{
    while (TMac_About* box = TMac_About::findFirmbookAbout())
        delete box;
    QCOMPARE(aboutBoxCount(), 0);
}

void TestMacAbout::window_data()
{
    QTest::addColumn<Arrangement>("arrangement");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("visibleWhenCreated");
    QTest::addColumn<bool>("hasBevel");
    QTest::addColumn<bool>("hasRightsNotice");

    QTest::newRow("Archiva") << Arrangement::Archiva << "关于本软件： [Tessary软件]"
                             << QSize(408, 275) << false << false << true;
    QTest::newRow("Firmbook") << Arrangement::Firmbook << "关于本软件" << QSize(353, 275) << true
                              << true << false;
}

void TestMacAbout::window()
{
    QFETCH(Arrangement, arrangement);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(bool, visibleWhenCreated);
    QFETCH(bool, hasBevel);
    QFETCH(bool, hasRightsNotice);

    TMac_About box(arrangement);
    QCOMPARE(box.objectName(), QStringLiteral("Mac_About"));
    QCOMPARE(box.windowTitle(), caption);
    QCOMPARE(box.isVisible(), visibleWhenCreated);
    box.show();

    // Auto size: never smaller than the design, grown where a control
    // would otherwise stick out.
    QVERIFY(box.width() >= client.width());
    QCOMPARE(box.height(), client.height());
    QCOMPARE(box.minimumSize(), box.size());
    for (const QWidget* child : box.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(box.rect().contains(child->geometry()), qPrintable(child->objectName()));
    QCOMPARE(box.Image1->geometry(), box.rect());
    box.resize(box.size() + QSize(40, 30));
    QCOMPARE(box.Image1->geometry(), box.rect());

    const Qt::WindowFlags flags = box.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(box.maximumSize().width() > box.width()); // sizeable

    QVERIFY(box.windowIcon().availableSizes().contains(QSize(48, 48)));
    QCOMPARE(box.font().family(), QStringLiteral("宋体"));
    QCOMPARE(box.font().pixelSize(), 12);

    QCOMPARE(box.Bevel1 != nullptr, hasBevel);
    if (hasBevel)
        QCOMPARE(box.Bevel1->geometry(), QRect(8, 220, 337, 1));
    QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Label10")) != nullptr, hasRightsNotice);
}

void TestMacAbout::texts_data()
{
    QTest::addColumn<Arrangement>("arrangement");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("colour"); // invalid: the window-text colour

    const QColor window;
    const QColor red(Qt::red);
    const QColor blue(Qt::blue);
    struct Row
    {
        const char* name;
        const char* pattern;
        QPoint archiva; // (-1, -1): absent
        QPoint firmbook;
        int pixels;
        bool bold;
        QColor colour;
    };
    // The maker's lines are ours; they must stay plainly fictitious.
    const Row rows[] = {
        {"Label4", "", {86, 48}, {86, 48}, 12, false, window},
        {"Label5", "^操作环境：Window 95/98/Me/Xp$", {88, 64}, {88, 64}, 12, false, window},
        {"Label6", "^Window NT/2000$", {148, 78}, {148, 78}, 12, false, window},
        {"Label7", "^技术支持:\\S+@example\\.com$", {88, 96}, {88, 96}, 12, false, window},
        {"Label9", "^商务合作:\\S+@example\\.com$", {88, 112}, {88, 112}, 12, false, window},
        {"Label15", "^联系电话:0{3}-[\\d -]+$", {88, 128}, {88, 128}, 12, false, window},
        {"Label14", "^QQ在线支持:0\\d+$", {76, 143}, {76, 143}, 12, false, window},
        {"Label1", "^地址：示例.+", {108, 159}, {106, 159}, 12, false, window},
        {"Label11", ".", {230, 183}, {142, 183}, 12, false, red},
        {"Label10", "示例", {7, 224}, {-1, -1}, 12, false, blue},
        {"Label8", "^http://www\\.example\\.com", {8, 251}, {8, 251}, 16, false, blue},
    };
    for (const Row& row : rows) {
        for (Arrangement arrangement : {Arrangement::Archiva, Arrangement::Firmbook}) {
            const bool archiva = arrangement == Arrangement::Archiva;
            const QPoint position = archiva ? row.archiva : row.firmbook;
            if (position.x() < 0)
                continue;
            QString pattern = QString::fromUtf8(row.pattern);
            if (pattern.isEmpty())
                pattern = archiva ? QStringLiteral("^最新版本：2\\.0版$")
                                  : QStringLiteral("^最新版本：1\\.0版$");
            QTest::addRow("%s %s", archiva ? "Archiva" : "Firmbook", row.name)
                << arrangement << QString::fromLatin1(row.name) << pattern << position << row.pixels
                << row.bold << row.colour;
        }
    }
    QTest::newRow("Archiva Label3") << Arrangement::Archiva << "Label3"
                                    << "^Buildoc$" << QPoint(56, 8) << 24 << true << red;
    QTest::newRow("Firmbook Label3")
        << Arrangement::Firmbook << "Label3"
        << "^Tessary公司信息名录$" << QPoint(72, 8) << 29 << true << red;
}

void TestMacAbout::texts()
{
    QFETCH(Arrangement, arrangement);
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(QPoint, position);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(QColor, colour);

    TMac_About box(arrangement);
    auto* label = box.findChild<QLabel*>(name);
    QVERIFY(label);
    QVERIFY2(QRegularExpression(pattern).match(label->text()).hasMatch(),
             qPrintable(label->text()));
    QCOMPARE(label->pos(), position);
    QCOMPARE(label->size(), label->sizeHint());
    QCOMPARE(label->font().family(), QStringLiteral("宋体"));
    QCOMPARE(label->font().pixelSize(), pixels);
    QCOMPARE(label->font().bold(), bold);
    const QColor shown = label->palette().color(label->foregroundRole());
    QCOMPARE(shown, colour.isValid() ? colour : box.palette().color(QPalette::WindowText));
    // Transparent over the picture, and never in the way of the focus.
    QVERIFY(!label->autoFillBackground());
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    // Only the web address has a hint, and it repeats the address.
    QCOMPARE(label->toolTip(), name == QLatin1String("Label8") ? label->text() : QString());
}

void TestMacAbout::contactLinesPerProgram()
{
    TMac_About archiva(Arrangement::Archiva);
    TMac_About firmbook(Arrangement::Firmbook);
    auto text = [](const TMac_About& box, const char* name) {
        return box.findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    QVERIFY(text(archiva, "Label14") != text(firmbook, "Label14"));
    for (const char* name : {"Label7", "Label9", "Label15", "Label1", "Label8"})
        QCOMPARE(text(archiva, name), text(firmbook, name));
}

void TestMacAbout::closeButton_data()
{
    QTest::addColumn<Arrangement>("arrangement");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("Archiva") << Arrangement::Archiva << QPoint(308, 239);
    QTest::newRow("Firmbook") << Arrangement::Firmbook << QPoint(260, 239);
}

void TestMacAbout::closeButton()
{
    QFETCH(Arrangement, arrangement);
    QFETCH(QPoint, position);

    TMac_About box(arrangement);
    QPushButton* button = box.BitBtn3;
    QCOMPARE(button->text(), QStringLiteral("关闭(Esc)"));
    QCOMPARE(button->geometry(), QRect(position, QSize(85, 30)));
    QCOMPARE(button->iconSize(), QSize(18, 18));
    const QImage normal = button->icon().pixmap(QSize(18, 18), QIcon::Normal).toImage();
    const QImage disabled = button->icon().pixmap(QSize(18, 18), QIcon::Disabled).toImage();
    QVERIFY(!normal.isNull());
    QVERIFY(normal != disabled);

    // The button is the one control that takes the focus.
    for (const QWidget* child : box.findChildren<QWidget*>()) {
        if (child != button)
            QVERIFY2(child->focusPolicy() == Qt::NoFocus, qPrintable(child->objectName()));
    }
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QCOMPARE(QApplication::focusWidget(), button);
    QTest::keyClick(&box, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), button);
}

void TestMacAbout::escapeFromAnywhere_data()
{
    QTest::addColumn<Arrangement>("arrangement");
    QTest::addColumn<QString>("target");
    for (Arrangement arrangement : {Arrangement::Archiva, Arrangement::Firmbook}) {
        const char* program = arrangement == Arrangement::Archiva ? "Archiva" : "Firmbook";
        for (const char* target : {"Mac_About", "Label3", "Image1", "BitBtn3"})
            QTest::addRow("%s %s", program, target) << arrangement << QString::fromLatin1(target);
    }
}

void TestMacAbout::escapeFromAnywhere()
{
    QFETCH(Arrangement, arrangement);
    QFETCH(QString, target);

    TMac_About box(arrangement);
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QWidget* widget = target == box.objectName() ? &box : box.findChild<QWidget*>(target);
    QVERIFY(widget);
    QSignalSpy pressed(box.BitBtn3, &QPushButton::clicked);
    QTest::keyClick(widget, Qt::Key_Escape);
    QCOMPARE(pressed.count(), 1); // Esc presses the cancel button
    QVERIFY(box.isHidden());
}

Opening TestMacAbout::openArchivaAbout(ArchivaMain& main, QPoint moveTo)
{
    Opening seen;
    QTimer::singleShot(0, &main.window, [&] {
        auto* box = qobject_cast<TMac_About*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.box = box;
        seen.parent = box->parentWidget();
        seen.modal = box->isModal();
        seen.centred = centredOnDesktop(box);
        seen.active = QTest::qWaitForWindowActive(box);
        // The menus take no input while the box is open.
        main.clickMenuTitle();
        seen.menuOpened = main.menu->isVisible();
        box->move(moveTo);
        QTest::keyClick(box->findChild<QWidget*>(QStringLiteral("Label4")), Qt::Key_Escape);
        seen.closedByEsc = box->isHidden();
        if (!seen.closedByEsc)
            box->reject();
    });
    main.n2->trigger();
    return seen;
}

void TestMacAbout::archivaEachOpeningNewModalCentred()
{
    ArchivaMain main;
    QVERIFY(QTest::qWaitForWindowExposed(&main.window));

    for (int opening = 1; opening <= 2; ++opening) {
        const Opening seen = openArchivaAbout(main, QPoint(30 * opening, 20 * opening));
        QVERIFY2(seen.parent, "no modal About box was open");
        QCOMPARE(seen.parent, &main.window);
        QVERIFY(seen.modal);
        QVERIFY(seen.centred); // also after the previous one was moved
        QVERIFY(seen.active);
        QVERIFY(!seen.menuOpened);
        QVERIFY(seen.closedByEsc);
        QVERIFY2(seen.box.isNull(), "the box outlived its closing");
        QCOMPARE(aboutBoxCount(), 0);
    }

    // The same click reaches the menus once the box is gone.
    main.clickMenuTitle();
    QTRY_VERIFY(main.menu->isVisible());
    main.menu->close();
}

void TestMacAbout::firmbookTwoRequestsOneWindow()
{
    QVERIFY(!TMac_About::findFirmbookAbout());
    QWidget directory;
    directory.show();
    QVERIFY(QTest::qWaitForWindowActive(&directory));

    TMac_About* first = TMac_About::showFirmbookAbout();
    QVERIFY(first);
    QCOMPARE(first->arrangement(), Arrangement::Firmbook);
    QVERIFY(!first->parentWidget()); // the application's, not the window's
    QVERIFY(first->isVisible());
    QVERIFY(!first->isModal());
    QVERIFY(centredOnDesktop(first));
    QVERIFY(QTest::qWaitForWindowActive(first));

    directory.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&directory));
    TMac_About* second = TMac_About::showFirmbookAbout();
    QCOMPARE(second, first);
    QCOMPARE(aboutBoxCount(), 1);
    QTRY_VERIFY(first->isActiveWindow()); // brought to the front
}

void TestMacAbout::firmbookClosedIsHiddenAndComesBackWhereLeft_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close button") << "button";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close box";
}

void TestMacAbout::firmbookClosedIsHiddenAndComesBackWhereLeft()
{
    QFETCH(QString, how);

    QPointer<TMac_About> box = TMac_About::showFirmbookAbout();
    QVERIFY(QTest::qWaitForWindowActive(box));
    const QPoint leftAt(123, 77);
    const QSize leftSize = box->size() + QSize(31, 17);
    box->move(leftAt);
    box->resize(leftSize);

    if (how == QLatin1String("button"))
        QTest::mouseClick(box->BitBtn3, Qt::LeftButton);
    else if (how == QLatin1String("esc"))
        QTest::keyClick(box->Image1, Qt::Key_Escape);
    else
        box->windowHandle()->close();

    QVERIFY(!box.isNull());
    QVERIFY(box->isHidden());
    QCOMPARE(TMac_About::findFirmbookAbout(), box.data());

    QCOMPARE(TMac_About::showFirmbookAbout(), box.data());
    QVERIFY(box->isVisible());
    QCOMPARE(box->pos(), leftAt);
    QCOMPARE(box->size(), leftSize);
    QCOMPARE(aboutBoxCount(), 1);
}

void TestMacAbout::firmbookOtherWindowStaysUsable()
{
    QWidget directory;
    auto* layout = new QVBoxLayout(&directory);
    auto* edit = new QLineEdit;
    auto* search = new QPushButton(QStringLiteral("查询"));
    layout->addWidget(edit);
    layout->addWidget(search);
    int searches = 0;
    connect(search, &QPushButton::clicked, &directory, [&] { ++searches; });
    directory.show();
    QVERIFY(QTest::qWaitForWindowExposed(&directory));

    TMac_About* box = TMac_About::showFirmbookAbout();
    QVERIFY(QTest::qWaitForWindowActive(box));
    QVERIFY(!QApplication::activeModalWidget());

    systemClick(search);
    QCOMPARE(searches, 1);
    edit->setFocus();
    directory.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&directory));
    QTest::keyClick(directory.windowHandle(), Qt::Key_A);
    QTest::keyClick(directory.windowHandle(), Qt::Key_B);
    QCOMPARE(edit->text(), QStringLiteral("ab"));
    QVERIFY(box->isVisible());
}

void TestMacAbout::firmbookEndsWithMainWindow_data()
{
    QTest::addColumn<bool>("boxOpen");
    QTest::newRow("box open") << true;
    QTest::newRow("box hidden") << false;
}

void TestMacAbout::firmbookEndsWithMainWindow()
{
    QFETCH(bool, boxOpen);

    QPointer<TMac_About> box;
    bool stuck = false;
    {
        QWidget directory;
        directory.setAttribute(Qt::WA_DeleteOnClose, false);
        directory.show();
        QVERIFY(QTest::qWaitForWindowExposed(&directory));
        box = TMac_About::showFirmbookAbout();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        if (!boxOpen)
            box->BitBtn3->click();
        QCOMPARE(box->isVisible(), boxOpen);

        QTimer::singleShot(0, &directory, &QWidget::close);
        // Only a stuck program waits for this.
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, qApp, [&] {
            stuck = true;
            QCoreApplication::quit();
        });
        safety.start(5000);
        QApplication::exec();
    }
    QVERIFY2(!stuck, "the About box kept the program running");
    QVERIFY2(box.isNull(), "the About box outlived the program");
}

QTEST_MAIN(TestMacAbout)
#include "tst_macabout.moc"
