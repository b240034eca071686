#include "tabledataset.h"

#include "connection.h"
#include "dataerror.h"
#include "sqlerror.h"
#include "sqlite3_shim.h"

namespace data {

namespace {

struct Statement
{
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

struct TableColumn
{
    QString name;
    QString type;
    bool primaryKey = false;
};

} // namespace

TableDataset::TableDataset(const QString& name, Connection* connection, const QString& table,
                           const QStringList& fields, QObject* parent)
    : Dataset(name, connection, parent), m_tableName(table), m_fieldList(fields)
{
}

QString TableDataset::describe() const
{
    return QStringLiteral("数据集 %1（数据表 %2）").arg(name(), m_tableName);
}

Dataset::Result TableDataset::fetch()
{
    sqlite3* db = connection()->handle();
    const QString what = QStringLiteral("打开%1失败").arg(describe());

    // The table's columns, to check the field list and learn sizes and keys.
    std::vector<TableColumn> tableColumns;
    {
        Statement s;
        const QString sql =
            QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(m_tableName));
        int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s.stmt, nullptr);
        if (rc != SQLITE_OK)
            throwEngineError(db, rc, what);
        while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
            TableColumn c;
            c.name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, 1)));
            c.type =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, 2)));
            c.primaryKey = sqlite3_column_int(s.stmt, 5) != 0;
            tableColumns.push_back(c);
        }
        if (rc != SQLITE_DONE)
            throwEngineError(db, rc, what);
    }
    if (tableColumns.empty())
        throw DataError(QStringLiteral("数据库文件“%1”中没有数据表 %2")
                            .arg(connection()->databasePath(), m_tableName));

    Result result;
    result.table = m_tableName;
    result.keyColumn = 0;
    // The row key goes first and stays hidden: it finds the row again when a
    // change is stored.
    result.columns.push_back({QStringLiteral("rowid"), QStringLiteral("rowid"), 0, true, true});
    QStringList select{QStringLiteral("rowid")};
    for (const QString& field : m_fieldList) {
        const TableColumn* found = nullptr;
        for (const TableColumn& c : tableColumns) {
            if (c.name.compare(field, Qt::CaseInsensitive) == 0)
                found = &c;
        }
        if (!found)
            throw DataError(QStringLiteral("%1找不到字段“%2”").arg(describe(), field));
        Column column;
        column.name = field;
        column.origin = found->name;
        column.size = sizeFromDeclaredType(found->type);
        // An INTEGER PRIMARY KEY is the auto-number: the database gives it.
        column.readOnly =
            found->primaryKey &&
            found->type.trimmed().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        result.columns.push_back(column);
        select << quoteIdentifier(found->name);
    }

    Statement s;
    const QString sql = QStringLiteral("SELECT %1 FROM %2")
                            .arg(select.join(QLatin1Char(',')), quoteIdentifier(m_tableName));
    const int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s.stmt, nullptr);
    if (rc != SQLITE_OK)
        throwEngineError(db, rc, what);
    result.store = std::make_shared<RowStore>();
    fetchRows(s.stmt, *result.store, result.rows, what);
    return result;
}

} // namespace data
