#include "programfolder.h"

#include "archiva/cataloguestore.h"
#include "archiva/fac.h"
#include "archiva/frmmain.h"
#include "archiva/startup.h"
#include "common/ui/messagebox.h"
#include "common/ui/skin.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using archiva::Tfac;
using archiva::TFrmMain;

namespace {

// What happened during start-up, in order, with the time it happened.
class Journal : public QObject
{
public:
    struct Event
    {
        QString what;
        qint64 ms;
    };
    QList<Event> events;

    Journal() { m_clock.start(); }

    void note(const QString& what) { events.append({what, m_clock.elapsed()}); }

    qint64 first(const QString& what) const
    {
        for (const Event& e : events) {
            if (e.what == what)
                return e.ms;
        }
        return -1;
    }
    qint64 last(const QString& what) const
    {
        qint64 at = -1;
        for (const Event& e : events) {
            if (e.what == what)
                at = e.ms;
        }
        return at;
    }
    int indexOf(const QString& what) const
    {
        for (int i = 0; i < events.size(); ++i) {
            if (events.at(i).what == what)
                return i;
        }
        return -1;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        if (auto* fac = qobject_cast<Tfac*>(widget->window())) {
            if (event->type() == QEvent::Paint)
                note(QStringLiteral("paint ") + widget->objectName());
            if (event->type() == QEvent::Show && widget == fac) {
                note(QStringLiteral("splash shown"));
                QObject::connect(fac, &QObject::destroyed, this,
                                 [this] { note(QStringLiteral("splash destroyed")); });
            }
        } else if (event->type() == QEvent::Show && widget->isWindow()) {
            if (qobject_cast<QMessageBox*>(widget))
                note(QStringLiteral("error box"));
            else if (qobject_cast<TFrmMain*>(widget))
                note(QStringLiteral("main window shown"));
        }
        return false;
    }

private:
    QElapsedTimer m_clock;
};

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void wholeStartUp();
    void missingCatalogue();

private:
    std::unique_ptr<Journal> m_journal;
};

void TestStartUp::init()
{
    ui::MessageBox::clearHistory();
    m_journal = std::make_unique<Journal>();
    qApp->installEventFilter(m_journal.get());
}

void TestStartUp::cleanup()
{
    qApp->removeEventFilter(m_journal.get());
    m_journal.reset();
    ui::MessageBox::setAutoAnswer(false);
    ui::MessageBox::clearHistory();
}

// The one run with the real pause: the splash is painted, then nothing
// happens for two seconds, then the main window comes up with the menus.
void TestStartUp::wholeStartUp()
{
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(QStringLiteral("INSERT INTO sheng(sheng) VALUES ('设计'), ('施工');"
                                        "INSERT INTO diqu(diqu, sheng) VALUES ('钢结构', '设计'), "
                                        "('模板', '施工');"
                                        "INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES "
                                        "('节点', 'a.doc', '钢结构');"));
    ui::MessageBox::setAutoAnswer(true);

    const auto window = archiva::startUp();

    QVERIFY(ui::MessageBox::history().isEmpty());
    const Journal& j = *m_journal;
    QVERIFY(j.first(QStringLiteral("splash shown")) >= 0);
    // Painted completely before the wait: the window, the picture, the label.
    const qint64 painted =
        std::max({j.last(QStringLiteral("paint fac")), j.last(QStringLiteral("paint Image1")),
                  j.last(QStringLiteral("paint Label4"))});
    QVERIFY(j.first(QStringLiteral("paint fac")) >= 0);
    QVERIFY(j.first(QStringLiteral("paint Image1")) >= 0);
    QVERIFY(j.first(QStringLiteral("paint Label4")) >= 0);
    const qint64 destroyed = j.first(QStringLiteral("splash destroyed"));
    QVERIFY(destroyed >= 0);
    QVERIFY2(destroyed - painted >= 2000,
             qPrintable(QStringLiteral("paused %1 ms").arg(destroyed - painted)));
    QVERIFY(j.indexOf(QStringLiteral("splash destroyed")) <
            j.indexOf(QStringLiteral("main window shown")));
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<Tfac*>(widget));

    QCOMPARE(ui::applicationTitle(), QStringLiteral("Buildoc"));
    QVERIFY(ui::skinApplied());
    QVERIFY(window->isVisible());
    QVERIFY(window->isMaximized());
    QCOMPARE(window->menuBar()->actions().size(), 3);

    archiva::CatalogueStore& store = *window->store();
    QVERIFY(store.ADOConnection1->connected());
    QVERIFY(!store.ADOsheng->active());
    QVERIFY(!store.ADOdiqu->active());
    QVERIFY(!store.ADOpindao->active());
    QCOMPARE(store.ADOdiqu->filterExpression(), QStringLiteral("sheng='施工'"));
    QCOMPARE(store.ADOpindao->filterExpression(), QStringLiteral("diqu='模板'"));
}

// Without tvurl.dat: the splash, then the error box while the main window is
// hidden, then the window with only the fixed command menu.
void TestStartUp::missingCatalogue()
{
    archivatest::ProgramFolder folder;
    QString caption;
    bool answered = false;
    // Answers the box once it is up (the splash comes first).
    QTimer poll;
    poll.setInterval(0);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        caption = box->windowTitle();
        answered = true;
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();

    const auto window = archiva::startUp(0);

    QVERIFY(answered);
    QCOMPARE(caption, QStringLiteral("Buildoc"));
    const Journal& j = *m_journal;
    const int splash = j.indexOf(QStringLiteral("splash destroyed"));
    const int box = j.indexOf(QStringLiteral("error box"));
    const int shown = j.indexOf(QStringLiteral("main window shown"));
    QVERIFY(splash >= 0);
    QVERIFY(splash < box);
    QVERIFY(box < shown);
    QVERIFY(window->isVisible());
    QCOMPARE(window->menuBar()->actions().size(), 1);
    QCOMPARE(window->menuBar()->actions().first()->text(), QStringLiteral("【操作】"));
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
