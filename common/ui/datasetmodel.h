#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

#include <vector>

#include "common/data/dataset.h"

namespace ui {

// A grid column bound to a field.
struct GridColumn
{
    QString field;
    QString title;
    int width = -1; // -1: from the field's size
    bool visible = true;
};

// A table model over a dataset. It holds no copy of the rows: a cell's text is
// made when the cell is drawn, so a result of a million rows costs nothing
// here. The row being edited shows its pending values.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    DatasetModel(data::Dataset* dataset, const QList<GridColumn>& columns,
                 QObject* parent = nullptr);

    data::Dataset* dataset() const { return m_dataset; }
    const QList<GridColumn>& gridColumns() const { return m_columns; }
    // The dataset's field behind a column; -1 when the dataset lacks it.
    int fieldOf(int column) const;

    void setReadOnly(bool on) { m_readOnly = on; }
    bool isReadOnly() const { return m_readOnly; }
    // Shows a mark for the current row in the vertical header.
    void setIndicator(bool on) { m_indicator = on; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Puts the value into the row's pending change; it is stored when the
    // row is left or submit() runs. Errors go to the error box.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    bool submit() override;
    void revert() override;

private:
    void resolveFields();
    void currentMoved(int row);

    QPointer<data::Dataset> m_dataset;
    QList<GridColumn> m_columns;
    std::vector<int> m_fields;
    bool m_readOnly = false;
    bool m_indicator = false;
    int m_current = -1;
};

} // namespace ui
