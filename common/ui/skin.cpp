#include "skin.h"

#include <QApplication>
#include <QEvent>
#include <QStyleFactory>
#include <QWidget>

namespace ui {

namespace {
// Steel blue with a gold highlight.
const QColor face(0xe4, 0xec, 0xf5);
const QColor base(0xff, 0xff, 0xff);
const QColor ink(0x1b, 0x26, 0x33);
const QColor accent(0x2f, 0x5f, 0x96);
const QColor muted(0x8a, 0x96, 0xa6);
} // namespace

SkinStyle::SkinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
    setObjectName(QStringLiteral("BuildocSkin"));
}

QPalette SkinStyle::standardPalette() const
{
    QPalette p(ink, face);
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(0xf1, 0xf5, 0xfa));
    p.setColor(QPalette::Text, ink);
    p.setColor(QPalette::WindowText, ink);
    p.setColor(QPalette::ButtonText, ink);
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xf8, 0xdc));
    p.setColor(QPalette::ToolTipText, ink);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Midlight, QColor(0xf2, 0xf6, 0xfb));
    p.setColor(QPalette::Mid, QColor(0xa9, 0xb8, 0xca));
    p.setColor(QPalette::Dark, QColor(0x7d, 0x90, 0xa8));
    p.setColor(QPalette::Shadow, QColor(0x4a, 0x5a, 0x70));
    p.setColor(QPalette::Link, accent);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, muted);
    p.setColor(QPalette::Disabled, QPalette::Base, face);
    return p;
}

QString skinStyleSheet()
{
    return QStringLiteral(R"css(
QMenuBar {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f7fafd, stop:1 #d3e0ee);
    border-bottom: 1px solid #8fa8c4;
    padding: 1px 2px;
}
QMenuBar::item {
    background: transparent;
    color: #1b2633;
    padding: 4px 8px;
    margin: 1px 0px;
    border: 1px solid transparent;
    border-radius: 2px;
}
QMenuBar::item:selected {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff4cf, stop:1 #ffd56e);
    border-color: #c99a2e;
}
QMenuBar::item:pressed {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2f5f96, stop:1 #214a78);
    border-color: #183a60;
    color: #ffffff;
}
QMenu {
    background: #fbfcfe;
    border: 1px solid #4f73a0;
    padding: 3px 2px;
}
QMenu::item {
    color: #1b2633;
    padding: 5px 28px 5px 22px;
    border: 1px solid transparent;
    border-left: 4px solid #c9d8ea;
    margin: 0px 1px;
}
QMenu::item:selected {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff4cf, stop:1 #ffd56e);
    border: 1px solid #c99a2e;
    border-left: 4px solid #e0a422;
}
QMenu::item:disabled {
    color: #8a96a6;
}
QMenu::separator {
    height: 1px;
    background: #b8c8da;
    margin: 4px 6px 4px 10px;
}
QMenu::right-arrow {
    width: 8px;
    height: 8px;
}
QStatusBar {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #d7e3f0, stop:1 #bccfe4);
    border-top: 1px solid #8fa8c4;
}
QStatusBar::item {
    border: none;
}
QStatusBar QLabel {
    background: #eef3f9;
    border: 1px solid #8fa8c4;
    border-top-color: #7890ad;
    border-left-color: #7890ad;
    padding: 0px 4px;
    margin: 2px 1px;
}
QPushButton {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d6e2ef);
    border: 1px solid #6f8db0;
    border-radius: 3px;
    padding: 3px 12px;
    min-height: 18px;
    color: #1b2633;
}
QPushButton:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffaf0, stop:1 #ffe09a);
    border-color: #c99a2e;
}
QPushButton:pressed {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffd56e, stop:1 #ffeab0);
}
QPushButton:default {
    border: 1px solid #2f5f96;
}
QPushButton:disabled {
    background: #e8edf3;
    border-color: #b3c0cf;
    color: #8a96a6;
}
QLineEdit, QTextEdit, QPlainTextEdit, QAbstractSpinBox {
    background: #ffffff;
    border: 1px solid #8fa8c4;
    selection-background-color: #2f5f96;
}
QLineEdit:focus, QTextEdit:focus, QPlainTextEdit:focus, QAbstractSpinBox:focus {
    border-color: #2f5f96;
}
QLineEdit:disabled, QTextEdit:disabled, QPlainTextEdit:disabled {
    background: #eef2f7;
}
QGroupBox {
    border: 1px solid #9fb4cc;
    border-radius: 3px;
    margin-top: 10px;
    padding-top: 6px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    left: 8px;
    padding: 0px 3px;
    color: #214a78;
}
QTabWidget::pane {
    border: 1px solid #8fa8c4;
    top: -1px;
    background: #eef3f9;
}
QTabBar::tab {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f7fb, stop:1 #cfdcea);
    border: 1px solid #8fa8c4;
    padding: 4px 12px;
    margin-right: -1px;
}
QTabBar::tab:selected {
    background: #eef3f9;
    border-bottom-color: #eef3f9;
    border-top: 2px solid #e0a422;
}
QTabBar::tab:!selected {
    margin-top: 2px;
}
QHeaderView::section {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f7fafd, stop:1 #d3e0ee);
    border: none;
    border-right: 1px solid #a9b8ca;
    border-bottom: 1px solid #8fa8c4;
    padding: 2px 4px;
}
QTableView, QListView, QTreeView {
    gridline-color: #c9d5e3;
    selection-background-color: #2f5f96;
    selection-color: #ffffff;
}
QScrollBar:vertical, QScrollBar:horizontal {
    background: #e4ecf5;
    border: none;
}
QScrollBar:vertical { width: 15px; }
QScrollBar:horizontal { height: 15px; }
QScrollBar::handle {
    background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #c4d5e8, stop:1 #a8c0da);
    border: 1px solid #7d98b8;
    border-radius: 3px;
}
QScrollBar::handle:vertical { min-height: 20px; margin: 15px 1px; }
QScrollBar::handle:horizontal { min-width: 20px; margin: 1px 15px; }
QScrollBar::handle:hover { background: #ffd56e; border-color: #c99a2e; }
QProgressBar {
    border: 1px solid #8fa8c4;
    background: #ffffff;
    text-align: center;
}
QProgressBar::chunk {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6d9bd0, stop:1 #2f5f96);
}
QToolTip {
    background: #fff8dc;
    color: #1b2633;
    border: 1px solid #c99a2e;
}
)css");
}

