#include "dblookupcombobox.h"

#include "guard.h"

#include "common/data/dataset.h"

#include <QStylePainter>

namespace ui {

using data::Dataset;

DBLookupComboBox::DBLookupComboBox(QWidget* parent) : QComboBox(parent)
{
    setMaxVisibleItems(15);
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::pick);
}

void DBLookupComboBox::setListSource(Dataset* dataset, const QString& field)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    m_field = field;
    if (dataset) {
        connect(dataset, &Dataset::reset, this, [this] {
            rebuild();
            // A re-opened table goes back to the row of the picked value.
            if (!m_text.isEmpty() && m_dataset->active())
                guard(window(), [&] { m_dataset->locate(m_field, m_text); });
        });
        connect(dataset, &Dataset::rowChanged, this, &DBLookupComboBox::rebuild);
        connect(dataset, &Dataset::rowRemoved, this, &DBLookupComboBox::rebuild);
        connect(dataset, &Dataset::rowInserted, this, &DBLookupComboBox::rebuild);
    }
    rebuild();
}

void DBLookupComboBox::rebuild()
{
    m_rebuilding = true;
    clear();
    if (m_dataset && m_dataset->active()) {
        const int field = m_dataset->fieldIndex(m_field);
        if (field >= 0) {
            QStringList values;
            const int rows = m_dataset->rowCount();
            values.reserve(rows);
            for (int r = 0; r < rows; ++r)
                values << m_dataset->text(r, field);
            addItems(values);
        }
    }
    setCurrentIndex(m_text.isEmpty() ? -1 : findText(m_text, Qt::MatchExactly));
    m_rebuilding = false;
    update();
}

void DBLookupComboBox::pick(int index)
{
    if (m_rebuilding || index < 0)
        return;
    m_text = itemText(index);
    update();
    if (!m_dataset)
        return;
    if (guard(window(), [&] { m_dataset->locate(m_field, m_text); }))
        emit picked(m_text);
}

void DBLookupComboBox::paintEvent(QPaintEvent*)
{
    // The picked value is shown even when the list no longer holds it.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = m_text;
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace ui
