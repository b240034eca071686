#include "archiva/programfolder.h"

#include "archiva/cataloguestore.h"
#include "archiva/maintenance/frmurl.h"
#include "common/ui/dbgrid.h"
#include "common/ui/dblookupcombobox.h"
#include "common/ui/messagebox.h"
#include "common/ui/skin.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using archiva::TFrmUrl;
using ui::MessageBox;

namespace {

// Three rows a level; 编号 1..3 in this order.
const char* const sampleRows = R"sql(
INSERT INTO sheng (sheng) VALUES ('设计规范'), ('施工技术'), ('质量验收');
INSERT INTO diqu (diqu, sheng) VALUES
    ('混凝土结构', '设计规范'), ('钢结构', '设计规范'), ('模板工程', '施工技术');
INSERT INTO diantai (dt_ming, dt_wangzhi, diqu) VALUES
    ('梁板裂缝控制', '资料\梁板裂缝控制.doc', '混凝土结构'),
    ('钢结构节点', '资料\钢结构节点.doc', '钢结构'),
    ('模板支撑', '资料\模板支撑.doc', '模板工程');
)sql";

// What the tests need to know of a tab: the description's table of
// differences, and the tab's controls.
struct Level
{
    QString table;
    QString nameColumn;
    QString parentColumn;  // empty: none
    QString addressColumn; // empty: none
    QStringList names;     // of the rows 编号 1..3
    QString duplicateMessage;
    // The level below and its column naming this level; empty: none.
    QString childTable;
    QString childColumn;
    // A parent that the fixture's rows do not use, to pick in the tab's list.
    QString otherParent;
};

const Level& level(int tab)
{
    static const Level levels[3] = {
        {QStringLiteral("sheng"),
         QStringLiteral("sheng"),
         {},
         {},
         {QStringLiteral("设计规范"), QStringLiteral("施工技术"), QStringLiteral("质量验收")},
         QStringLiteral("已有相同菜单!!  "),
         QStringLiteral("diqu"),
         QStringLiteral("sheng"),
         {}},
        {QStringLiteral("diqu"),
         QStringLiteral("diqu"),
         QStringLiteral("sheng"),
         {},
         {QStringLiteral("混凝土结构"), QStringLiteral("钢结构"), QStringLiteral("模板工程")},
         QStringLiteral("已有相同内容!!  "),
         QStringLiteral("diantai"),
         QStringLiteral("diqu"),
         QStringLiteral("质量验收")},
        {QStringLiteral("diantai"),
         QStringLiteral("dt_ming"),
         QStringLiteral("diqu"),
         QStringLiteral("dt_wangzhi"),
         {QStringLiteral("梁板裂缝控制"), QStringLiteral("钢结构节点"), QStringLiteral("模板支撑")},
         QStringLiteral("已有相同内容!!  "),
         {},
         {},
         QStringLiteral("模板工程")},
    };
    return levels[tab];
}

struct Controls
{
    QLineEdit* name;
    ui::DBLookupComboBox* parent;
    QLineEdit* address;
    QPushButton* add;
    QPushButton* modify;
    QPushButton* remove;
    ui::DBGrid* grid;
    data::TableDataset* dataset;
    void (TFrmUrl::*rowClick)();
};

Controls controls(TFrmUrl& w, int tab)
{
    switch (tab) {
    case 0:
        return {w.Edit2,   nullptr,       nullptr,
                w.Button4, w.Button5,     w.Button6,
                w.DBGrid2, w.DataSource1, &TFrmUrl::DBGrid2CellClick};
    case 1:
        return {w.Edit1,   w.DBLookupComboBox1, nullptr,
                w.Button1, w.Button2,           w.Button3,
                w.DBGrid1, w.DataSource2,       &TFrmUrl::DBGrid1CellClick};
    default:
        return {w.Edit3,   w.DBLookupComboBox3, w.Edit4,
                w.Button7, w.Button8,           w.Button9,
                w.DBGrid3, w.DataSource3,       &TFrmUrl::DBGrid3CellClick};
    }
}

void addTabColumn()
{
    QTest::addColumn<int>("tab");
}

const char* tabName(int tab)
{
    static const char* const names[3] = {"主菜单", "二级菜单", "三级目录"};
    return names[tab];
}