namespace {

// Under an application style sheet Qt stops handing a window's font down to
// controls it did not set one on (the sheet's own propagation scheme skips
// tab pages, status-bar items and widgets polished early). This filter pins
// the inherited font on every such control, once the window is polished and
// again for controls that come later.
class FontKeeper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() != QEvent::Show && event->type() != QEvent::Polish)
            return false;
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget || (event->type() == QEvent::Show) != widget->isWindow())
            return false;
        pin(widget);
        return false;
    }

private:
    static void pin(QWidget* widget)
    {
        QWidget* parent = widget->parentWidget();
        if (!widget->isWindow() && parent && !widget->testAttribute(Qt::WA_SetFont))
            widget->setFont(parent->font());
        for (QObject* child : widget->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (w && !w->isWindow())
                pin(w);
        }
    }
};

} // namespace

void applySkin()
{
    if (skinApplied())
        return;
    qApp->installEventFilter(new FontKeeper(qApp));
    // Windows set their own fonts and colours; the sheet must not cut their
    // controls off from them.
    QCoreApplication::setAttribute(Qt::AA_UseStyleSheetPropagationInWidgetStyles);
    auto* style = new SkinStyle;
    QApplication::setStyle(style);
    // The desktop theme's palette would otherwise win over the style's.
    QApplication::setPalette(style->standardPalette());
    qApp->setStyleSheet(skinStyleSheet());
}

bool skinApplied()
{
    static const QString sheet = skinStyleSheet();
    return qApp && qApp->styleSheet() == sheet;
}

} // namespace ui
