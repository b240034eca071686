#include "../programfolder.h"

#include "archiva/cataloguestore.h"
#include "archiva/search/frm_wdcx.h"
#include "common/data/dataerror.h"
#include "common/data/querydataset.h"
#include "common/ui/dbgrid.h"
#include "common/ui/messagebox.h"
#include "common/ui/opener.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using archiva::TFrm_wdcx;
using ui::MessageBox;

namespace {

// Row keys 1..7 in this order; row 3 has no name.
const char* const catalogueRows = R"sql(
INSERT INTO diantai (dt_ming, dt_wangzhi, diqu) VALUES
    ('混凝土结构设计要点', '资料\混凝土.doc', '混凝土结构'),
    ('钢结构连接节点做法', '资料\钢结构.doc', '钢结构'),
    (NULL, '资料\无名.doc', '钢结构'),
    ('Concrete Mix GB50164', '资料\mix.doc', '混凝土结构'),
    ('屋面防水"三道"做法', '资料\防水.doc', '防水'),
    ('O''Neil 桩基手册', '资料\桩基.doc', '地基'),
    ('钢筋100%检测', '资料\检测.doc', '检测');
)sql";

// A program folder with the catalogue above, a connected store and a search
// window on it. The window goes before the store, the store before the folder.
struct Fixture
{
    archivatest::ProgramFolder folder;
    archiva::CatalogueStore store;
    std::unique_ptr<TFrm_wdcx> window;

    Fixture()
    {
        folder.makeCatalogue(QString::fromUtf8(catalogueRows));
        for (const char* file : {"资料/混凝土.doc", "资料/钢结构.doc", "资料/mix.doc"})
            folder.addFile(QString::fromUtf8(file));
        store.connectToCatalogue();
        window = std::make_unique<TFrm_wdcx>(store);
    }

    QString stored(const QString& column, int key) const
    {
        return fixture::scalar(
            folder.catalogue(),
            QStringLiteral("SELECT %1 FROM diantai WHERE 编号 = %2").arg(column).arg(key));
    }

    bool showActive()
    {
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }

    void search(const QString& text)
    {
        window->Edit1->setText(text);
        QTest::mouseClick(window->Button1, Qt::LeftButton);
    }

    QStringList names() const
    {
        QStringList out;
        const QAbstractItemModel* model = window->DBGrid1->model();
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->index(r, 0).data().toString();
        return out;
    }

    QPoint cellCentre(int row, int column) const
    {
        const QAbstractItemModel* model = window->DBGrid1->model();
        return window->DBGrid1->visualRect(model->index(row, column)).center();
    }

    // Puts a new value into a cell as the cell editor does.
    void typeInto(int row, int column, const QString& text)
    {
        QAbstractItemModel* model = window->DBGrid1->model();
        window->DBGrid1->setCurrentIndex(model->index(row, column));
        QVERIFY(model->setData(model->index(row, column), text, Qt::EditRole));
        QCOMPARE(window->ADOQuery1->state(), data::Dataset::State::Edit);
    }
};

QString closedQueryMessage()
{
    // What the window says when there is no result to open from.
    return QStringLiteral("还没有查询结果，请先输入文档名称并点击“查询”");
}

} // namespace

class TestFrmWdcx : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void statement();
    void design();
    void search_data();
    void search();
    void secondSearchReplacesFirst();
    void failedSearchKeepsCount();
    void enterSearches_data();
    void enterSearches();
    void escCloses_data();
    void escCloses();
    void escCancelsPendingEdit();
    void focusOnShow();
    void focusAfterEmptyResult();
    void open_data();
    void open();
    void editStored_data();
    void editStored();
    void editSurvivesRestart();
    void editRefused_data();
    void editRefused();
    void deleteRow_data();
    void deleteRow();
    void modalFromOwner();

private:
    QStringList m_opened;
};

void TestFrmWdcx::initTestCase()
{
    ui::setApplicationTitle(QStringLiteral("Buildoc"));
}

void TestFrmWdcx::init()
{
    m_opened.clear();
    ui::Opener::setHandler([this](const QString& path) { m_opened << path; });
    MessageBox::clearHistory();
    // A box nobody expected is recorded, not shown.
    MessageBox::setAutoAnswer(true);
}

void TestFrmWdcx::cleanup()
{
    ui::Opener::reset();
    MessageBox::setAutoAnswer(false);
    MessageBox::clearHistory();
}

