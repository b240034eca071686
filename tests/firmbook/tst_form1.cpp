#include "directory.h"

#include "common/about/macabout.h"
#include "common/data/querydataset.h"
#include "common/ui/clocktext.h"
#include "common/ui/dbgrid.h"
#include "common/ui/dbmemo.h"
#include "common/ui/dbnavigator.h"
#include "common/ui/messagebox.h"
#include "firmbook/form1.h"
#include "firmbook/startup.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using firmbook::TForm1;
using ui::DBNavigator;
using ui::MessageBox;

namespace {

const QString hengji = QStringLiteral("福州恒基建材有限公司");
const QString xian = QStringLiteral("西安通达建筑工程有限公司");
const QString guangzhou = QStringLiteral("广州通达建筑设计院");
const QString boyuan = QStringLiteral("合肥博远电气安装工程有限公司");
const QString jinshi = QStringLiteral("\"金石\" 100%钢结构有限公司");

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void design();
    void listsTheWholeDirectoryWhenShown();
    void search_data();
    void search();
    void gridAndMemoFollowTheCurrentRow();
    void noMatch();
    void failedSearchKeepsTheCount();
    void editingACellStoresIt();
    void editingTheMemoStoresIt();
    void rowChangedElsewhereIsNotOverwritten();
    void refreshKeepsTheCount();
    void enterAndEscapeDoNotSearch();
    void enterOrSpaceOnTheButtonSearches();
    void tabOrder();
    void clock();
    void aboutBoxIsOneModelessInstance();
    void exitClosesTheWindow();

private:
    void search(const QStringList& fields);
    QStringList gridNames() const;
    QString panel(int index) const { return m_window->statusPanel(index)->text(); }

    std::unique_ptr<firmbooktest::DirectoryFolder> m_folder;
    std::unique_ptr<TForm1> m_window;
};

void TestForm1::init()
{
    MessageBox::clearHistory();
    MessageBox::setAutoAnswer(true);
    m_folder = std::make_unique<firmbooktest::DirectoryFolder>();
    m_folder->makeDirectory();
    m_window = firmbook::startUp();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(MessageBox::history().isEmpty());
}

void TestForm1::cleanup()
{
    m_window.reset();
    m_folder.reset();
    if (TMac_About* box = TMac_About::findFirmbookAbout())
        delete box;
    MessageBox::setAutoAnswer(false);
    MessageBox::clearHistory();
}

void TestForm1::search(const QStringList& fields)
{
    QLineEdit* const edits[] = {m_window->Edit1, m_window->Edit2,  m_window->Edit3,
                                m_window->Edit4, m_window->Edit13, m_window->Edit10,
                                m_window->Edit7, m_window->Edit6,  m_window->Edit5};
    for (int i = 0; i < 9; ++i)
        edits[i]->setText(i < fields.size() ? fields.at(i) : QString());
    QTest::mouseClick(m_window->BitBtn1, Qt::LeftButton);
}

QStringList TestForm1::gridNames() const
{
    QStringList names;
    const QAbstractItemModel* model = m_window->DBGrid1->model();
    for (int r = 0; r < model->rowCount(); ++r)
        names << model->index(r, 0).data().toString();
    return names;
}

