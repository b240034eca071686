#include "form1.h"

#include "common/about/macabout.h"
#include "common/data/connection.h"
#include "common/data/querydataset.h"
#include "common/ui/art/art.h"
#include "common/ui/clocktext.h"
#include "common/ui/dbgrid.h"
#include "common/ui/dbmemo.h"
#include "common/ui/dbnavigator.h"
#include "common/ui/guard.h"

#include <QApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

// Outside any namespace, as Qt's resource initialiser requires.
static void initFirmbookResources()
{
    Q_INIT_RESOURCE(firmbook);
}

namespace firmbook {

TForm1* Form1 = nullptr;

namespace {

constexpr int clientWidth = 790;
constexpr int clientHeight = 529;
constexpr int queryAreaHeight = 163;
constexpr int memoWidth = 102;
constexpr int panelWidth = 150;

// A button with a glyph. None is the window's default: Enter presses only
// the button that has the focus, as Space does.
class BitBtn : public QPushButton
{
public:
    BitBtn(const QString& caption, const QString& glyphResource, QWidget* parent)
        : QPushButton(caption, parent)
    {
        setAutoDefault(false);
        setDefault(false);
        setIcon(ui::glyphIcon(glyphResource, 16, qApp->devicePixelRatio()));
        setIconSize(QSize(16, 16));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && !event->isAutoRepeat() &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

struct FieldPlace
{
    QLabel** label;
    const char* labelName;
    const char* caption;
    QLineEdit** edit;
    const char* editName;
    int width;
};

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ADOConnection1(new data::Connection(this)),
      ADOQuery1(new data::QueryDataset(QStringLiteral("ADOQuery1"), ADOConnection1, this)),
      StatusBar1(new QStatusBar(this)), Timer1(new QTimer(this))
{
    initFirmbookResources();

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tessary公司信息名录"));
    setFont(ui::songti(15));
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);

    ADOConnection1->setObjectName(QStringLiteral("ADOConnection1"));
    ADOConnection1->setLoginPrompt(false);
    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    buildQueryArea();
    buildResultArea();
    layout->addWidget(GroupBox2);
    layout->addWidget(GroupBox1, 1);
    buildStatusBar();
    arrangeTabOrder();

    // Fixed size, centred on the screen.
    setFixedSize(clientWidth, clientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    // The memo starts at its designed width; the grid takes the rest.
    this->layout()->activate();
    Splitter1->setSizes({Splitter1->width() - Splitter1->handleWidth() - memoWidth, memoWidth});

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    ui::bindEvent(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();
}

TForm1::~TForm1()
{
    // The rows go before the widgets that show them.
    ADOQuery1->discard();
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::buildQueryArea()
{
    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setFixedHeight(queryAreaHeight);

    // Three rows of labelled edits; each label stands right before its edit,
    // and the labels of the first two rows share their columns.
    const FieldPlace rows[2][4] = {
        {{&Label1, "Label1", "公司", &Edit1, "Edit1", 157},
         {&Label2, "Label2", "联系人", &Edit2, "Edit2", 78},
         {&Label3, "Label3", "联系电话", &Edit3, "Edit3", 80},
         {&Label4, "Label4", "传真", &Edit4, "Edit4", 89}},
        {{&Label13, "Label13", "地址", &Edit13, "Edit13", 157},
         {&Label6, "Label6", "邮编", &Edit10, "Edit10", 80},
         {&Label5, "Label5", "电子信箱", &Edit7, "Edit7", 79},
         {&Label11, "Label11", "网址", &Edit6, "Edit6", 88}},
    };
    const FieldPlace business{&Label7, "Label7", "主营业务", &Edit5, "Edit5", 538};

    auto make = [this](const FieldPlace& place) {
        auto* label = new QLabel(QString::fromUtf8(place.caption), GroupBox2);
        label->setObjectName(QString::fromLatin1(place.labelName));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(GroupBox2);
        edit->setObjectName(QString::fromLatin1(place.editName));
        label->setBuddy(edit);
        edit->setAccessibleName(label->text());
        *place.label = label;
        *place.edit = edit;
    };
    for (const auto& row : rows) {
        for (const FieldPlace& place : row)
            make(place);
    }
    make(business);

    const QFontMetrics metrics(font());
    const int rowHeight = std::max(23, Edit1->sizeHint().height());
    const int gap = 4;
    const int left = 10;
    const int rowTop[3] = {12, 12 + rowHeight + 9, 12 + 2 * (rowHeight + 9)};
    int x = left;
    for (int column = 0; column < 4; ++column) {
        int labelWidth = 0;
        int editWidth = 0;
        for (const auto& row : rows) {
            labelWidth =
                std::max(labelWidth, metrics.horizontalAdvance((*row[column].label)->text()));
            editWidth = std::max(editWidth, row[column].width);
        }
        for (int r = 0; r < 2; ++r) {
            const FieldPlace& place = rows[r][column];
            (*place.label)->setGeometry(x, rowTop[r], labelWidth, rowHeight);
            (*place.edit)->setGeometry(x + labelWidth + gap, rowTop[r], place.width, rowHeight);
        }
        x += labelWidth + gap + editWidth + 12;
    }
    // The business field ends where the rows above end.
    const int right = x - 12;
    const int businessLabel = metrics.horizontalAdvance(Label7->text());
    Edit5->setGeometry(right - business.width, rowTop[2], business.width, rowHeight);
    Label7->setGeometry(right - business.width - gap - businessLabel, rowTop[2], businessLabel,
                        rowHeight);

    DBNavigator1 = new ui::DBNavigator(GroupBox2);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setGeometry(right - 620, rowTop[2] + rowHeight + 8, 620, 33);
    DBNavigator1->setDataset(ADOQuery1);

    const int navigatorBottom = DBNavigator1->geometry().bottom() + 1;
    const int buttonLeft = clientWidth - 12 - 97;
    const int buttonStep = (navigatorBottom - 33 - rowTop[0]) / 2;
    auto button = [&](const char* name, const char* caption, const char* picture, int index) {
        auto* b = new BitBtn(QString::fromUtf8(caption), QString::fromLatin1(picture), GroupBox2);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(buttonLeft, rowTop[0] + index * buttonStep, 97, 33);
        return b;
    };
    BitBtn1 = button("BitBtn1", "查询", ":/firmbook/query.svg", 0);
    BitBtn2 = button("BitBtn2", "退出", ":/firmbook/exit.svg", 1);
    BitBtn3 = button("BitBtn3", "关于", ":/firmbook/about.svg", 2);
    ui::bindEvent(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    ui::bindEvent(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    ui::bindEvent(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
}

void TForm1::buildResultArea()
{
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* layout = new QHBoxLayout(GroupBox1);
    layout->setContentsMargins(2, 2, 2, 2);

    Splitter1 = new QSplitter(Qt::Horizontal, GroupBox1);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    layout->addWidget(Splitter1);

    DBGrid1 = new ui::DBGrid(Splitter1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("公司信息"));
    DBGrid1->setTitleFont(ui::songti(15));
    DBGrid1->setDataset(ADOQuery1,
                        {
                            {QStringLiteral("name"), QStringLiteral("公司名"), -1, true},
                            {QStringLiteral("lxr"), QStringLiteral("联系人"), 97, true},
                            {QStringLiteral("tel"), QStringLiteral("联系电话"), 122, true},
                            {QStringLiteral("fax"), QStringLiteral("传真"), 137, true},
                            {QStringLiteral("address"), QStringLiteral("地址"), 404, true},
                            {QStringLiteral("postcode"), QStringLiteral("邮编"), 50, true},
                            {QStringLiteral("email"), QStringLiteral("电子信箱"), 160, true},
                            {QStringLiteral("url"), QStringLiteral("网址"), 160, true},
                            {QStringLiteral("jj"), QString(), -1, false},
                            {QStringLiteral("id"), QString(), -1, false},
                        });

    DBMemo1 = new ui::DBMemo(Splitter1);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setAccessibleName(QStringLiteral("主营业务"));
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setDataSource(ADOQuery1, QStringLiteral("jj"));
    DBMemo1->setMinimumWidth(20);

    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
}

void TForm1::buildStatusBar()
{
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFont(QApplication::font(StatusBar1));
    StatusBar1->setFixedHeight(28);
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i < 2)
            panel->setFixedWidth(panelWidth);
        StatusBar1->addWidget(panel, i < 2 ? 0 : 1);
        m_panels[i] = panel;
    }
    m_panels[2]->setMinimumWidth(50);
    m_panels[2]->setText(QStringLiteral("示例软件工作室 2004-2006  info@example.com"));
    setStatusBar(StatusBar1);
}

void TForm1::arrangeTabOrder()
{
    // The result area comes first; in the second row the tab key jumps from
    // the address to the web address and then back.
    const QList<QWidget*> order{DBGrid1, DBMemo1, Edit1, Edit2, Edit3,   Edit4,   Edit13,
                                Edit6,   Edit10,  Edit7, Edit5, BitBtn1, BitBtn2, BitBtn3};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    QWidget* previous = BitBtn3;
    for (int b = 0; b < ui::DBNavigator::ButtonCount; ++b) {
        QWidget* next = DBNavigator1->button(ui::DBNavigator::Button(b));
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
    DBGrid1->setFocus();
}

QStringList TForm1::searchFields() const
{
    return {Edit1->text(),  Edit2->text(), Edit3->text(), Edit4->text(), Edit13->text(),
            Edit10->text(), Edit7->text(), Edit6->text(), Edit5->text()};
}

QLabel* TForm1::statusPanel(int index) const
{
    return index >= 0 && index < 3 ? m_panels[index] : nullptr;
}

void TForm1::showClock(const QDateTime& now)
{
    m_panels[1]->setText(ui::clockText(now));
}

void TForm1::runStatement(const Statement& statement)
{
    ADOQuery1->close();
    ADOQuery1->clearSql();
    ADOQuery1->addSql(statement.text);
    ADOQuery1->setBindValues(statement.values);
    ADOQuery1->open();
    m_panels[0]->setText(countText(ADOQuery1->recordCount()));
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        ui::guard(this, [this] { FormShow(); });
}

void TForm1::FormShow()
{
    runStatement({QString::fromLatin1(wholeTable), {}});
}

void TForm1::BitBtn1Click()
{
    runStatement(searchStatement(searchFields()));
}

void TForm1::BitBtn2Click()
{
    close();
}

void TForm1::BitBtn3Click()
{
    TMac_About::showFirmbookAbout();
}

void TForm1::Timer1Timer()
{
    showClock(QDateTime::currentDateTime());
}

} // namespace firmbook