void TestFrmWdcx::statement()
{
    // The typed text is bound exactly as typed: not trimmed, nothing escaped.
    const QString typed = QStringLiteral(" 5%_\"'\\ ");
    const archiva::SearchStatement s = archiva::searchStatement(typed);
    QCOMPARE(s.text, QStringLiteral("select * from diantai where dt_ming like ? "));
    QCOMPARE(s.values, QVariantList{QStringLiteral("% 5%_\"'\\ %")});
    QCOMPARE(archiva::resultCountText(12), QStringLiteral("共找到查询结果 12 条"));
}

void TestFrmWdcx::design()
{
    Fixture f;
    TFrm_wdcx& w = *f.window;

    QCOMPARE(w.windowTitle(), QStringLiteral("文档查询"));
    QCOMPARE(w.size(), QSize(742, 529));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.font().family(), QStringLiteral("宋体"));
    QCOMPARE(w.font().pixelSize(), 15);

    QCOMPARE(w.Label1->text(), QStringLiteral("请输入需要查询的文档名称   "));
    QCOMPARE(w.Label1->buddy(), w.Edit1);
    QVERIFY(w.Edit1->text().isEmpty());
    QCOMPARE(w.Button1->text(), QStringLiteral("查询"));
    QCOMPARE(w.Button2->text(), QStringLiteral("打开指定文档"));
    QCOMPARE(w.BitBtn3->text(), QStringLiteral("关闭(Esc)"));
    QCOMPARE(w.BitBtn3->iconSize(), QSize(32, 32));
    QVERIFY(!w.BitBtn3->icon().isNull());
    for (const QPushButton* button : w.findChildren<QPushButton*>()) {
        QVERIFY2(!button->autoDefault() && !button->isDefault(), qPrintable(button->text()));
        QVERIFY(w.rect().contains(button->geometry()));
    }
    QVERIFY(w.Label2->text().isEmpty());
    QVERIFY(!w.ADOQuery1->active());

    QCOMPARE(w.DBGrid1->toolTip(), QStringLiteral("双击打开指定文档资料"));
    QCOMPARE(w.DBGrid1->size(), QSize(729, 433));
    QVERIFY(!w.DBGrid1->isReadOnly());
    QVERIFY(!w.DBGrid1->verticalHeader()->isHidden());
    QVERIFY(!w.DBGrid1->accessibleName().isEmpty());
    QCOMPARE(w.DBGrid1->model()->rowCount(), 0);
    QStringList titles;
    QList<int> widths;
    for (int c = 0; c < w.DBGrid1->model()->columnCount(); ++c) {
        titles << w.DBGrid1->model()->headerData(c, Qt::Horizontal).toString();
        widths << w.DBGrid1->columnWidth(c);
    }
    QCOMPARE(titles, (QStringList{"文档名称", "文档地址", "所在菜单"}));
    QCOMPARE(widths, (QList<int>{453, 184, 334}));
}

void TestFrmWdcx::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("empty: every named entry")
        << QString()
        << QStringList{"混凝土结构设计要点",   "钢结构连接节点做法", "Concrete Mix GB50164",
                       "屋面防水\"三道\"做法", "O'Neil 桩基手册",    "钢筋100%检测"};
    QTest::newRow("substring in the middle") << "连接" << QStringList{"钢结构连接节点做法"};
    QTest::newRow("two matches in table order")
        << "结构" << QStringList{"混凝土结构设计要点", "钢结构连接节点做法"};
    QTest::newRow("no match") << "不存在的文档" << QStringList();
    QTest::newRow("% is a wildcard") << "结构%做法" << QStringList{"钢结构连接节点做法"};
    QTest::newRow("_ is a wildcard") << "钢_构" << QStringList{"钢结构连接节点做法"};
    QTest::newRow("double quote") << "\"三道\"" << QStringList{"屋面防水\"三道\"做法"};
    QTest::newRow("single quote") << "O'Neil" << QStringList{"O'Neil 桩基手册"};
    QTest::newRow("Latin letters in other case")
        << "concrete mix gb" << QStringList{"Concrete Mix GB50164"};
    QTest::newRow("blanks are not trimmed") << "Mix  " << QStringList();
}

