#include "dbgrid.h"

#include "guard.h"
#include "messagebox.h"

#include "common/data/dataset.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

namespace ui {

using data::Dataset;

DBGrid::DBGrid(QWidget* parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    horizontalHeader()->setHighlightSections(false);
    setIndicator(true);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit cellClicked(index.row(), index.column());
    });
}

data::Dataset* DBGrid::dataset() const
{
    return m_model ? m_model->dataset() : nullptr;
}

void DBGrid::setDataset(Dataset* dataset, const QList<GridColumn>& columns)
{
    DatasetModel* old = m_model;
    m_model = new DatasetModel(dataset, columns, this);
    m_model->setReadOnly(m_readOnly);
    m_model->setIndicator(!verticalHeader()->isHidden());
    setModel(m_model);
    delete old;
    connect(dataset, &Dataset::currentChanged, this, &DBGrid::followDataset);
    connect(dataset, &Dataset::reset, this, [this] {
        applyColumns();
        followDataset(this->dataset()->currentRow());
    });
    applyColumns();
    followDataset(dataset->currentRow());
}

void DBGrid::applyColumns()
{
    if (!m_model)
        return;
    const QList<GridColumn>& columns = m_model->gridColumns();
    const QFontMetrics metrics(font());
    for (int c = 0; c < int(columns.size()); ++c) {
        const GridColumn& column = columns[c];
        setColumnHidden(c, !column.visible);
        int width = column.width;
        if (width < 0) {
            // The grid's default: wide enough for the field's size, within reason.
            int size = 0;
            data::Dataset* d = dataset();
            if (d && d->active() && d->fieldIndex(column.field) >= 0)
                size = d->fieldSize(column.field);
            const int chars = size > 0 ? std::min(size, 40) : 12;
            width = std::max(chars * metrics.horizontalAdvance(QLatin1Char('0')),
                             metrics.horizontalAdvance(column.title)) +
                    8;
        }
        setColumnWidth(c, width);
    }
}

void DBGrid::setReadOnly(bool on)
{
    m_readOnly = on;
    if (m_model)
        m_model->setReadOnly(on);
    setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                       : QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked);
}

void DBGrid::setRowSelect(bool on)
{
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DBGrid::setIndicator(bool on)
{
    verticalHeader()->setVisible(on);
    if (on) {
        verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("▶")) + 8);
        verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    }
    if (m_model)
        m_model->setIndicator(on);
}

void DBGrid::setMultiSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
}

void DBGrid::setTitleFont(const QFont& font)
{
    horizontalHeader()->setFont(font);
}

void DBGrid::followDataset(int row)
{
    if (!m_model || m_syncing)
        return;
    const QModelIndex current = currentIndex();
    if (row < 0) {
        return;
    }
    if (current.isValid() && current.row() == row)
        return;
    int column = current.isValid() ? current.column() : 0;
    while (column < m_model->columnCount() && isColumnHidden(column))
        ++column;
    if (column >= m_model->columnCount())
        column = 0;
    m_syncing = true;
    const QModelIndex target = m_model->index(row, column);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                  (selectionBehavior() == SelectRows
                                                       ? QItemSelectionModel::Rows
                                                       : QItemSelectionModel::NoUpdate));
    scrollTo(target);
    m_syncing = false;
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    data::Dataset* d = dataset();
    if (m_syncing || !d || !current.isValid() || !d->active() || current.row() == d->currentRow())
        return;
    m_syncing = true;
    const bool moved = guard(window(), [&] { d->setCurrentRow(current.row()); });
    m_syncing = false;
    if (!moved) {
        // The pending row could not be stored: stay where the dataset is.
        QMetaObject::invokeMethod(
            this, [this] { followDataset(dataset() ? dataset()->currentRow() : -1); },
            Qt::QueuedConnection);
    }
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    data::Dataset* d = dataset();
    const bool pending =
        d && (d->state() == Dataset::State::Edit || d->state() == Dataset::State::Insert);
    if (state() != EditingState) {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && pending) {
            guard(window(), [&] { d->post(); });
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            if (pending) {
                d->cancel();
                return;
            }
            // Let the window have it: Esc presses its cancel button.
            event->ignore();
            return;
        }
        if (event->key() == Qt::Key_Delete && event->modifiers().testFlag(Qt::ControlModifier)) {
            deleteCurrentRow();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::deleteCurrentRow()
{
    data::Dataset* d = dataset();
    if (m_readOnly || !d || !d->active() || d->rowCount() == 0 || !d->canModify())
        return;
    const auto answer = MessageBox::ask(window(), MessageBox::Kind::Question, QMessageBox::Question,
                                        QStringLiteral("确认"), QStringLiteral("删除这条记录吗？"),
                                        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    if (answer == QMessageBox::Ok)
        guard(window(), [&] { d->remove(); });
}

void DBGrid::postIfFocusLeft()
{
    data::Dataset* d = dataset();
    if (!d || (d->state() != Dataset::State::Edit && d->state() != Dataset::State::Insert))
        return;
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == this || isAncestorOf(focus)))
        return;
    guard(window(), [&] { d->post(); });
}

void DBGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    postIfFocusLeft();
}

void DBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint);
    // The editor lost the focus to another control: store the row now.
    postIfFocusLeft();
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit gridDoubleClicked();
}

} // namespace ui