void TestForm1::design()
{
    TForm1& w = *m_window;
    QCOMPARE(firmbook::Form1, &w);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tessary公司信息名录"));
    QCOMPARE(w.size(), QSize(790, 529));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(w.font().family(), QStringLiteral("宋体"));
    QCOMPARE(w.font().pixelSize(), 15);

    QCOMPARE(w.GroupBox2->height(), 163);
    QCOMPARE(w.GroupBox2->title(), QString());
    QCOMPARE(w.GroupBox1->title(), QString());
    QCOMPARE(w.StatusBar1->height(), 28);
    QCOMPARE(w.GroupBox1->geometry().top(), w.GroupBox2->geometry().bottom() + 1);

    // Caption, width and accessible name of each field, row by row.
    const struct
    {
        QLabel* label;
        QLineEdit* edit;
        const char* caption;
        int width;
    } fields[] = {{w.Label1, w.Edit1, "公司", 157},    {w.Label2, w.Edit2, "联系人", 78},
                  {w.Label3, w.Edit3, "联系电话", 80}, {w.Label4, w.Edit4, "传真", 89},
                  {w.Label13, w.Edit13, "地址", 157},  {w.Label6, w.Edit10, "邮编", 80},
                  {w.Label5, w.Edit7, "电子信箱", 79}, {w.Label11, w.Edit6, "网址", 88},
                  {w.Label7, w.Edit5, "主营业务", 538}};
    for (const auto& f : fields) {
        QCOMPARE(f.label->text(), QString::fromUtf8(f.caption));
        QCOMPARE(f.label->buddy(), f.edit);
        QCOMPARE(f.edit->accessibleName(), QString::fromUtf8(f.caption));
        QCOMPARE(f.edit->width(), f.width);
        QCOMPARE(f.edit->text(), QString());
        QCOMPARE(f.edit->maxLength(), 32767); // Qt's largest: no limit of ours
        QVERIFY(f.label->geometry().right() < f.edit->geometry().left());
        QVERIFY(w.GroupBox2->rect().contains(f.edit->geometry()));
    }
    QCOMPARE(w.Edit1->y(), w.Edit4->y());
    QVERIFY(w.Edit13->y() > w.Edit1->y());
    QVERIFY(w.Edit5->y() > w.Edit13->y());
    QVERIFY(w.DBNavigator1->y() > w.Edit5->y());

    const struct
    {
        QPushButton* button;
        const char* caption;
    } buttons[] = {{w.BitBtn1, "查询"}, {w.BitBtn2, "退出"}, {w.BitBtn3, "关于"}};
    int previousTop = -1;
    for (const auto& b : buttons) {
        QCOMPARE(b.button->text(), QString::fromUtf8(b.caption));
        QCOMPARE(b.button->size(), QSize(97, 33));
        QVERIFY(!b.button->autoDefault());
        QVERIFY(!b.button->isDefault());
        QVERIFY(!b.button->icon().isNull());
        QVERIFY(b.button->y() > previousTop);
        QVERIFY(b.button->x() > w.Edit4->geometry().right());
        previousTop = b.button->y();
    }
    QCOMPARE(w.DBNavigator1->size(), QSize(620, 33));
    for (int b = 0; b < DBNavigator::ButtonCount; ++b)
        QVERIFY(w.DBNavigator1->button(DBNavigator::Button(b))->autoRaise());

    // The grid's columns; the memo at the right, behind the splitter.
    const ui::DatasetModel* model = w.DBGrid1->datasetModel();
    const QStringList titles{QStringLiteral("公司名"),
                             QStringLiteral("联系人"),
                             QStringLiteral("联系电话"),
                             QStringLiteral("传真"),
                             QStringLiteral("地址"),
                             QStringLiteral("邮编"),
                             QStringLiteral("电子信箱"),
                             QStringLiteral("网址"),
                             QString(),
                             QString()};
    const QStringList fieldsOf{"name",     "lxr",   "tel", "fax", "address",
                               "postcode", "email", "url", "jj",  "id"};
    const int widths[] = {-1, 97, 122, 137, 404, 50, 160, 160};
    QCOMPARE(model->columnCount(), 10);
    for (int c = 0; c < 10; ++c) {
        QCOMPARE(model->gridColumns().at(c).field, fieldsOf.at(c));
        QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), titles.at(c));
        QCOMPARE(w.DBGrid1->isColumnHidden(c), c >= 8);
        if (c < 8 && widths[c] > 0)
            QCOMPARE(w.DBGrid1->columnWidth(c), widths[c]);
    }
    QVERIFY(w.DBGrid1->columnWidth(0) > 0);
    QVERIFY(!w.DBGrid1->isReadOnly());
    QCOMPARE(w.DBGrid1->horizontalHeader()->font().pixelSize(), 15);
    QCOMPARE(w.DBMemo1->field(), QStringLiteral("jj"));
    QCOMPARE(w.DBMemo1->width(), 102);
    QCOMPARE(w.Splitter1->indexOf(w.DBGrid1), 0);
    QCOMPARE(w.Splitter1->indexOf(w.DBMemo1), 1);
    // The visible columns are wider than the grid: it scrolls sideways.
    QVERIFY(w.DBGrid1->horizontalHeader()->length() > w.DBGrid1->viewport()->width());

    QCOMPARE(w.statusPanel(0)->width(), 150);
    QCOMPARE(w.statusPanel(1)->width(), 150);
    QVERIFY(w.statusPanel(2)->text().contains(QStringLiteral("example.com")));
}

