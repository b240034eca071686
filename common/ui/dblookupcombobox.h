#pragma once

#include <QComboBox>
#include <QPointer>

#include "common/data/dataset.h"

namespace ui {

// A drop-down list of one field's values, one entry per row of a dataset.
// It is not tied to any data field: its text is the value the user picked,
// empty until then, and it stays when the list changes. Picking a value makes
// the row holding it current.
class DBLookupComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DBLookupComboBox(QWidget* parent = nullptr);

    void setListSource(data::Dataset* dataset, const QString& field);
    data::Dataset* listSource() const { return m_dataset; }
    QString listField() const { return m_field; }

    // The picked value, or "" when none was picked.
    QString text() const { return m_text; }

signals:
    // The user picked a value (mouse or keyboard); the dataset has moved.
    void picked(const QString& value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuild();
    void pick(int index);

    QPointer<data::Dataset> m_dataset;
    QString m_field;
    QString m_text;
    bool m_rebuilding = false;
};

} // namespace ui
