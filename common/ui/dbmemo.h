#pragma once

#include <QPlainTextEdit>
#include <QPointer>

#include "common/data/dataset.h"

namespace ui {

// A multi-line text bound to one field of a dataset's current row. Typing
// puts the row into edit mode; the change is stored with the row.
class DBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit DBMemo(QWidget* parent = nullptr);

    void setDataSource(data::Dataset* dataset, const QString& field);
    QString field() const { return m_field; }

private:
    void showCurrent();
    void typed();

    QPointer<data::Dataset> m_dataset;
    QString m_field;
    bool m_showing = false;
};

} // namespace ui
