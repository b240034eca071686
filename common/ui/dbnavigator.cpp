#include "dbnavigator.h"

#include "guard.h"

#include "common/data/dataset.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace ui {

using data::Dataset;

namespace {

// The buttons' pictures: small black arrows and bars, drawn here.
QIcon navigatorIcon(DBNavigator::Button which)
{
    QIcon icon;
    for (const bool enabled : {true, false}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor ink = enabled ? QColor(0x20, 0x20, 0x20) : QColor(0xa0, 0xa0, 0xa0);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        auto triangle = [&](qreal tipX, bool left) {
            QPainterPath path;
            const qreal baseX = left ? tipX + 6 : tipX - 6;
            path.moveTo(tipX, 8);
            path.lineTo(baseX, 2.5);
            path.lineTo(baseX, 13.5);
            path.closeSubpath();
            p.drawPath(path);
        };
        switch (which) {
        case DBNavigator::First:
            p.drawRect(QRectF(3, 3, 2, 10));
            triangle(5.5, true);
            break;
        case DBNavigator::Prior:
            triangle(4.5, true);
            break;
        case DBNavigator::Next:
            triangle(11.5, false);
            break;
        case DBNavigator::Last:
            triangle(10.5, false);
            p.drawRect(QRectF(11, 3, 2, 10));
            break;
        case DBNavigator::Refresh: {
            QPen pen(ink, 2);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 290 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            QPainterPath head;
            head.moveTo(9.5, 0.5);
            head.lineTo(14, 4);
            head.lineTo(8.5, 6.5);
            head.closeSubpath();
            p.drawPath(head);
            break;
        }
        default:
            break;
        }
        p.end();
        icon.addPixmap(pixmap, enabled ? QIcon::Normal : QIcon::Disabled);
    }
    return icon;
}

} // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent)
{
    static const char* const hints[ButtonCount] = {"第一条记录", "上一条记录", "下一条记录",
                                                   "最后一条记录", "刷新数据"};
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int b = 0; b < ButtonCount; ++b) {
        auto* button = new QToolButton(this);
        button->setAutoRaise(true);
        button->setIcon(navigatorIcon(Button(b)));
        button->setToolTip(QString::fromUtf8(hints[b]));
        button->setAccessibleName(QString::fromUtf8(hints[b]));
        button->setFocusPolicy(Qt::TabFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, b] { press(Button(b)); });
        layout->addWidget(button);
        m_buttons[b] = button;
    }
    updateButtons();
}

void DBNavigator::setDataset(Dataset* dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    connect(dataset, &Dataset::currentChanged, this, &DBNavigator::updateButtons);
    connect(dataset, &Dataset::reset, this, &DBNavigator::updateButtons);
    connect(dataset, &Dataset::stateChanged, this, &DBNavigator::updateButtons);
    updateButtons();
}

void DBNavigator::press(Button which)
{
    if (!m_dataset)
        return;
    guard(window(), [&] {
        switch (which) {
        case First:
            m_dataset->first();
            break;
        case Prior:
            m_dataset->prior();
            break;
        case Next:
            m_dataset->next();
            break;
        case Last:
            m_dataset->last();
            break;
        case Refresh:
            m_dataset->refresh();
            break;
        default:
            break;
        }
    });
    updateButtons();
}

void DBNavigator::updateButtons()
{
    const bool active = m_dataset && m_dataset->active();
    const int row = active ? m_dataset->currentRow() : -1;
    const int count = active ? m_dataset->rowCount() : 0;
    m_buttons[First]->setEnabled(active && row > 0);
    m_buttons[Prior]->setEnabled(active && row > 0);
    m_buttons[Next]->setEnabled(active && row >= 0 && row < count - 1);
    m_buttons[Last]->setEnabled(active && row >= 0 && row < count - 1);
    m_buttons[Refresh]->setEnabled(active);
}

} // namespace ui
