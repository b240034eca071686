#include "frmurl.h"

#include "archiva/cataloguestore.h"
#include "common/data/tabledataset.h"
#include "common/ui/art/art.h"
#include "common/ui/dbgrid.h"
#include "common/ui/dblookupcombobox.h"
#include "common/ui/guard.h"
#include "common/ui/messagebox.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace archiva {

namespace {

// A tab's page: the input panel along the top, the grid filling the rest.
QWidget* makePage(QFrame*& panel, int panelHeight, ui::DBGrid*& grid)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    panel = new QFrame(page);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setFixedHeight(panelHeight);
    layout->addWidget(panel);
    grid = new ui::DBGrid(page);
    grid->setReadOnly(true);
    grid->setRowSelect(true);
    grid->setMultiSelect(true);
    grid->setIndicator(false);
    grid->setTitleFont(ui::songti(16));
    layout->addWidget(grid, 1);
    return page;
}

// A label level with the input of its row.
QLabel* makeLabel(QFrame* panel, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, panel);
    label->setGeometry(x, y, 72, 24);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QPushButton* makeButton(QFrame* panel, const QString& text, int x, int y, bool enabled)
{
    auto* button = new QPushButton(text, panel);
    button->setGeometry(x, y, 75, 27);
    // Enter in an edit adds nothing by itself.
    button->setAutoDefault(false);
    button->setEnabled(enabled);
    return button;
}

template <typename Input> Input* makeInput(QFrame* panel, QLabel* label, QRect geometry)
{
    auto* input = new Input(panel);
    input->setGeometry(geometry);
    label->setBuddy(input);
    input->setAccessibleName(label->text());
    return input;
}

const QString addText = QStringLiteral("添  加");
const QString modifyText = QStringLiteral("修  改");
const QString deleteText = QStringLiteral("删  除");

// The input columns of the panels.
constexpr int labelX = 16;
constexpr int inputX = 96;
constexpr int inputWidth = 217;
constexpr int inputHeight = 24;
constexpr int rowStep = 32;
constexpr int buttonX[3] = {336, 424, 512};

} // namespace

TFrmUrl::TFrmUrl(CatalogueStore& store, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                         Qt::WindowCloseButtonHint),
      DataSource1(store.ADOsheng), DataSource2(store.ADOdiqu), DataSource3(store.ADOpindao)
{
    setObjectName(QStringLiteral("FrmUrl"));
    setWindowTitle(QStringLiteral("维护文档资料"));
    setFont(ui::songti(14));
    setFixedSize(632, 453);

    PageControl1 = new QTabWidget(this);
    PageControl1->setFont(ui::songti(16));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);

    buildFirstTab();
    buildSecondTab();
    buildThirdTab();
    PageControl1->setCurrentIndex(0);
    // Under the skin's style sheet a control does not take its parent's
    // font, so every control on the tabs is given it.
    for (auto* list : {DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3})
        list->view();
    const QFont tabFont = PageControl1->font();
    for (QWidget* control : PageControl1->findChildren<QWidget*>())
        control->setFont(tabFont);

    // Per tab: the level (table, name, parent and address columns), name
    // edit, parent list, address edit, Modify, Delete, duplicate message,
    // and whether Add ends the row choice.
    m_tabs.reserve(3);
    m_tabs.push_back({CatalogueLevel(DataSource1, {QStringLiteral("sheng"), {}, {}}), Edit2,
                      nullptr, nullptr, Button5, Button6, QStringLiteral("已有相同菜单!!  "), false,
                      std::nullopt});
    m_tabs.push_back(
        {CatalogueLevel(DataSource2, {QStringLiteral("diqu"), QStringLiteral("sheng"), {}}), Edit1,
         DBLookupComboBox1, nullptr, Button2, Button3, QStringLiteral("已有相同内容!!  "), false,
         std::nullopt});
    m_tabs.push_back(
        {CatalogueLevel(DataSource3, {QStringLiteral("dt_ming"), QStringLiteral("diqu"),
                                      QStringLiteral("dt_wangzhi")}),
         Edit3, DBLookupComboBox3, Edit4, Button8, Button9, QStringLiteral("已有相同内容!!  "),
         true, std::nullopt});

    bindHandlers();

    if (owner) {
        QWidget* main = owner->window();
        setWindowIcon(main->windowIcon());
        const QRect over = main->frameGeometry();
        move(over.center() - QPoint(width() / 2, height() / 2));
    }

    // An error here is reported and the window is still shown.
    ui::guard(this, [this] { FormCreate(); });
}

TFrmUrl::~TFrmUrl()
{
    // Destroyed without being closed (with its owner), or closing failed:
    // the tables still close with it. Nothing is pending, so nothing is lost.
    if (!m_closed) {
        DataSource1->discard();
        DataSource3->discard();
        DataSource2->discard();
    }
}

