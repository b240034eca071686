#include "frm_wdcx.h"

#include "archiva/cataloguestore.h"
#include "archiva/documents.h"
#include "common/data/querydataset.h"
#include "common/ui/art/art.h"
#include "common/ui/dbgrid.h"
#include "common/ui/guard.h"
#include "common/ui/messagebox.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

// Resources of a static library must be registered by hand.
static void initSearchResources()
{
    Q_INIT_RESOURCE(search);
}

namespace archiva {

namespace {

QPushButton* pushButton(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    // No default button: Enter in the edit searches and nothing else.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

SearchStatement searchStatement(const QString& typed)
{
    return {QStringLiteral("select * from diantai where dt_ming like ? "),
            {QStringLiteral("%") + typed + QStringLiteral("%")}};
}

QString resultCountText(int count)
{
    return QStringLiteral("共找到查询结果 ") + QString::number(count) + QStringLiteral(" 条");
}

TFrm_wdcx::TFrm_wdcx(CatalogueStore& store, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      Label1(new QLabel(this)), Edit1(new QLineEdit(this)),
      Button1(pushButton("Button1", QStringLiteral("查询"), this)),
      Button2(pushButton("Button2", QStringLiteral("打开指定文档"), this)),
      BitBtn3(pushButton("BitBtn3", QStringLiteral("关闭(Esc)"), this)),
      DBGrid1(new ui::DBGrid(this)), Label2(new QLabel(this)),
      ADOQuery1(new data::QueryDataset(QStringLiteral("ADOQuery1"), store.ADOConnection1, this))
{
    initSearchResources();

    setObjectName(QStringLiteral("Frm_wdcx"));
    ADOQuery1->setClosedMessage(QStringLiteral("还没有查询结果，请先输入文档名称并点击“查询”"));
    setWindowTitle(QStringLiteral("文档查询"));
    setFont(ui::songti(15));
    setFixedSize(742, 529);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("请输入需要查询的文档名称   "));
    Label1->setGeometry(10, 8, 330, 18);
    Label1->setBuddy(Edit1);

    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(10, 30, 330, 25);
    Edit1->setAccessibleName(QStringLiteral("文档名称"));
    Edit1->installEventFilter(this);

    Button1->setGeometry(352, 16, 90, 38);
    Button2->setGeometry(452, 16, 130, 38);

    // White cross on a red disc: normal and disabled images, 32 x 32 each.
    BitBtn3->setIcon(
        ui::glyphIcon(QStringLiteral(":/search/closeglyph.svg"), 32, qApp->devicePixelRatio()));
    BitBtn3->setIconSize(QSize(32, 32));
    BitBtn3->setGeometry(612, 10, 124, 46);

    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(6, 64, 729, 433);
    DBGrid1->setToolTip(QStringLiteral("双击打开指定文档资料"));
    DBGrid1->setAccessibleName(QStringLiteral("查询结果"));
    DBGrid1->setTitleFont(font());
    DBGrid1->setDataset(ADOQuery1, {{QStringLiteral("dt_ming"), QStringLiteral("文档名称"), 453},
                                    {QStringLiteral("dt_wangzhi"), QStringLiteral("文档地址"), 184},
                                    {QStringLiteral("diqu"), QStringLiteral("所在菜单"), 334}});

    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(10, 505, 400, 18);

    ui::bindEvent(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    ui::bindEvent(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ui::bindEvent(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    ui::bindEvent(DBGrid1, &ui::DBGrid::gridDoubleClicked, this, [this] { DBGrid1DblClick(); });

    Edit1->setFocus();
    centreOnScreen();
}

TFrm_wdcx::~TFrm_wdcx() = default;

void TFrm_wdcx::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame is not known before the first show; take the owner's.
    QSize frame = size();
    if (const QWidget* owner = parentWidget(); owner && owner->isVisible())
        frame += owner->window()->frameGeometry().size() - owner->window()->size();
    QRect area(QPoint(), frame);
    area.moveCenter(screen->geometry().center());
    move(area.topLeft());
}

void TFrm_wdcx::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::guard(this, [this] { FormShow(); });
}

void TFrm_wdcx::FormShow()
{
    Edit1->setFocus();
}

bool TFrm_wdcx::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        ui::guard(this, [&] { Edit1KeyDown(key); });
    }
    // The key goes on to the edit as usual.
    return QDialog::eventFilter(watched, event);
}

void TFrm_wdcx::Edit1KeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Button1Click();
}

void TFrm_wdcx::keyPressEvent(QKeyEvent* event)
{
    // Esc presses the cancel button wherever the focus is; the grid keeps it
    // while it has an edit to cancel.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BitBtn3->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrm_wdcx::Button1Click()
{
    const SearchStatement statement = searchStatement(Edit1->text());
    ADOQuery1->setSql(statement.text, statement.values);
    ADOQuery1->open();
    Label2->setText(resultCountText(ADOQuery1->recordCount()));
}

void TFrm_wdcx::Button2Click()
{
    if (ADOQuery1->recordCount() <= 0) {
        ui::MessageBox::plain(this, QStringLiteral("没有找到您要查询的记录，请重新查询！"));
        Edit1->setFocus();
        return;
    }
    openDocument(this, ADOQuery1->fieldText(QStringLiteral("dt_wangzhi")));
}

void TFrm_wdcx::DBGrid1DblClick()
{
    Button2Click();
}

void TFrm_wdcx::BitBtn3Click()
{
    done(closeResult);
}

void TFrm_wdcx::storeGridEdit()
{
    // A cell editor still open holds text the dataset has not seen yet.
    QWidget* editor = focusWidget();
    if (editor && editor != DBGrid1 && DBGrid1->isAncestorOf(editor))
        emit DBGrid1->itemDelegate()->commitData(editor);
    ui::guard(this, [this] {
        if (ADOQuery1->active())
            ADOQuery1->post();
    });
}

void TFrm_wdcx::done(int result)
{
    storeGridEdit();
    QDialog::done(result);
}

void showSearchWindow(QWidget* owner, CatalogueStore& store)
{
    QPointer<TFrm_wdcx> window = new TFrm_wdcx(store, owner);
    window->exec();
    delete window.data();
}

} // namespace archiva