void TestFrmWdcx::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);

    Fixture f;
    f.search(text);

    QVERIFY(MessageBox::history().isEmpty());
    QCOMPARE(f.names(), names);
    QCOMPARE(f.window->Label2->text(), QStringLiteral("共找到查询结果 %1 条").arg(names.size()));
    // The first row is current.
    QCOMPARE(f.window->ADOQuery1->currentRow(), names.isEmpty() ? -1 : 0);
}

void TestFrmWdcx::secondSearchReplacesFirst()
{
    Fixture f;
    f.search(QStringLiteral("结构"));
    QCOMPARE(f.names().size(), 2);
    f.window->DBGrid1->setCurrentIndex(f.window->DBGrid1->model()->index(1, 0));

    f.search(QStringLiteral("CONCRETE"));
    QCOMPARE(f.names(), QStringList{"Concrete Mix GB50164"});
    QCOMPARE(f.window->Label2->text(), QStringLiteral("共找到查询结果 1 条"));
    QCOMPARE(f.window->ADOQuery1->currentRow(), 0);
    QCOMPARE(f.window->ADOQuery1->fieldText(QStringLiteral("dt_wangzhi")),
             QStringLiteral("资料\\mix.doc"));
}

void TestFrmWdcx::failedSearchKeepsCount()
{
    Fixture f;
    f.search(QStringLiteral("结构"));
    QCOMPARE(f.window->Label2->text(), QStringLiteral("共找到查询结果 2 条"));

    // Another program takes the table away.
    fixture::execute(f.folder.catalogue(), QStringLiteral("ALTER TABLE diantai RENAME TO old;"));
    f.search(QStringLiteral("钢"));

    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().at(0).kind, MessageBox::Kind::Error);
    QVERIFY2(MessageBox::history().at(0).text.contains(QStringLiteral("diantai")),
             qPrintable(MessageBox::history().at(0).text));
    QCOMPARE(f.window->Label2->text(), QStringLiteral("共找到查询结果 2 条"));
    QVERIFY(!f.window->ADOQuery1->active());
    QCOMPARE(f.window->DBGrid1->model()->rowCount(), 0);

    // Nothing to open now: the closed result is reported.
    MessageBox::clearHistory();
    QTest::mouseClick(f.window->Button2, Qt::LeftButton);
    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().at(0).kind, MessageBox::Kind::Error);
    QVERIFY(m_opened.isEmpty());
}

void TestFrmWdcx::enterSearches_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void TestFrmWdcx::enterSearches()
{
    QFETCH(int, key);
    Fixture f;
    QVERIFY(f.showActive());
    f.window->Edit1->setText(QStringLiteral("节点"));
    QTest::keyClick(f.window->Edit1, Qt::Key(key));

    QCOMPARE(f.window->Label2->text(), QStringLiteral("共找到查询结果 1 条"));
    QCOMPARE(f.names(), QStringList{"钢结构连接节点做法"});
    // Enter presses no button: nothing opened, nothing closed.
    QVERIFY(f.window->isVisible());
    QVERIFY(m_opened.isEmpty());
    QVERIFY(MessageBox::history().isEmpty());
    QCOMPARE(QApplication::focusWidget(), f.window->Edit1);
}

void TestFrmWdcx::escCloses_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("in the edit") << "Edit1";
    QTest::newRow("in the grid") << "DBGrid1";
    QTest::newRow("on a button") << "Button2";
}

void TestFrmWdcx::escCloses()
{
    QFETCH(QString, focus);
    Fixture f;
    QVERIFY(f.showActive());
    f.search(QStringLiteral("结构"));
    auto* target = f.window->findChild<QWidget*>(focus);
    QVERIFY(target);
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);

    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.window->result(), TFrm_wdcx::closeResult);
}

void TestFrmWdcx::escCancelsPendingEdit()
{
    Fixture f;
    QVERIFY(f.showActive());
    f.search(QStringLiteral("连接"));
    f.window->DBGrid1->setFocus();
    f.typeInto(0, 0, QStringLiteral("改过的名称"));

    QTest::keyClick(f.window->DBGrid1, Qt::Key_Escape);
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.window->ADOQuery1->state(), data::Dataset::State::Browse);
    QCOMPARE(f.names(), QStringList{"钢结构连接节点做法"});

    QTest::keyClick(f.window->DBGrid1, Qt::Key_Escape);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.stored(QStringLiteral("dt_ming"), 2), QStringLiteral("钢结构连接节点做法"));
}

