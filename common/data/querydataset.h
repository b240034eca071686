#pragma once

#include "dataset.h"

#include <QVariantList>

namespace data {

// The result of an SQL statement, held whole (the record count is exact).
// When every column comes from one table that has an INTEGER PRIMARY KEY
// among them, changes go back to that table by key.
//
// Values are bound to the statement's '?' marks, never spliced into it.
class QueryDataset : public Dataset
{
    Q_OBJECT

public:
    explicit QueryDataset(const QString& name, Connection* connection, QObject* parent = nullptr);

    // The statement text as lines. Changing it closes the result (a pending
    // change is posted first).
    QStringList sql() const { return m_sql; }
    void clearSql();
    void addSql(const QString& line);
    void setSql(const QString& statement, const QVariantList& values = {});

    QVariantList bindValues() const { return m_values; }
    void setBindValues(const QVariantList& values);

protected:
    Result fetch() override;
    QString describe() const override;
    QString closedMessage() const override;

private:
    QStringList m_sql;
    QVariantList m_values;
};

} // namespace data