void TestForm1::listsTheWholeDirectoryWhenShown()
{
    QCOMPARE(m_window->ADOQuery1->sql(), QStringList{QStringLiteral("select * from  cominfo ")});
    QCOMPARE(panel(0), QStringLiteral("共找到记录 5条"));
    QCOMPARE(gridNames(), (QStringList{hengji, xian, guangzhou, boyuan, jinshi}));
    QCOMPARE(m_window->ADOQuery1->currentRow(), 0);
}

void TestForm1::search_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("found");

    const QStringList all{hengji, xian, guangzhou, boyuan, jinshi};
    auto at = [](int index, const QString& text) {
        QStringList fields(9);
        fields[index] = text;
        return fields;
    };
    QTest::newRow("nothing filled") << QStringList(9) << all;
    QTest::newRow("blanks and tabs only")
        << QStringList{QStringLiteral("  "), QStringLiteral("\t"), {}, {}, {}, {}, {}, {},
                       QStringLiteral(" \t")}
        << all;
    QTest::newRow("company, trimmed")
        << at(0, QStringLiteral(" 通达\t")) << QStringList{xian, guangzhou};
    QTest::newRow("a later field alone: fax") << at(3, QStringLiteral("029")) << QStringList{xian};
    QTest::newRow("several fields, all must match")
        << QStringList{QStringLiteral("通达"), {}, {}, {}, {}, {}, QStringLiteral("example.cn")}
        << QStringList{xian};
    QTest::newRow("percent keeps rows with a fax")
        << at(3, QStringLiteral("%")) << QStringList{hengji, xian, boyuan, jinshi};
    QTest::newRow("nulls never match a filled field")
        << at(7, QStringLiteral("www")) << QStringList{hengji, xian, boyuan, jinshi};
    QTest::newRow("underscore is any one character")
        << at(1, QStringLiteral("于_")) << QStringList{hengji, jinshi};
    QTest::newRow("double quote matches itself")
        << at(0, QStringLiteral("\"金石\"")) << QStringList{jinshi};
    QTest::newRow("single quote is text too") << at(0, QStringLiteral("'")) << QStringList();
    QTest::newRow("ideographic space is text")
        << at(8, QStringLiteral("\u3000")) << QStringList{boyuan};
    QTest::newRow("business over two lines")
        << at(8, QStringLiteral("砂石\n商品")) << QStringList{hengji};
    QTest::newRow("letters in any case") << at(6, QStringLiteral("SALES@")) << QStringList{hengji};
    QTest::newRow("no match") << at(0, QStringLiteral("不存在的公司")) << QStringList();
}

void TestForm1::search()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, found);
    // Once over the directory as listed, once after another program has
    // written to the file: the rows held and the file give the same answer.
    for (const bool changedElsewhere : {false, true}) {
        if (changedElsewhere)
            m_folder->execute(QStringLiteral("UPDATE cominfo SET postcode = postcode"));
        search(fields);
        QVERIFY2(MessageBox::history().isEmpty(), qPrintable(MessageBox::history().value(0).text));
        QCOMPARE(gridNames(), found);
        QCOMPARE(panel(0), QStringLiteral("共找到记录 %1条").arg(found.size()));
    }
    // The fields keep their text.
    while (fields.size() < 9)
        fields << QString();
    QCOMPARE(m_window->searchFields(), fields);
}