void TestFrmWdcx::focusOnShow()
{
    Fixture f;
    QVERIFY(f.showActive());
    QCOMPARE(QApplication::focusWidget(), f.window->Edit1);
    // Showing makes no button the default one either.
    for (const QPushButton* button : f.window->findChildren<QPushButton*>())
        QVERIFY2(!button->isDefault(), qPrintable(button->text()));
}

void TestFrmWdcx::focusAfterEmptyResult()
{
    Fixture f;
    QVERIFY(f.showActive());
    f.search(QStringLiteral("不存在的文档"));
    QCOMPARE(f.window->Label2->text(), QStringLiteral("共找到查询结果 0 条"));

    QTest::mouseClick(f.window->Button2, Qt::LeftButton);
    QCOMPARE(MessageBox::history().size(), 1);
    const MessageBox::Record& box = MessageBox::history().at(0);
    QCOMPARE(box.kind, MessageBox::Kind::Plain);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.caption, QStringLiteral("Buildoc"));
    QCOMPARE(box.text, QStringLiteral("没有找到您要查询的记录，请重新查询！"));
    QCOMPARE(QApplication::focusWidget(), f.window->Edit1);
    QVERIFY(m_opened.isEmpty());
}

void TestFrmWdcx::open_data()
{
    QTest::addColumn<bool>("searched");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("chosenRow");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<int>("boxKind");
    QTest::addColumn<QString>("boxText");

    const int none = -1;
    const int notice = int(MessageBox::Kind::Notice);
    const int plain = int(MessageBox::Kind::Plain);
    const int error = int(MessageBox::Kind::Error);
    const QString closed = MessageBox::errorText(closedQueryMessage());

    QTest::newRow("first row when none chosen")
        << true << "结构" << -1 << false << "资料/混凝土.doc" << none << QString();
    QTest::newRow("the chosen row")
        << true << "结构" << 1 << false << "资料/钢结构.doc" << none << QString();
    QTest::newRow("double-click on a row")
        << true << "结构" << 1 << true << "资料/钢结构.doc" << none << QString();
    QTest::newRow("missing file") << true << "桩基" << -1 << false << QString() << notice
                                  << QStringLiteral("找不到文档文件");
    QTest::newRow("empty result, double-click")
        << true << "不存在的文档" << -1 << true << QString() << plain
        << QStringLiteral("没有找到您要查询的记录");
    QTest::newRow("no search yet")
        << false << QString() << -1 << false << QString() << error << closed;
    QTest::newRow("no search yet, double-click")
        << false << QString() << -1 << true << QString() << error << closed;
}

void TestFrmWdcx::open()
{
    QFETCH(bool, searched);
    QFETCH(QString, text);
    QFETCH(int, chosenRow);
    QFETCH(bool, doubleClick);
    QFETCH(QString, opened);
    QFETCH(int, boxKind);
    QFETCH(QString, boxText);

    Fixture f;
    QVERIFY(f.showActive());
    if (searched)
        f.search(text);
    QWidget* viewport = f.window->DBGrid1->viewport();
    if (chosenRow >= 0)
        QTest::mouseClick(viewport, Qt::LeftButton, {}, f.cellCentre(chosenRow, 0));
    if (doubleClick) {
        const QPoint where = chosenRow >= 0 ? f.cellCentre(chosenRow, 0) : QPoint(200, 300);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, where);
    } else {
        QTest::mouseClick(f.window->Button2, Qt::LeftButton);
    }

    QCOMPARE(m_opened, opened.isEmpty() ? QStringList() : QStringList{f.folder.path() + opened});
    if (boxKind < 0) {
        QVERIFY(MessageBox::history().isEmpty());
    } else {
        QCOMPARE(MessageBox::history().size(), 1);
        QCOMPARE(int(MessageBox::history().at(0).kind), boxKind);
        QVERIFY2(MessageBox::history().at(0).text.startsWith(boxText),
                 qPrintable(MessageBox::history().at(0).text));
    }
    // Opening never closes the window.
    QVERIFY(f.window->isVisible());
}

void TestFrmWdcx::editStored_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Enter in the grid") << "enter";
    QTest::newRow("another row chosen") << "row";
    QTest::newRow("focus to the edit") << "focus";
    QTest::newRow("cell editor, Enter") << "editor";
    QTest::newRow("window closed by its frame") << "close";
    QTest::newRow("window closed, cell editor open") << "close editor";
}