void TFrmUrl::buildFirstTab()
{
    TabSheet1 = makePage(Panel2, 41, DBGrid2);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("主菜单"));

    Label2 = makeLabel(Panel2, QStringLiteral("菜单名"), labelX, 8);
    Edit2 = makeInput<QLineEdit>(Panel2, Label2, {inputX, 8, inputWidth, inputHeight});
    Button4 = makeButton(Panel2, addText, buttonX[0], 7, true);
    Button5 = makeButton(Panel2, modifyText, buttonX[1], 7, false);
    Button6 = makeButton(Panel2, deleteText, buttonX[2], 7, true);

    DBGrid2->setDataset(DataSource1, {{QStringLiteral("sheng"), QStringLiteral("菜单名")}});
    DBGrid2->setAccessibleName(QStringLiteral("主菜单列表"));
}

void TFrmUrl::buildSecondTab()
{
    TabSheet2 = makePage(Panel1, 73, DBGrid1);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, QStringLiteral("二级菜单"));

    Label1 = makeLabel(Panel1, QStringLiteral("主菜单"), labelX, 8);
    DBLookupComboBox1 =
        makeInput<ui::DBLookupComboBox>(Panel1, Label1, {inputX, 8, inputWidth, inputHeight});
    DBLookupComboBox1->setListSource(DataSource1, QStringLiteral("sheng"));
    Label3 = makeLabel(Panel1, QStringLiteral("二级菜单"), labelX, 8 + rowStep);
    Edit1 = makeInput<QLineEdit>(Panel1, Label3, {inputX, 8 + rowStep, inputWidth, inputHeight});
    Button1 = makeButton(Panel1, addText, buttonX[0], 23, true);
    Button2 = makeButton(Panel1, modifyText, buttonX[1], 23, false);
    Button3 = makeButton(Panel1, deleteText, buttonX[2], 23, true);

    DBGrid1->setDataset(DataSource2, {{QStringLiteral("sheng"), QStringLiteral("主菜单"), 143},
                                      {QStringLiteral("diqu"), QStringLiteral("二级菜单"), 444}});
    DBGrid1->setAccessibleName(QStringLiteral("二级菜单列表"));
}

void TFrmUrl::buildThirdTab()
{
    TabSheet3 = makePage(Panel3, 137, DBGrid3);
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet3, QStringLiteral("三级目录"));

    Label4 = makeLabel(Panel3, QStringLiteral("主菜单"), labelX, 8);
    DBLookupComboBox2 =
        makeInput<ui::DBLookupComboBox>(Panel3, Label4, {inputX, 8, inputWidth, inputHeight});
    DBLookupComboBox2->setListSource(DataSource1, QStringLiteral("sheng"));
    Label7 = makeLabel(Panel3, QStringLiteral("二级菜单"), labelX, 8 + rowStep);
    DBLookupComboBox3 = makeInput<ui::DBLookupComboBox>(
        Panel3, Label7, {inputX, 8 + rowStep, inputWidth, inputHeight});
    DBLookupComboBox3->setListSource(DataSource2, QStringLiteral("diqu"));
    Label5 = makeLabel(Panel3, QStringLiteral("三级菜单"), labelX, 8 + 2 * rowStep);
    Edit3 =
        makeInput<QLineEdit>(Panel3, Label5, {inputX, 8 + 2 * rowStep, inputWidth, inputHeight});
    Label6 = makeLabel(Panel3, QStringLiteral("文件地址"), labelX, 8 + 3 * rowStep);
    Edit4 = makeInput<QLineEdit>(Panel3, Label6,
                                 {inputX, 8 + 3 * rowStep, buttonX[2] + 75 - inputX, inputHeight});
    Button7 = makeButton(Panel3, addText, buttonX[0], 7 + rowStep, true);
    Button8 = makeButton(Panel3, modifyText, buttonX[1], 7 + rowStep, false);
    Button9 = makeButton(Panel3, deleteText, buttonX[2], 7 + rowStep, true);

    DBGrid3->setDataset(DataSource3,
                        {{QStringLiteral("diqu"), QStringLiteral("二级菜单"), 128},
                         {QStringLiteral("dt_ming"), QStringLiteral("三级菜单"), 127},
                         {QStringLiteral("dt_wangzhi"), QStringLiteral("文件地址"), 360}});
    DBGrid3->setAccessibleName(QStringLiteral("三级目录列表"));
}