void TestForm1::gridAndMemoFollowTheCurrentRow()
{
    QCOMPARE(m_window->DBMemo1->toPlainText(), QStringLiteral("水泥、砂石\n商品混凝土"));
    search({QStringLiteral("通达")});
    QCOMPARE(m_window->DBGrid1->currentIndex().row(), 0);
    QCOMPARE(m_window->DBMemo1->toPlainText(), QStringLiteral("建筑工程施工总承包"));

    // A click in the grid's second row: its business line is null.
    const QModelIndex second = m_window->DBGrid1->model()->index(1, 1);
    QTest::mouseClick(m_window->DBGrid1->viewport(), Qt::LeftButton, {},
                      m_window->DBGrid1->visualRect(second).center());
    QCOMPARE(m_window->ADOQuery1->currentRow(), 1);
    QCOMPARE(m_window->DBMemo1->toPlainText(), QString());

    // The navigator moves the grid and the memo alike.
    QToolButton* first = m_window->DBNavigator1->button(DBNavigator::First);
    QVERIFY(first->isEnabled());
    QTest::mouseClick(first, Qt::LeftButton);
    QCOMPARE(m_window->DBGrid1->currentIndex().row(), 0);
    QCOMPARE(m_window->DBMemo1->toPlainText(), QStringLiteral("建筑工程施工总承包"));
    QVERIFY(m_window->DBNavigator1->button(DBNavigator::Last)->isEnabled());
}

void TestForm1::noMatch()
{
    search({QStringLiteral("不存在的公司")});
    QCOMPARE(panel(0), QStringLiteral("共找到记录 0条"));
    QCOMPARE(m_window->DBGrid1->model()->rowCount(), 0);
    QCOMPARE(m_window->DBMemo1->toPlainText(), QString());
    QVERIFY(m_window->DBMemo1->isReadOnly());
    for (auto b : {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last})
        QVERIFY(!m_window->DBNavigator1->button(b)->isEnabled());
    QVERIFY(MessageBox::history().isEmpty());
}

void TestForm1::failedSearchKeepsTheCount()
{
    search({QStringLiteral("通达")});
    QCOMPARE(panel(0), QStringLiteral("共找到记录 2条"));
    // Another program takes the table away.
    m_folder->execute(QStringLiteral("DROP TABLE cominfo"));
    search({QStringLiteral("恒基")});
    QCOMPARE(MessageBox::history().size(), 1);
    const MessageBox::Record& box = MessageBox::history().first();
    QCOMPARE(box.kind, MessageBox::Kind::Error);
    QCOMPARE(box.caption, QStringLiteral("公司信息"));
    QVERIFY2(box.text.contains(QStringLiteral("cominfo")), qPrintable(box.text));
    QCOMPARE(panel(0), QStringLiteral("共找到记录 2条"));
    QVERIFY(!m_window->ADOQuery1->active());
    QCOMPARE(m_window->DBGrid1->model()->rowCount(), 0);
    QCOMPARE(m_window->DBMemo1->toPlainText(), QString());
    QVERIFY(!m_window->DBNavigator1->button(DBNavigator::Refresh)->isEnabled());
}

void TestForm1::editingACellStoresIt()
{
    ui::DBGrid* grid = m_window->DBGrid1;
    const QModelIndex contact = grid->model()->index(1, 1);
    grid->setFocus();
    grid->setCurrentIndex(contact);
    grid->edit(contact);
    auto* editor = grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    editor->insert(QStringLiteral("苏秋"));
    QTest::keyClick(editor, Qt::Key_Tab); // next cell of the same row: not stored yet
    QCoreApplication::processEvents();
    QCOMPARE(m_folder->scalar(QStringLiteral("SELECT lxr FROM cominfo WHERE id = 2")),
             QStringLiteral("苏春"));
    QCOMPARE(m_window->ADOQuery1->state(), data::Dataset::State::Edit);
    // Leaving the row stores it.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(3, 1)).center());
    QCOMPARE(m_folder->scalar(QStringLiteral("SELECT lxr FROM cominfo WHERE id = 2")),
             QStringLiteral("苏秋"));
    QCOMPARE(m_window->ADOQuery1->state(), data::Dataset::State::Browse);
    QVERIFY(MessageBox::history().isEmpty());
    // The count is what the last statement found, not touched by editing.
    QCOMPARE(panel(0), QStringLiteral("共找到记录 5条"));
}

