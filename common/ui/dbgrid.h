#pragma once

#include "datasetmodel.h"

#include <QPointer>
#include <QTableView>

namespace ui {

// A grid bound to a dataset. The grid's current row is the dataset's current
// row, in both directions. When editable, a changed row is stored when the
// row is left, when Enter is pressed, or when the focus leaves the grid;
// Ctrl+Delete deletes the current row after a confirmation.
class DBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DBGrid(QWidget* parent = nullptr);

    void setDataset(data::Dataset* dataset, const QList<GridColumn>& columns);
    data::Dataset* dataset() const;
    DatasetModel* datasetModel() const { return m_model; }

    // No in-place editing and no deleting.
    void setReadOnly(bool on);
    bool isReadOnly() const { return m_readOnly; }
    // Whole rows are highlighted.
    void setRowSelect(bool on);
    // The narrow column at the left that marks the current row.
    void setIndicator(bool on);
    void setMultiSelect(bool on);
    void setTitleFont(const QFont& font);

signals:
    // A data cell was clicked; the dataset's current row is already its row.
    void cellClicked(int row, int column);
    // The grid was double-clicked anywhere.
    void gridDoubleClicked();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void followDataset(int row);
    void applyColumns();
    void postIfFocusLeft();
    void deleteCurrentRow();

    DatasetModel* m_model = nullptr;
    bool m_readOnly = false;
    bool m_syncing = false;
};

} // namespace ui