void TestFrmWdcx::editStored()
{
    QFETCH(QString, how);
    Fixture f;
    QVERIFY(f.showActive());
    f.search(QStringLiteral("结构"));
    ui::DBGrid* grid = f.window->DBGrid1;
    grid->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), grid);

    const QString typed = QStringLiteral("资料\\新版.doc");
    if (how.contains(QLatin1String("editor"))) {
        grid->setCurrentIndex(grid->model()->index(1, 1));
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QVERIFY(grid->isAncestorOf(editor));
        editor->setText(typed);
        if (how == QLatin1String("editor"))
            QTest::keyClick(editor, Qt::Key_Return);
        else
            f.window->close();
    } else {
        f.typeInto(1, 1, typed);
        if (how == QLatin1String("enter"))
            QTest::keyClick(grid, Qt::Key_Return);
        else if (how == QLatin1String("row"))
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, f.cellCentre(0, 0));
        else if (how == QLatin1String("focus"))
            QTest::mouseClick(f.window->Edit1, Qt::LeftButton);
        else
            f.window->close();
    }

    // The cell editor hands its text over on the next pass of the event loop.
    QTRY_COMPARE(f.stored(QStringLiteral("dt_wangzhi"), 2), typed);
    QVERIFY2(MessageBox::history().isEmpty(), qPrintable(MessageBox::history().value(0).text));
    QCOMPARE(f.stored(QStringLiteral("dt_ming"), 2), QStringLiteral("钢结构连接节点做法"));
    QCOMPARE(f.window->ADOQuery1->state(), data::Dataset::State::Browse);
    if (f.window->isVisible())
        QCOMPARE(grid->model()->index(1, 1).data().toString(), typed);
}

void TestFrmWdcx::editSurvivesRestart()
{
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(QString::fromUtf8(catalogueRows));
    {
        archiva::CatalogueStore store;
        store.connectToCatalogue();
        TFrm_wdcx window(store);
        window.Edit1->setText(QStringLiteral("桩基"));
        window.Button1->click();
        QAbstractItemModel* model = window.DBGrid1->model();
        QVERIFY(model->setData(model->index(0, 2), QStringLiteral("桩基础"), Qt::EditRole));
        window.BitBtn3->click();
    }
    archiva::CatalogueStore store;
    store.connectToCatalogue();
    TFrm_wdcx window(store);
    window.Edit1->setText(QStringLiteral("桩基"));
    window.Button1->click();
    QCOMPARE(window.DBGrid1->model()->index(0, 2).data().toString(), QStringLiteral("桩基础"));
    QVERIFY(MessageBox::history().isEmpty());
}

void TestFrmWdcx::editRefused_data()
{
    QTest::addColumn<QString>("elsewhere");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("nameAfter");
    QTest::addColumn<QString>("addressAfter");

    QTest::newRow("name over 50 characters")
        << QString() << QString(51, QChar(0x6587)) << QStringLiteral("最多只能保存 50 个字符")
        << QStringLiteral("钢结构连接节点做法") << QStringLiteral("资料\\钢结构.doc");
    QTest::newRow("name of 50 characters is stored")
        << QString() << QString(50, QChar(0x6587)) << QString() << QString(50, QChar(0x6587))
        << QStringLiteral("资料\\钢结构.doc");
    QTest::newRow("row changed elsewhere")
        << QStringLiteral("UPDATE diantai SET dt_wangzhi = '资料\\他人.doc' WHERE 编号 = 2;")
        << QStringLiteral("我的名称") << QStringLiteral("这条记录在读取之后已被其他用户修改或删除")
        << QStringLiteral("钢结构连接节点做法") << QStringLiteral("资料\\他人.doc");
    QTest::newRow("row deleted elsewhere")
        << QStringLiteral("DELETE FROM diantai WHERE 编号 = 2;") << QStringLiteral("我的名称")
        << QStringLiteral("这条记录在读取之后已被其他用户修改或删除") << QStringLiteral("<no row>")
        << QStringLiteral("<no row>");
}