void TestForm1::editingTheMemoStoresIt()
{
    m_window->ADOQuery1->setCurrentRow(2); // no business line yet
    m_window->DBMemo1->setFocus();
    QVERIFY(!m_window->DBMemo1->isReadOnly());
    QTest::keyClicks(m_window->DBMemo1, QStringLiteral("design"));
    QCOMPARE(m_window->ADOQuery1->state(), data::Dataset::State::Edit);
    // A search closes the query: the pending row is stored first.
    search({QStringLiteral("广州")});
    QCOMPARE(m_folder->scalar(QStringLiteral("SELECT jj FROM cominfo WHERE id = 3")),
             QStringLiteral("design"));
    QCOMPARE(m_window->DBMemo1->toPlainText(), QStringLiteral("design"));
    QCOMPARE(panel(0), QStringLiteral("共找到记录 1条"));
}

void TestForm1::rowChangedElsewhereIsNotOverwritten()
{
    // Another program changes the first company after it was listed.
    m_folder->execute(QStringLiteral("UPDATE cominfo SET tel = '0591-0000000' WHERE id = 1"));
    m_window->DBMemo1->setFocus();
    m_window->DBMemo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(m_window->DBMemo1, QStringLiteral("x"));
    QCOMPARE(m_window->ADOQuery1->state(), data::Dataset::State::Edit);
    QTest::mouseClick(m_window->DBNavigator1->button(DBNavigator::Next), Qt::LeftButton);

    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().first().kind, MessageBox::Kind::Error);
    QVERIFY2(MessageBox::history().first().text.contains(QStringLiteral("其他用户")),
             qPrintable(MessageBox::history().first().text));
    QCOMPARE(m_folder->scalar(QStringLiteral("SELECT tel || '|' || jj FROM cominfo WHERE id = 1")),
             QStringLiteral("0591-0000000|水泥、砂石\n商品混凝土"));
    QCOMPARE(m_window->ADOQuery1->state(), data::Dataset::State::Browse);
    QCOMPARE(m_window->ADOQuery1->currentRow(), 0);
    QCOMPARE(m_window->DBMemo1->toPlainText(), QStringLiteral("水泥、砂石\n商品混凝土"));
}

void TestForm1::refreshKeepsTheCount()
{
    search({QStringLiteral("通达")});
    m_folder->execute(QStringLiteral("INSERT INTO cominfo(name) VALUES ('成都通达监理有限公司');"
                                     "UPDATE cominfo SET jj = '更新后的业务' WHERE id = 2;"));
    QTest::mouseClick(m_window->DBNavigator1->button(DBNavigator::Refresh), Qt::LeftButton);
    QCOMPARE(gridNames(), (QStringList{xian, guangzhou, QStringLiteral("成都通达监理有限公司")}));
    QCOMPARE(m_window->DBMemo1->toPlainText(), QStringLiteral("更新后的业务"));
    QCOMPARE(panel(0), QStringLiteral("共找到记录 2条"));
}

void TestForm1::enterAndEscapeDoNotSearch()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->Edit1->setFocus();
    QTest::keyClicks(m_window->Edit1, QStringLiteral("xyz"));
    QTest::keyClick(m_window->Edit1, Qt::Key_Return);
    QTest::keyClick(m_window->Edit1, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(m_window->Edit1, Qt::Key_Escape);
    m_window->DBGrid1->setFocus();
    QTest::keyClick(m_window->DBGrid1, Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->Edit1->text(), QStringLiteral("xyz"));
    QCOMPARE(m_window->ADOQuery1->sql(), QStringList{QStringLiteral("select * from  cominfo ")});
    QCOMPARE(panel(0), QStringLiteral("共找到记录 5条"));
}

void TestForm1::enterOrSpaceOnTheButtonSearches()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->Edit2->setText(QStringLiteral("于"));
    m_window->BitBtn1->setFocus();
    QTest::keyClick(m_window->BitBtn1, Qt::Key_Return);
    QCOMPARE(panel(0), QStringLiteral("共找到记录 2条"));
    m_window->Edit2->setText(QStringLiteral("周"));
    QTest::keyClick(m_window->BitBtn1, Qt::Key_Space);
    QCOMPARE(panel(0), QStringLiteral("共找到记录 1条"));
    m_window->Edit2->clear();
    QTest::keyClick(m_window->BitBtn1, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(panel(0), QStringLiteral("共找到记录 5条"));
}

