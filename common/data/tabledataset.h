#pragma once

#include "dataset.h"

namespace data {

// A whole table with a fixed list of fields, in the table's own order.
// Opening fails when the table lacks one of the fields.
class TableDataset : public Dataset
{
    Q_OBJECT

public:
    TableDataset(const QString& name, Connection* connection, const QString& table,
                 const QStringList& fields, QObject* parent = nullptr);

    QString tableName() const { return m_tableName; }

protected:
    Result fetch() override;
    QString describe() const override;

private:
    QString m_tableName;
    QStringList m_fieldList;
};

} // namespace data
