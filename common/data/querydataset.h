#pragma once

#include "dataset.h"

#include <QVariantList>

#include <memory>

namespace data {

// The result of an SQL statement, held whole (the record count is exact).
// When every column comes from one table that has an INTEGER PRIMARY KEY
// among them, changes go back to that table by key.
//
// Values are bound to the statement's '?' marks, never spliced into it.
//
// A search of the shape "select * from T [where c like ? [and c like ?]...]"
// after a whole-table "select * from T" is answered from the rows already
// held, as long as the file has not changed since they were read; the result
// is the same rows in the same order as the statement would give.
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

    // Whether the last open was answered from the rows already held.
    bool answeredFromMemory() const { return m_fromMemory; }

protected:
    Result fetch() override;
    QString describe() const override;
    QString defaultClosedMessage() const override;

private:
    // The last whole-table result, kept to answer "select * from T where
    // c like ? and ..." from memory while the file is unchanged.
    struct TableCache
    {
        QString table;
        quint64 version = 0;
        Result rows;
    };

    Result fetchFromEngine();
    bool answerFromCache(Result& result);

    QStringList m_sql;
    QVariantList m_values;
    std::unique_ptr<TableCache> m_cache;
    bool m_fromMemory = false;
};

} // namespace data