void TestForm1::tabOrder()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    // The grid has the focus at first; the grid itself tabs between cells.
    QCOMPARE(QApplication::focusWidget(), m_window->DBGrid1);
    m_window->ADOQuery1->setCurrentRow(2); // the navigator's four moves are enabled
    m_window->DBMemo1->setFocus();
    const QList<QWidget*> expected{m_window->Edit1,
                                   m_window->Edit2,
                                   m_window->Edit3,
                                   m_window->Edit4,
                                   m_window->Edit13,
                                   m_window->Edit6,
                                   m_window->Edit10,
                                   m_window->Edit7,
                                   m_window->Edit5,
                                   m_window->BitBtn1,
                                   m_window->BitBtn2,
                                   m_window->BitBtn3,
                                   m_window->DBNavigator1->button(DBNavigator::First),
                                   m_window->DBNavigator1->button(DBNavigator::Prior),
                                   m_window->DBNavigator1->button(DBNavigator::Next),
                                   m_window->DBNavigator1->button(DBNavigator::Last),
                                   m_window->DBNavigator1->button(DBNavigator::Refresh),
                                   m_window->DBGrid1};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    // The memo takes Tab as a move, not as text.
    m_window->DBMemo1->setFocus();
    QTest::keyClick(m_window->DBMemo1, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), m_window->DBGrid1);
    QCOMPARE(m_window->ADOQuery1->state(), data::Dataset::State::Browse);
}

void TestForm1::clock()
{
    // Blank until the first tick, a second after the window was made.
    TForm1 fresh;
    QCOMPARE(fresh.statusPanel(1)->text(), QString());
    QVERIFY(fresh.Timer1->isActive());
    QCOMPARE(fresh.Timer1->interval(), 1000);
    const QDateTime afternoon(QDate(2024, 3, 5), QTime(14, 7, 9));
    fresh.showClock(afternoon);
    QCOMPARE(fresh.statusPanel(1)->text(), ui::clockText(afternoon));
    QVERIFY(fresh.statusPanel(1)->text().contains(QStringLiteral("14:07:09")));
    const QDateTime midnight(QDate(2024, 3, 5), QTime(0, 0, 0, 500));
    fresh.showClock(midnight);
    QCOMPARE(fresh.statusPanel(1)->text(),
             QLocale().toString(midnight.date(), QLocale::ShortFormat));
}

void TestForm1::aboutBoxIsOneModelessInstance()
{
    QVERIFY(!TMac_About::findFirmbookAbout());
    QTest::mouseClick(m_window->BitBtn3, Qt::LeftButton);
    TMac_About* box = TMac_About::findFirmbookAbout();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(box->arrangement(), TMac_About::Arrangement::Firmbook);

    // The directory stays usable while the box is open.
    search({QStringLiteral("通达")});
    QCOMPARE(panel(0), QStringLiteral("共找到记录 2条"));

    QTest::mouseClick(m_window->BitBtn3, Qt::LeftButton);
    QCOMPARE(TMac_About::findFirmbookAbout(), box);
    box->move(box->pos() + QPoint(30, 20));
    const QPoint left = box->pos();
    QTest::mouseClick(box->BitBtn3, Qt::LeftButton);
    QVERIFY(!box->isVisible());
    QTest::mouseClick(m_window->BitBtn3, Qt::LeftButton);
    QCOMPARE(TMac_About::findFirmbookAbout(), box);
    QVERIFY(box->isVisible());
    QCOMPARE(box->pos(), left);
    int boxes = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        boxes += qobject_cast<TMac_About*>(w) ? 1 : 0;
    QCOMPARE(boxes, 1);
}

void TestForm1::exitClosesTheWindow()
{
    QTest::mouseClick(m_window->BitBtn2, Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QVERIFY(MessageBox::history().isEmpty());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
