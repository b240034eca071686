#include "cataloguelevel.h"

#include "common/data/dataerror.h"
#include "common/data/querydataset.h"
#include "common/data/sqlerror.h"
#include "common/data/tabledataset.h"

namespace archiva {

namespace {

const QString keyField = QStringLiteral("编号");

} // namespace

CatalogueLevel::CatalogueLevel(data::TableDataset* table, Columns columns)
    : m_table(table), m_columns(std::move(columns))
{
}

std::optional<qint64> CatalogueLevel::findName(const QString& name,
                                               std::optional<qint64> except) const
{
    // Asked of the file rather than of the dataset, whose filter may hide
    // the row that holds the name.
    data::QueryDataset query(QStringLiteral("重名检查"), m_table->connection());
    const QString key = data::quoteIdentifier(keyField);
    QString sql = QStringLiteral("select %1 from %2 where %3 = ?")
                      .arg(key, data::quoteIdentifier(m_table->tableName()),
                           data::quoteIdentifier(m_columns.name));
    QVariantList values{name};
    if (except) {
        sql += QStringLiteral(" and %1 <> ?").arg(key);
        values << QVariant::fromValue(*except);
    }
    sql += QStringLiteral(" order by %1 limit 1").arg(key);
    query.setSql(sql, values);
    query.open();
    if (query.recordCount() == 0)
        return std::nullopt;
    return query.fieldText(keyField).toLongLong();
}

std::optional<qint64> CatalogueLevel::currentKey() const
{
    if (!m_table->active() || m_table->rowCount() == 0 || m_table->currentRow() < 0)
        return std::nullopt;
    return m_table->fieldText(keyField).toLongLong();
}

bool CatalogueLevel::showRow(qint64 key)
{
    return m_table->active() && m_table->locate(keyField, QString::number(key));
}

CatalogueLevel::Outcome CatalogueLevel::add(const LevelEntry& entry)
{
    if (const auto taken = findName(entry.name)) {
        showRow(*taken);
        return Outcome::Duplicate;
    }
    m_table->open();
    m_table->insert();
    write(entry);
    reopen();
    return Outcome::Stored;
}

CatalogueLevel::Outcome CatalogueLevel::modify(qint64 key, const LevelEntry& entry)
{
    if (const auto taken = findName(entry.name, key)) {
        showRow(*taken);
        return Outcome::Duplicate;
    }
    m_table->open();
    // The row may be one the first-level filter has hidden since it was
    // chosen: look for it with the filter lifted.
    const bool lifted = !showRow(key) && m_table->filtered();
    if (lifted)
        m_table->setFiltered(false);
    try {
        if (!showRow(key))
            throw data::DataError(
                QStringLiteral("要修改的记录已不存在，可能已被删除（数据表 %1），没有保存")
                    .arg(m_table->tableName()));
        m_table->edit();
        write(entry);
    } catch (...) {
        if (lifted)
            m_table->setFiltered(true);
        throw;
    }
    if (lifted)
        m_table->setFiltered(true);
    reopen();
    return Outcome::Stored;
}

std::optional<qint64> CatalogueLevel::removeCurrent()
{
    const std::optional<qint64> key = currentKey();
    m_table->remove();
    return key;
}

void CatalogueLevel::write(const LevelEntry& entry)
{
    try {
        m_table->setFieldText(m_columns.name, entry.name);
        if (!m_columns.parent.isEmpty())
            m_table->setFieldText(m_columns.parent, entry.parent);
        if (!m_columns.address.isEmpty())
            m_table->setFieldText(m_columns.address, entry.address);
        m_table->post();
    } catch (...) {
        // Nothing stays pending, and the table shows what the file holds.
        m_table->cancel();
        try {
            m_table->refresh();
        } catch (const data::DataError&) {
            // The failed store is the error to report.
        }
        throw;
    }
}

void CatalogueLevel::reopen()
{
    m_table->close();
    m_table->open();
}

} // namespace archiva
