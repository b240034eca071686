#include "datasetmodel.h"

#include "guard.h"

#include "common/data/dataset.h"

namespace ui {

using data::Dataset;

DatasetModel::DatasetModel(Dataset* dataset, const QList<GridColumn>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_dataset(dataset), m_columns(columns)
{
    resolveFields();
    connect(dataset, &Dataset::aboutToReset, this, [this] { beginResetModel(); });
    connect(dataset, &Dataset::reset, this, [this] {
        resolveFields();
        m_current = m_dataset->currentRow();
        endResetModel();
    });
    connect(dataset, &Dataset::rowChanged, this,
            [this](int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); });
    connect(dataset, &Dataset::rowAboutToBeRemoved, this,
            [this](int row) { beginRemoveRows({}, row, row); });
    connect(dataset, &Dataset::rowRemoved, this, [this] { endRemoveRows(); });
    connect(dataset, &Dataset::rowAboutToBeInserted, this,
            [this](int row) { beginInsertRows({}, row, row); });
    connect(dataset, &Dataset::rowInserted, this, [this] { endInsertRows(); });
    connect(dataset, &Dataset::currentChanged, this, &DatasetModel::currentMoved);
    connect(dataset, &Dataset::stateChanged, this, [this] {
        if (m_indicator && m_current >= 0)
            emit headerDataChanged(Qt::Vertical, m_current, m_current);
    });
}

void DatasetModel::resolveFields()
{
    m_fields.clear();
    for (const GridColumn& c : m_columns)
        m_fields.push_back(m_dataset && m_dataset->active() ? m_dataset->fieldIndex(c.field) : -1);
}

int DatasetModel::fieldOf(int column) const
{
    return column >= 0 && column < int(m_fields.size()) ? m_fields[std::size_t(column)] : -1;
}

void DatasetModel::currentMoved(int row)
{
    const int old = m_current;
    m_current = row;
    if (!m_indicator)
        return;
    const int count = rowCount();
    if (old >= 0 && old < count)
        emit headerDataChanged(Qt::Vertical, old, old);
    if (row >= 0 && row < count)
        emit headerDataChanged(Qt::Vertical, row, row);
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->rowCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const int field = fieldOf(index.column());
    if (!m_dataset || field < 0 || index.row() >= m_dataset->rowCount())
        return {};
    return m_dataset->text(index.row(), field);
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= int(m_columns.size()))
            return {};
        if (role == Qt::DisplayRole)
            return m_columns[section].title;
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }
    if (role == Qt::DisplayRole && m_indicator) {
        if (section != m_current)
            return QString();
        const bool editing = m_dataset && m_dataset->state() == Dataset::State::Edit;
        return editing ? QStringLiteral("Ｉ") : QStringLiteral("▶");
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const int field = fieldOf(index.column());
    if (!m_readOnly && m_dataset && field >= 0 && m_dataset->canModify() &&
        !m_dataset->isFieldReadOnly(m_columns[index.column()].field))
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !m_dataset || fieldOf(index.column()) < 0)
        return false;
    const QString text = value.toString();
    const QString field = m_columns[index.column()].field;
    return guard(nullptr, [&] {
        if (index.row() != m_dataset->currentRow())
            m_dataset->setCurrentRow(index.row());
        if (m_dataset->fieldText(field) == text && m_dataset->state() == Dataset::State::Browse)
            return;
        if (m_dataset->state() == Dataset::State::Browse)
            m_dataset->edit();
        m_dataset->setFieldText(field, text);
    });
}

bool DatasetModel::submit()
{
    if (!m_dataset || !m_dataset->active())
        return true;
    return guard(nullptr, [&] { m_dataset->post(); });
}

void DatasetModel::revert()
{
    if (m_dataset && m_dataset->active())
        m_dataset->cancel();
}

} // namespace ui