QString quoted(const QString& value)
{
    return QLatin1Char('\'') + QString(value).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

} // namespace

class TestFrmUrl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowAsDescribed();
    void openingShowsEveryRowAndClosingClosesTheTables();
    void showMaintenanceWindowIsModalOverItsOwner();

    void add_data();
    void add();
    void duplicateAdd_data();
    void duplicateAdd();
    void modify_data();
    void modify();
    void modifyChangesTheClickedRow_data();
    void modifyChangesTheClickedRow();
    void remove_data();
    void remove();
    void deleteBeforeAnyClick_data();
    void deleteBeforeAnyClick();
    void rowClickOnAnEmptyTable_data();
    void rowClickOnAnEmptyTable();
    void tooLongTextIsRefused_data();
    void tooLongTextIsRefused();

    void listsAndGridsShareTheCurrentRow();
    void firstLevelFilterNarrowsBothTabsUntilClosed();
    void filterHidesNoRowFromTheSecondTab();
    void namesWithQuotes();

private:
    void start(const QString& rows = QString::fromUtf8(sampleRows));
    void reopen();
    void clickRow(int tab, int row);
    void pick(ui::DBLookupComboBox* list, const QString& value);
    QString stored(int tab, const QString& column, qint64 key) const;
    QString count(const QString& table, const QString& where = {}) const;

    std::unique_ptr<archivatest::ProgramFolder> m_folder;
    std::unique_ptr<archiva::CatalogueStore> m_store;
    std::unique_ptr<TFrmUrl> m_window;
};

void TestFrmUrl::initTestCase()
{
    // A box nobody prepared an answer for is not left open on the screen.
    MessageBox::setAutoAnswer(true);
    // The program's look, as the main window puts it over every window.
    ui::applySkin();
}

void TestFrmUrl::init()
{
    MessageBox::clearHistory();
    m_folder = std::make_unique<archivatest::ProgramFolder>();
}

void TestFrmUrl::cleanup()
{
    m_window.reset();
    m_store.reset();
    m_folder.reset();
}

void TestFrmUrl::start(const QString& rows)
{
    m_folder->makeCatalogue(rows);
    m_store = std::make_unique<archiva::CatalogueStore>();
    m_store->connectToCatalogue();
    // As the main window's start-up leaves them: closed, filters set.
    m_store->ADOdiqu->setFilter(QStringLiteral("sheng"), QStringLiteral("质量验收"));
    m_store->ADOdiqu->setFiltered(true);
    m_store->ADOpindao->setFilter(QStringLiteral("diqu"), QStringLiteral("模板工程"));
    m_store->ADOpindao->setFiltered(true);
    reopen();
}

void TestFrmUrl::reopen()
{
    if (m_window)
        m_window->close();
    m_window = std::make_unique<TFrmUrl>(*m_store);
    m_window->show();
}

