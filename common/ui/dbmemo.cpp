#include "dbmemo.h"

#include "guard.h"

#include "common/data/dataset.h"

namespace ui {

using data::Dataset;

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::typed);
}

void DBMemo::setDataSource(Dataset* dataset, const QString& field)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    m_field = field;
    connect(dataset, &Dataset::currentChanged, this, &DBMemo::showCurrent);
    connect(dataset, &Dataset::reset, this, &DBMemo::showCurrent);
    connect(dataset, &Dataset::rowChanged, this, [this](int row) {
        if (row == m_dataset->currentRow())
            showCurrent();
    });
    connect(dataset, &Dataset::stateChanged, this, &DBMemo::showCurrent);
    showCurrent();
}

void DBMemo::showCurrent()
{
    if (m_showing)
        return;
    QString text;
    const bool hasRow = m_dataset && m_dataset->active() && m_dataset->currentRow() >= 0 &&
                        m_dataset->fieldIndex(m_field) >= 0;
    if (hasRow) {
        text = m_dataset->fieldText(m_field);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    // Nothing to edit without a row: typing would start a new one.
    setReadOnly(!hasRow || !m_dataset->canModify() || m_dataset->isFieldReadOnly(m_field));
    if (text == toPlainText())
        return;
    m_showing = true;
    setPlainText(text);
    m_showing = false;
}

void DBMemo::typed()
{
    if (m_showing || isReadOnly() || !m_dataset)
        return;
    m_showing = true;
    const QString text = toPlainText();
    const bool ok = guard(window(), [&] {
        if (m_dataset->state() == Dataset::State::Browse)
            m_dataset->edit();
        m_dataset->setFieldText(m_field, text);
    });
    m_showing = false;
    if (!ok)
        showCurrent();
}

} // namespace ui