void TFrmUrl::bindHandlers()
{
    using ui::bindEvent;
    bindEvent(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    bindEvent(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    bindEvent(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    bindEvent(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    bindEvent(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    bindEvent(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    bindEvent(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    bindEvent(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    bindEvent(Button9, &QPushButton::clicked, this, [this] { Button9Click(); });
    bindEvent(DBGrid2, &ui::DBGrid::cellClicked, this, [this] { DBGrid2CellClick(); });
    bindEvent(DBGrid1, &ui::DBGrid::cellClicked, this, [this] { DBGrid1CellClick(); });
    bindEvent(DBGrid3, &ui::DBGrid::cellClicked, this, [this] { DBGrid3CellClick(); });
    bindEvent(DBLookupComboBox2, &ui::DBLookupComboBox::picked, this,
              [this] { DBLookupComboBox2Click(); });
}

void TFrmUrl::FormCreate()
{
    DataSource1->open();
    // Filters left by start-up are switched off, not cleared.
    DataSource3->setFiltered(false);
    DataSource3->open();
    DataSource2->setFiltered(false);
    DataSource2->open();
}

void TFrmUrl::FormClose()
{
    DataSource1->close();
    DataSource3->close();
    DataSource2->close();
    m_closed = true;
}

void TFrmUrl::done(int result)
{
    if (!m_closed)
        ui::guard(this, [this] { FormClose(); });
    QDialog::done(result);
}

void TFrmUrl::keyPressEvent(QKeyEvent* event)
{
    // The window has no cancel button: it closes from its title bar only.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// --- the three tabs

void TFrmUrl::Button4Click()
{
    addRow(m_tabs[0]);
}

void TFrmUrl::Button5Click()
{
    modifyRow(m_tabs[0]);
}

void TFrmUrl::Button6Click()
{
    deleteRow(m_tabs[0]);
}

void TFrmUrl::Button1Click()
{
    addRow(m_tabs[1]);
}

void TFrmUrl::Button2Click()
{
    modifyRow(m_tabs[1]);
}

void TFrmUrl::Button3Click()
{
    deleteRow(m_tabs[1]);
}

void TFrmUrl::Button7Click()
{
    addRow(m_tabs[2]);
}

void TFrmUrl::Button8Click()
{
    modifyRow(m_tabs[2]);
}

void TFrmUrl::Button9Click()
{
    deleteRow(m_tabs[2]);
}

void TFrmUrl::DBGrid2CellClick()
{
    rowClick(m_tabs[0]);
}

void TFrmUrl::DBGrid1CellClick()
{
    rowClick(m_tabs[1]);
}

void TFrmUrl::DBGrid3CellClick()
{
    rowClick(m_tabs[2]);
}

void TFrmUrl::DBLookupComboBox2Click()
{
    // Narrows the second-level table for the third tab's list and the second
    // tab's grid alike, until the window closes.
    DataSource2->setFilter(QStringLiteral("sheng"), DBLookupComboBox2->text());
    DataSource2->setFiltered(true);
}

// --- the shared implementation

LevelEntry TFrmUrl::entryOf(const Tab& tab) const
{
    // Used as typed: not trimmed, and empty texts are stored as they are.
    LevelEntry entry;
    entry.name = tab.nameEdit->text();
    if (tab.parentList)
        entry.parent = tab.parentList->text();
    if (tab.addressEdit)
        entry.address = tab.addressEdit->text();
    return entry;
}

void TFrmUrl::addRow(Tab& tab)
{
    if (tab.level.add(entryOf(tab)) == CatalogueLevel::Outcome::Duplicate) {
        ui::MessageBox::notice(this, tab.duplicateMessage);
        return;
    }
    if (tab.addEndsChoice) {
        tab.chosenKey.reset();
        tab.modifyButton->setEnabled(false);
        tab.deleteButton->setEnabled(false);
    }
}

void TFrmUrl::modifyRow(Tab& tab)
{
    if (!tab.chosenKey)
        return;
    if (tab.level.modify(*tab.chosenKey, entryOf(tab)) == CatalogueLevel::Outcome::Duplicate) {
        ui::MessageBox::notice(this, tab.duplicateMessage);
        return;
    }
    tab.chosenKey.reset();
    tab.modifyButton->setEnabled(false);
}

void TFrmUrl::deleteRow(Tab& tab)
{
    if (ui::MessageBox::confirmDelete(this, QStringLiteral("要删除吗??"))) {
        const std::optional<qint64> removed = tab.level.removeCurrent();
        // The clicked row is gone: there is nothing left for Modify to change.
        if (removed && removed == tab.chosenKey) {
            tab.chosenKey.reset();
            tab.modifyButton->setEnabled(false);
        }
    }
    tab.deleteButton->setEnabled(false);
}

void TFrmUrl::rowClick(Tab& tab)
{
    data::TableDataset* table = tab.level.table();
    if (!table->active() || table->rowCount() == 0)
        return;
    const CatalogueLevel::Columns& columns = tab.level.columns();
    tab.nameEdit->setText(table->fieldText(columns.name));
    if (tab.addressEdit)
        tab.addressEdit->setText(table->fieldText(columns.address));
    tab.chosenKey = tab.level.currentKey();
    tab.modifyButton->setEnabled(true);
    tab.deleteButton->setEnabled(true);
}

void showMaintenanceWindow(QWidget* owner, CatalogueStore& store)
{
    QPointer<TFrmUrl> window = new TFrmUrl(store, owner);
    window->exec();
    delete window.data();
}

} // namespace archiva