void TestFrmWdcx::editRefused()
{
    QFETCH(QString, elsewhere);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, nameAfter);
    QFETCH(QString, addressAfter);

    Fixture f;
    QVERIFY(f.showActive());
    f.search(QStringLiteral("连接"));
    if (!elsewhere.isEmpty())
        fixture::execute(f.folder.catalogue(), elsewhere);
    f.window->DBGrid1->setFocus();
    f.typeInto(0, 0, typed);
    QTest::keyClick(f.window->DBGrid1, Qt::Key_Return);

    if (message.isEmpty()) {
        QVERIFY(MessageBox::history().isEmpty());
    } else {
        QCOMPARE(MessageBox::history().size(), 1);
        QCOMPARE(MessageBox::history().at(0).kind, MessageBox::Kind::Error);
        QVERIFY2(MessageBox::history().at(0).text.contains(message),
                 qPrintable(MessageBox::history().at(0).text));
    }
    QCOMPARE(f.stored(QStringLiteral("dt_ming"), 2), nameAfter);
    QCOMPARE(f.stored(QStringLiteral("dt_wangzhi"), 2), addressAfter);
    // The window goes on, with nothing left pending.
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.window->ADOQuery1->state(), data::Dataset::State::Browse);
}

void TestFrmWdcx::deleteRow_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("namesAfter");
    QTest::addColumn<QString>("storedAfter");

    QTest::newRow("confirmed") << int(QMessageBox::Ok) << QStringList{"混凝土结构设计要点"}
                               << QStringLiteral("<no row>");
    QTest::newRow("not confirmed")
        << int(QMessageBox::Cancel) << QStringList{"混凝土结构设计要点", "钢结构连接节点做法"}
        << QStringLiteral("钢结构连接节点做法");
}

void TestFrmWdcx::deleteRow()
{
    QFETCH(int, answer);
    QFETCH(QStringList, namesAfter);
    QFETCH(QString, storedAfter);

    Fixture f;
    QVERIFY(f.showActive());
    f.search(QStringLiteral("结构"));
    ui::DBGrid* grid = f.window->DBGrid1;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, f.cellCentre(1, 0));
    MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);

    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().at(0).kind, MessageBox::Kind::Question);
    QCOMPARE(f.names(), namesAfter);
    QCOMPARE(f.stored(QStringLiteral("dt_ming"), 2), storedAfter);
    QCOMPARE(f.stored(QStringLiteral("dt_ming"), 1), QStringLiteral("混凝土结构设计要点"));
    QVERIFY(f.window->isVisible());
}

void TestFrmWdcx::modalFromOwner()
{
    archivatest::ProgramFolder folder;
    folder.makeCatalogue(QString::fromUtf8(catalogueRows));
    archiva::CatalogueStore store;
    store.connectToCatalogue();
    QWidget owner;
    owner.show();

    // Each use gets a new window, owned by the owner, modal, destroyed when
    // it closes; nothing of one use is left in the next.
    QList<QPointer<TFrm_wdcx>> seen;
    QStringList states;
    auto use = [&](const QString& text) {
        QTimer::singleShot(0, &owner, [&, text] {
            auto* window = qobject_cast<TFrm_wdcx*>(QApplication::activeModalWidget());
            if (!window)
                return;
            seen << window;
            states << QStringList{window->parentWidget() == &owner ? "owned" : "not owned",
                                  window->isModal() ? "modal" : "modeless",
                                  window->Edit1->text(),
                                  window->Label2->text(),
                                  QString::number(window->DBGrid1->model()->rowCount()),
                                  window->focusWidget() == window->Edit1 ? "Edit1" : "elsewhere"}
                          .join(QLatin1Char('|'));
            window->Edit1->setText(text);
            window->Button1->click();
            window->BitBtn3->click();
        });
        archiva::showSearchWindow(&owner, store);
    };
    use(QStringLiteral("结构"));
    use(QString());

    QCOMPARE(seen.size(), 2);
    for (const QPointer<TFrm_wdcx>& window : seen)
        QVERIFY(window.isNull());
    QCOMPARE(states, (QStringList{"owned|modal|||0|Edit1", "owned|modal|||0|Edit1"}));
    QVERIFY(owner.findChildren<TFrm_wdcx*>().isEmpty());
    QVERIFY(!store.ADOQuery1->active());
    QVERIFY(MessageBox::history().isEmpty());
}

QTEST_MAIN(TestFrmWdcx)
#include "tst_frm_wdcx.moc"