void TestFrmUrl::clickRow(int tab, int row)
{
    m_window->PageControl1->setCurrentIndex(tab);
    ui::DBGrid* grid = controls(*m_window, tab).grid;
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QVERIFY(cell.isValid());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void TestFrmUrl::pick(ui::DBLookupComboBox* list, const QString& value)
{
    const int index = list->findText(value, Qt::MatchExactly);
    QVERIFY2(index >= 0, qPrintable(value));
    emit list->activated(index);
}

QString TestFrmUrl::stored(int tab, const QString& column, qint64 key) const
{
    return fixture::scalar(
        m_folder->catalogue(),
        QStringLiteral("select %1 from %2 where 编号 = %3").arg(column, level(tab).table).arg(key));
}

QString TestFrmUrl::count(const QString& table, const QString& where) const
{
    return fixture::scalar(m_folder->catalogue(),
                           QStringLiteral("select count(*) from ") + table +
                               (where.isEmpty() ? QString() : QStringLiteral(" where ") + where));
}

// --- the window

void TestFrmUrl::windowAsDescribed()
{
    start();
    TFrmUrl& w = *m_window;
    QCOMPARE(w.windowTitle(), QStringLiteral("维护文档资料"));
    QCOMPARE(w.size(), QSize(632, 453));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(w.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.font().family(), QStringLiteral("宋体"));
    QCOMPARE(w.font().pixelSize(), 14);
    // Everything on the tabs has the tab control's font, under the skin too.
    for (QWidget* onTab :
         {static_cast<QWidget*>(w.PageControl1), static_cast<QWidget*>(w.Label2),
          static_cast<QWidget*>(w.Edit4), static_cast<QWidget*>(w.Button7),
          static_cast<QWidget*>(w.DBLookupComboBox3),
          static_cast<QWidget*>(w.DBLookupComboBox3->view()), static_cast<QWidget*>(w.DBGrid1),
          static_cast<QWidget*>(w.DBGrid3->horizontalHeader())}) {
        QVERIFY2(onTab->font().family() == QStringLiteral("宋体"),
                 onTab->metaObject()->className());
        QCOMPARE(onTab->font().pixelSize(), 16);
    }
    QCOMPARE(w.PageControl1->geometry(), w.rect());
    QCOMPARE(w.PageControl1->currentIndex(), 0);
    QCOMPARE(w.PageControl1->count(), 3);
    for (int tab = 0; tab < 3; ++tab)
        QCOMPARE(w.PageControl1->tabText(tab), QString::fromUtf8(tabName(tab)));
    QCOMPARE(w.Panel2->height(), 41);
    QCOMPARE(w.Panel1->height(), 73);
    QCOMPARE(w.Panel3->height(), 137);

    for (int tab = 0; tab < 3; ++tab) {
        const Controls c = controls(w, tab);
        QCOMPARE(c.add->text(), QStringLiteral("添  加"));
        QCOMPARE(c.modify->text(), QStringLiteral("修  改"));
        QCOMPARE(c.remove->text(), QStringLiteral("删  除"));
        QVERIFY(c.add->isEnabled());
        QVERIFY(!c.modify->isEnabled());
        QVERIFY(c.remove->isEnabled());
        QCOMPARE(c.grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(c.grid->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(c.grid->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(c.grid->verticalHeader()->isHidden());
    }

    const auto columns = [](ui::DBGrid* grid) {
        QStringList out;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            out << grid->model()->headerData(c, Qt::Horizontal).toString() + QLatin1Char('/') +
                       QString::number(grid->columnWidth(c));
        return out;
    };
    QCOMPARE(w.DBGrid2->model()->columnCount(), 1);
    QCOMPARE(w.DBGrid2->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("菜单名"));
    QCOMPARE(columns(w.DBGrid1),
             QStringList({QStringLiteral("主菜单/143"), QStringLiteral("二级菜单/444")}));
    QCOMPARE(columns(w.DBGrid3),
             QStringList({QStringLiteral("二级菜单/128"), QStringLiteral("三级菜单/127"),
                          QStringLiteral("文件地址/360")}));

    // The lookup lists: what they list, and nothing picked yet.
    const QList<ui::DBLookupComboBox*> lists{w.DBLookupComboBox1, w.DBLookupComboBox2,
                                             w.DBLookupComboBox3};
    for (ui::DBLookupComboBox* list : lists) {
        QCOMPARE(list->maxVisibleItems(), 15);
        QCOMPARE(list->text(), QString());
    }
    QCOMPARE(w.DBLookupComboBox1->listSource(), w.DataSource1);
    QCOMPARE(w.DBLookupComboBox2->listSource(), w.DataSource1);
    QCOMPARE(w.DBLookupComboBox3->listSource(), w.DataSource2);
    QCOMPARE(w.DBLookupComboBox3->listField(), QStringLiteral("diqu"));

    // Every input is named by the label beside it.
    const QList<QPair<QLabel*, QString>> labels{
        {w.Label2, QStringLiteral("菜单名")},   {w.Label1, QStringLiteral("主菜单")},
        {w.Label3, QStringLiteral("二级菜单")}, {w.Label4, QStringLiteral("主菜单")},
        {w.Label7, QStringLiteral("二级菜单")}, {w.Label5, QStringLiteral("三级菜单")},
        {w.Label6, QStringLiteral("文件地址")}};
    for (const auto& [label, text] : labels) {
        QCOMPARE(label->text(), text);
        QVERIFY(label->buddy());
        QCOMPARE(label->buddy()->accessibleName(), text);
    }
    QCOMPARE(w.Label6->buddy(), w.Edit4);

    // No cancel button: Esc leaves the window open.
    QTest::keyClick(w.DBGrid2, Qt::Key_Escape);
    QTest::keyClick(w.Edit2, Qt::Key_Escape);
    QVERIFY(w.isVisible());
}

void TestFrmUrl::openingShowsEveryRowAndClosingClosesTheTables()
{
    start();
    for (int tab = 0; tab < 3; ++tab)
        QCOMPARE(controls(*m_window, tab).grid->model()->rowCount(), 3);
    // Switched off, not cleared.
    QVERIFY(!m_store->ADOdiqu->filtered());
    QCOMPARE(m_store->ADOdiqu->filterExpression(), QStringLiteral("sheng='质量验收'"));
    QVERIFY(!m_store->ADOpindao->filtered());
    QCOMPARE(m_store->ADOpindao->filterExpression(), QStringLiteral("diqu='模板工程'"));

    QList<QString> closed;
    for (data::TableDataset* d : {m_store->ADOsheng, m_store->ADOdiqu, m_store->ADOpindao}) {
        connect(d, &data::Dataset::stateChanged, this, [d, &closed] {
            if (!d->active())
                closed << d->name();
        });
    }
    m_window->close();
    QCOMPARE(closed, QList<QString>({QStringLiteral("ADOsheng"), QStringLiteral("ADOpindao"),
                                     QStringLiteral("ADOdiqu")}));
    QVERIFY(MessageBox::history().isEmpty());
}

void TestFrmUrl::showMaintenanceWindowIsModalOverItsOwner()
{
    m_folder->makeCatalogue(QString::fromUtf8(sampleRows));
    m_store = std::make_unique<archiva::CatalogueStore>();
    m_store->connectToCatalogue();

    QWidget owner;
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    owner.setWindowIcon(QIcon(picture));
    owner.setGeometry(140, 90, 900, 640);
    owner.show();

    // Looked at from inside its event loop, then closed from the title bar.
    bool seen = false;
    bool modal = false;
    bool sameIcon = false;
    bool tablesOpen = false;
    QPoint offset;
    QTimer::singleShot(0, this, [&] {
        auto* window = owner.findChild<TFrmUrl*>();
        if (!window)
            return;
        seen = true;
        modal = window->isModal() && QApplication::activeModalWidget() == window;
        sameIcon =
            window->windowIcon().pixmap(32).toImage() == owner.windowIcon().pixmap(32).toImage();
        offset = window->frameGeometry().center() - owner.frameGeometry().center();
        tablesOpen = m_store->ADOsheng->active() && m_store->ADOdiqu->active() &&
                     m_store->ADOpindao->active();
        window->close();
    });
    archiva::showMaintenanceWindow(&owner, *m_store);

    QVERIFY(seen);
    QVERIFY(modal);
    QVERIFY(sameIcon);
    QVERIFY(tablesOpen);
    QVERIFY2(offset.manhattanLength() <= 40,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    QVERIFY(owner.findChildren<TFrmUrl*>().isEmpty());
    QVERIFY(!m_store->ADOsheng->active());
    QVERIFY(!m_store->ADOdiqu->active());
    QVERIFY(!m_store->ADOpindao->active());
}

// --- the actions of the three tabs

void TestFrmUrl::add_data()
{
    addTabColumn();
    QTest::addColumn<bool>("pickParent");

    QTest::newRow("主菜单") << 0 << false;
    QTest::newRow("二级菜单") << 1 << true;
    QTest::newRow("二级菜单, no parent picked") << 1 << false;
    QTest::newRow("三级目录") << 2 << true;
    QTest::newRow("三级目录, no parent picked") << 2 << false;
}

void TestFrmUrl::add()
{
    QFETCH(int, tab);
    QFETCH(bool, pickParent);
    start();
    const Level& l = level(tab);
    const Controls c = controls(*m_window, tab);

    clickRow(tab, 1);
    if (pickParent)
        pick(c.parent, l.otherParent);
    c.name->setText(QStringLiteral(" 新的名称"));
    if (c.address)
        c.address->setText(QStringLiteral("资料\\新的名称.doc"));
    c.add->click();

    QVERIFY(MessageBox::history().isEmpty());
    // In the file at once, as typed (not trimmed), with the key from the
    // database.
    QCOMPARE(stored(tab, l.nameColumn, 4), QStringLiteral(" 新的名称"));
    if (!l.parentColumn.isEmpty())
        QCOMPARE(stored(tab, l.parentColumn, 4), pickParent ? l.otherParent : QString());
    if (!l.addressColumn.isEmpty())
        QCOMPARE(stored(tab, l.addressColumn, 4), QStringLiteral("资料\\新的名称.doc"));
    QCOMPARE(count(l.table), QStringLiteral("4"));
    // Read afresh.
    QCOMPARE(c.grid->model()->rowCount(), 4);
    // The first two tabs keep their buttons; on the third the clicked row is
    // no longer the one Modify would change.
    QCOMPARE(c.modify->isEnabled(), tab != 2);
    QCOMPARE(c.remove->isEnabled(), tab != 2);
}

void TestFrmUrl::duplicateAdd_data()
{
    addTabColumn();
    for (int tab = 0; tab < 3; ++tab)
        QTest::newRow(tabName(tab)) << tab;
}

void TestFrmUrl::duplicateAdd()
{
    QFETCH(int, tab);
    start();
    const Level& l = level(tab);
    const Controls c = controls(*m_window, tab);

    clickRow(tab, 0);
    c.name->setText(l.names[2]);
    c.add->click();

    QCOMPARE(MessageBox::history().size(), 1);
    const MessageBox::Record box = MessageBox::history().first();
    QCOMPARE(box.caption, QStringLiteral("提示"));
    QCOMPARE(box.text, l.duplicateMessage);
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(count(l.table), QStringLiteral("3"));
    // The existing row is current and shown selected.
    QCOMPARE(c.dataset->currentRow(), 2);
    QCOMPARE(c.grid->currentIndex().row(), 2);
    QVERIFY(c.grid->selectionModel()->isRowSelected(2, {}));
    QVERIFY(c.modify->isEnabled());
}

void TestFrmUrl::modify_data()
{
    addTabColumn();
    QTest::addColumn<bool>("rename");
    for (int tab = 0; tab < 3; ++tab) {
        QTest::addRow("%s, renamed", tabName(tab)) << tab << true;
        QTest::addRow("%s, name unchanged", tabName(tab)) << tab << false;
    }
}

void TestFrmUrl::modify()
{
    QFETCH(int, tab);
    QFETCH(bool, rename);
    start();
    const Level& l = level(tab);
    const Controls c = controls(*m_window, tab);
    const QString childrenBefore =
        l.childTable.isEmpty() ? QString()
                               : count(l.childTable, l.childColumn + " = " + quoted(l.names[1]));

    clickRow(tab, 1);
    QCOMPARE(c.name->text(), l.names[1]);
    if (c.address)
        QCOMPARE(c.address->text(), QStringLiteral("资料\\钢结构节点.doc"));
    QVERIFY(c.modify->isEnabled());
    QVERIFY(c.remove->isEnabled());

    const QString name = rename ? QStringLiteral("改过的名称") : l.names[1];
    c.name->setText(name);
    if (c.parent)
        pick(c.parent, l.otherParent);
    if (c.address)
        c.address->setText(QStringLiteral("资料\\改过的地址.doc"));
    c.modify->click();

    QVERIFY(MessageBox::history().isEmpty());
    QCOMPARE(stored(tab, l.nameColumn, 2), name);
    if (!l.parentColumn.isEmpty())
        QCOMPARE(stored(tab, l.parentColumn, 2), l.otherParent);
    if (!l.addressColumn.isEmpty())
        QCOMPARE(stored(tab, l.addressColumn, 2), QStringLiteral("资料\\改过的地址.doc"));
    QCOMPARE(stored(tab, l.nameColumn, 1), l.names[0]);
    QCOMPARE(stored(tab, l.nameColumn, 3), l.names[2]);
    QCOMPARE(count(l.table), QStringLiteral("3"));
    // The level below keeps the old name.
    if (!l.childTable.isEmpty())
        QCOMPARE(count(l.childTable, l.childColumn + " = " + quoted(l.names[1])), childrenBefore);
    QVERIFY(!c.modify->isEnabled());
    QVERIFY(c.remove->isEnabled());
}

void TestFrmUrl::modifyChangesTheClickedRow_data()
{
    addTabColumn();
    QTest::addColumn<bool>("afterAdd"); // else after a refused duplicate
    for (int tab = 0; tab < 3; ++tab)
        QTest::addRow("%s, after a refused duplicate", tabName(tab)) << tab << false;
    // The third tab's Add disables Modify.
    for (int tab = 0; tab < 2; ++tab)
        QTest::addRow("%s, after an add", tabName(tab)) << tab << true;
}

void TestFrmUrl::modifyChangesTheClickedRow()
{
    QFETCH(int, tab);
    QFETCH(bool, afterAdd);
    start();
    const Level& l = level(tab);
    const Controls c = controls(*m_window, tab);

    clickRow(tab, 1);
    if (afterAdd) {
        c.name->setText(QStringLiteral("另加的一行"));
        c.add->click();
        QCOMPARE(c.dataset->currentRow(), 0);
    } else {
        c.name->setText(l.names[2]);
        c.modify->click();
        QCOMPARE(MessageBox::history().size(), 1);
        QCOMPARE(MessageBox::history().first().text, l.duplicateMessage);
        QCOMPARE(c.dataset->currentRow(), 2);
    }
    QVERIFY(c.modify->isEnabled());

    c.name->setText(QStringLiteral("改过的名称"));
    c.modify->click();

    QCOMPARE(stored(tab, l.nameColumn, 2), QStringLiteral("改过的名称"));
    QCOMPARE(stored(tab, l.nameColumn, 1), l.names[0]);
    QCOMPARE(stored(tab, l.nameColumn, 3), l.names[2]);
}

void TestFrmUrl::remove_data()
{
    addTabColumn();
    QTest::addColumn<bool>("yes");
    for (int tab = 0; tab < 3; ++tab) {
        QTest::addRow("%s, yes", tabName(tab)) << tab << true;
        QTest::addRow("%s, no", tabName(tab)) << tab << false;
    }
}

void TestFrmUrl::remove()
{
    QFETCH(int, tab);
    QFETCH(bool, yes);
    start();
    const Level& l = level(tab);
    const Controls c = controls(*m_window, tab);
    const QString childrenBefore =
        l.childTable.isEmpty() ? QString()
                               : count(l.childTable, l.childColumn + " = " + quoted(l.names[1]));

    clickRow(tab, 1);
    MessageBox::setNextAnswer(yes ? QMessageBox::Yes : QMessageBox::No);
    c.remove->click();

    QCOMPARE(MessageBox::history().size(), 1);
    const MessageBox::Record box = MessageBox::history().first();
    QCOMPARE(box.caption, QStringLiteral("警告"));
    QCOMPARE(box.text, QStringLiteral("要删除吗??"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.defaultButton, QMessageBox::No);

    QCOMPARE(count(l.table), yes ? QStringLiteral("2") : QStringLiteral("3"));
    QCOMPARE(stored(tab, l.nameColumn, 2), yes ? QStringLiteral("<no row>") : l.names[1]);
    QCOMPARE(c.grid->model()->rowCount(), yes ? 2 : 3);
    if (!l.childTable.isEmpty())
        QCOMPARE(count(l.childTable, l.childColumn + " = " + quoted(l.names[1])), childrenBefore);
    QVERIFY(!c.remove->isEnabled());
    // Modify has no row left to change once the clicked row is gone.
    QCOMPARE(c.modify->isEnabled(), !yes);
}

void TestFrmUrl::deleteBeforeAnyClick_data()
{
    addTabColumn();
    for (int tab = 0; tab < 3; ++tab)
        QTest::newRow(tabName(tab)) << tab;
}

void TestFrmUrl::deleteBeforeAnyClick()
{
    QFETCH(int, tab);
    start();
    const Level& l = level(tab);
    const Controls c = controls(*m_window, tab);

    MessageBox::setNextAnswer(QMessageBox::Yes);
    c.remove->click();

    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().first().text, QStringLiteral("要删除吗??"));
    QCOMPARE(stored(tab, l.nameColumn, 1), QStringLiteral("<no row>"));
    QCOMPARE(count(l.table), QStringLiteral("2"));
    QVERIFY(!c.remove->isEnabled());
    QVERIFY(!c.modify->isEnabled());
}

void TestFrmUrl::rowClickOnAnEmptyTable_data()
{
    addTabColumn();
    for (int tab = 0; tab < 3; ++tab)
        QTest::newRow(tabName(tab)) << tab;
}

void TestFrmUrl::rowClickOnAnEmptyTable()
{
    QFETCH(int, tab);
    start(QString());
    const Controls c = controls(*m_window, tab);
    c.name->setText(QStringLiteral("原样"));

    (m_window.get()->*c.rowClick)();

    QCOMPARE(c.name->text(), QStringLiteral("原样"));
    QVERIFY(!c.modify->isEnabled());
    QVERIFY(c.remove->isEnabled());
    QVERIFY(MessageBox::history().isEmpty());
}

void TestFrmUrl::tooLongTextIsRefused_data()
{
    addTabColumn();
    QTest::addColumn<bool>("modify");
    QTest::addColumn<bool>("address"); // else the name
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("refused");

    QTest::newRow("主菜单 add") << 0 << false << false << 51 << true;
    QTest::newRow("主菜单 modify") << 0 << true << false << 51 << true;
    QTest::newRow("二级菜单 add") << 1 << false << false << 51 << true;
    QTest::newRow("三级目录 add") << 2 << false << false << 51 << true;
    QTest::newRow("三级目录 add, address") << 2 << false << true << 101 << true;
    QTest::newRow("三级目录 modify, address") << 2 << true << true << 101 << true;
    QTest::newRow("主菜单 add, 50 fit") << 0 << false << false << 50 << false;
    QTest::newRow("三级目录 modify, 100 fit") << 2 << true << true << 100 << false;
}

void TestFrmUrl::tooLongTextIsRefused()
{
    QFETCH(int, tab);
    QFETCH(bool, modify);
    QFETCH(bool, address);
    QFETCH(int, length);
    QFETCH(bool, refused);
    start();
    const Level& l = level(tab);
    const Controls c = controls(*m_window, tab);

    clickRow(tab, 1);
    const QString text(length, QChar(u'长'));
    if (!modify)
        c.name->setText(QStringLiteral("新的名称"));
    (address ? c.address : c.name)->setText(text);
    (modify ? c.modify : c.add)->click();

    const QString column = address ? l.addressColumn : l.nameColumn;
    const qint64 key = modify ? 2 : 4;
    if (!refused) {
        QVERIFY(MessageBox::history().isEmpty());
        QCOMPARE(stored(tab, column, key), text);
        return;
    }
    QCOMPARE(MessageBox::history().size(), 1);
    const MessageBox::Record box = MessageBox::history().first();
    QCOMPARE(box.kind, MessageBox::Kind::Error);
    QVERIFY2(box.text.contains(QStringLiteral("最多只能保存 %1 个字符").arg(length - 1)),
             qPrintable(box.text));
    QVERIFY2(box.text.contains(column), qPrintable(box.text));
    // Nothing stored, nothing pending, the table as the file holds it.
    QCOMPARE(count(l.table), QStringLiteral("3"));
    QCOMPARE(stored(tab, l.nameColumn, 2), l.names[1]);
    QCOMPARE(c.dataset->state(), data::Dataset::State::Browse);
    QCOMPARE(c.grid->model()->rowCount(), 3);
    // The action stopped: Modify is still there to try again.
    QVERIFY(c.modify->isEnabled());
}

// --- the first-level filter

void TestFrmUrl::listsAndGridsShareTheCurrentRow()
{
    start();
    TFrmUrl& w = *m_window;
    // A pick on the second tab moves the first tab's grid.
    pick(w.DBLookupComboBox1, QStringLiteral("质量验收"));
    QCOMPARE(w.DBGrid2->currentIndex().row(), 2);

    // A re-read table returns to the picked value's row, and Delete takes
    // that row.
    w.Edit2->setText(QStringLiteral("新的主菜单"));
    w.Button4->click();
    QCOMPARE(w.DataSource1->recordCount(), 4);
    QCOMPARE(w.DBGrid2->currentIndex().row(), 2);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w.Button6->click();
    QCOMPARE(stored(0, QStringLiteral("sheng"), 3), QStringLiteral("<no row>"));
    QCOMPARE(count(QStringLiteral("sheng")), QStringLiteral("3"));
}

void TestFrmUrl::firstLevelFilterNarrowsBothTabsUntilClosed()
{
    start();
    TFrmUrl& w = *m_window;
    w.PageControl1->setCurrentIndex(2);
    pick(w.DBLookupComboBox3, QStringLiteral("模板工程"));
    pick(w.DBLookupComboBox2, QStringLiteral("设计规范"));

    QCOMPARE(m_store->ADOdiqu->filterExpression(), QStringLiteral("sheng='设计规范'"));
    QCOMPARE(w.DBGrid1->model()->rowCount(), 2);
    QCOMPARE(w.DBLookupComboBox3->count(), 2);
    QCOMPARE(w.DBLookupComboBox3->itemText(0), QStringLiteral("混凝土结构"));
    QCOMPARE(w.DBLookupComboBox3->itemText(1), QStringLiteral("钢结构"));
    // A value picked before stays, and is what Add stores.
    QCOMPARE(w.DBLookupComboBox3->text(), QStringLiteral("模板工程"));
    w.Edit3->setText(QStringLiteral("新的文档"));
    w.Button7->click();
    QCOMPARE(stored(2, QStringLiteral("diqu"), 4), QStringLiteral("模板工程"));
    // The document entry stores no first-level name; the grids of the first
    // and third tab are not narrowed.
    QCOMPARE(w.DBGrid2->model()->rowCount(), 3);
    QCOMPARE(w.DBGrid3->model()->rowCount(), 4);

    reopen();
    QCOMPARE(m_window->DBGrid1->model()->rowCount(), 3);
    QCOMPARE(m_window->DBLookupComboBox3->count(), 3);
    QVERIFY(MessageBox::history().isEmpty());
}

void TestFrmUrl::filterHidesNoRowFromTheSecondTab()
{
    start();
    TFrmUrl& w = *m_window;
    clickRow(1, 0); // 混凝土结构, under 设计规范
    pick(w.DBLookupComboBox2, QStringLiteral("施工技术"));
    QCOMPARE(w.DBGrid1->model()->rowCount(), 1);

    // A name the filter hides is still taken.
    w.Edit1->setText(QStringLiteral("钢结构"));
    w.Button1->click();
    w.Button2->click();
    QCOMPARE(MessageBox::history().size(), 2);
    QCOMPARE(MessageBox::history().at(0).text, QStringLiteral("已有相同内容!!  "));
    QCOMPARE(MessageBox::history().at(1).text, QStringLiteral("已有相同内容!!  "));
    QCOMPARE(count(QStringLiteral("diqu")), QStringLiteral("3"));
    QCOMPARE(stored(1, QStringLiteral("diqu"), 1), QStringLiteral("混凝土结构"));

    // The clicked row is changed though the filter now hides it.
    w.Edit1->setText(QStringLiteral("混凝土结构（修订）"));
    w.Button2->click();
    QCOMPARE(MessageBox::history().size(), 2);
    QCOMPARE(stored(1, QStringLiteral("diqu"), 1), QStringLiteral("混凝土结构（修订）"));
    QCOMPARE(stored(1, QStringLiteral("sheng"), 1), QString());
    QCOMPARE(w.DBGrid1->model()->rowCount(), 1);
    QCOMPARE(m_store->ADOdiqu->filterExpression(), QStringLiteral("sheng='施工技术'"));
}

void TestFrmUrl::namesWithQuotes()
{
    start();
    TFrmUrl& w = *m_window;
    const QString first = QStringLiteral("O'Brien 规范");
    const QString second = QStringLiteral("Bob's 结构");

    w.Edit2->setText(first);
    w.Button4->click();
    w.Button4->click();
    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().first().text, QStringLiteral("已有相同菜单!!  "));
    QCOMPARE(stored(0, QStringLiteral("sheng"), 4), first);

    pick(w.DBLookupComboBox1, first);
    w.Edit1->setText(second);
    w.Button1->click();
    QCOMPARE(stored(1, QStringLiteral("sheng"), 4), first);

    pick(w.DBLookupComboBox2, first);
    QCOMPARE(w.DBGrid1->model()->rowCount(), 1);
    QCOMPARE(w.DBLookupComboBox3->count(), 1);
    QCOMPARE(w.DBLookupComboBox3->itemText(0), second);

    clickRow(1, 0);
    QCOMPARE(w.Edit1->text(), second);
    w.Edit1->setText(second + QStringLiteral("'"));
    w.Button2->click();
    QCOMPARE(stored(1, QStringLiteral("diqu"), 4), second + QStringLiteral("'"));
    QCOMPARE(MessageBox::history().size(), 1);
}

QTEST_MAIN(TestFrmUrl)
#include "tst_frmurl.moc"
