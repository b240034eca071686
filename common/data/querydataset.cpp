#include "querydataset.h"

#include "connection.h"
#include "dataerror.h"
#include "likepattern.h"
#include "sqlerror.h"
#include "sqlite3_shim.h"

#include <QRegularExpression>

#include <cstring>

namespace data {

namespace {

constexpr std::size_t prefetchDistance = 16;

struct Statement
{
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

QString utf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

// "select * from T [where c like ? [and c like ?]...]", with any blanks
// and keywords in any case: the table and the searched columns.
bool parseLikeSearch(const QString& sql, QString* table, QStringList* columns)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*select\\s+\\*\\s+from\\s+([A-Za-z_][A-Za-z0-9_]*)\\s*"
                       "(?:where\\s+(.*?))?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression condition(
        QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)\\s+like\\s+\\?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression conjunction(QStringLiteral("\\s+and\\s+"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = shape.match(sql);
    if (!m.hasMatch())
        return false;
    *table = m.captured(1);
    columns->clear();
    if (m.captured(2).isEmpty())
        return true;
    for (const QString& part : m.captured(2).split(conjunction)) {
        const QRegularExpressionMatch c = condition.match(part.trimmed());
        if (!c.hasMatch())
            return false;
        *columns << c.captured(1);
    }
    return true;
}

} // namespace

QueryDataset::QueryDataset(const QString& name, Connection* connection, QObject* parent)
    : Dataset(name, connection, parent)
{
}

QString QueryDataset::describe() const
{
    return QStringLiteral("查询 %1").arg(name());
}

QString QueryDataset::defaultClosedMessage() const
{
    return QStringLiteral("还没有查询结果（尚未查询，或上次查询没有成功），请先查询");
}

void QueryDataset::clearSql()
{
    close();
    m_sql.clear();
    m_values.clear();
}

void QueryDataset::addSql(const QString& line)
{
    close();
    m_sql << line;
}

void QueryDataset::setSql(const QString& statement, const QVariantList& values)
{
    close();
    m_sql = QStringList{statement};
    m_values = values;
}

void QueryDataset::setBindValues(const QVariantList& values)
{
    close();
    m_values = values;
}

Dataset::Result QueryDataset::fetch()
{
    Result result;
    m_fromMemory = answerFromCache(result);
    if (m_fromMemory)
        return result;
    // Never hold two copies of a table: what is stale goes first.
    m_cache.reset();

    QString table;
    QStringList columns;
    const bool wholeTable = parseLikeSearch(m_sql.join(QLatin1Char(' ')), &table, &columns) &&
                            columns.isEmpty() && m_values.isEmpty();
    // Read before the rows: a change made meanwhile then shows as a change.
    const quint64 version = wholeTable ? connection()->dataVersion() : 0;
    result = fetchFromEngine();
    if (wholeTable) {
        m_cache = std::make_unique<TableCache>();
        m_cache->table = table;
        m_cache->version = version;
        m_cache->rows = result;
    }
    return result;
}

bool QueryDataset::answerFromCache(Result& result)
{
    if (!m_cache)
        return false;
    QString table;
    QStringList columns;
    if (!parseLikeSearch(m_sql.join(QLatin1Char(' ')), &table, &columns) ||
        table.compare(m_cache->table, Qt::CaseInsensitive) != 0 ||
        columns.size() != m_values.size())
        return false;
    const Result& all = m_cache->rows;
    std::vector<int> positions;
    std::vector<LikePattern> patterns;
    for (int i = 0; i < columns.size(); ++i) {
        int position = -1;
        for (int c = 0; c < int(all.columns.size()); ++c) {
            if (all.columns[std::size_t(c)].name.compare(columns[i], Qt::CaseInsensitive) == 0) {
                position = c;
                break;
            }
        }
        if (position < 0 || m_values[i].typeId() != QMetaType::QString)
            return false;
        positions.push_back(position);
        patterns.emplace_back(m_values[i].toString().toUtf8().toStdString());
    }
    if (connection()->dataVersion() != m_cache->version)
        return false;

    result.columns = all.columns;
    result.keyColumn = all.keyColumn;
    result.table = all.table;
    result.store = all.store;
    if (patterns.empty()) {
        result.rows = all.rows;
        return true;
    }
    const std::size_t count = all.rows.size();
    for (std::size_t r = 0; r < count; ++r) {
        // A row is seldom in the cache yet: ask for the start of one a few
        // rows ahead (its first cells), so that the scan does not wait on
        // every row.
        if (r + prefetchDistance < count) {
            const char* ahead = all.rows[r + prefetchDistance];
            __builtin_prefetch(ahead);
            __builtin_prefetch(ahead + 64);
        }
        const char* row = all.rows[r];
        bool match = true;
        for (std::size_t i = 0; match && i < patterns.size(); ++i) {
            bool null = true;
            const std::string_view cell = RowStore::cell(row, positions[i], &null);
            if (null) {
                match = false;
                continue;
            }
            // The engine compares text up to its first NUL. Cells rarely
            // hold one: a floating pattern that misses the whole cell misses
            // its start too, so only a hit needs the look.
            const LikePattern& pattern = patterns[i];
            if (pattern.floating()) {
                match = pattern.matches(cell);
                if (match && std::memchr(cell.data(), 0, cell.size()))
                    match = pattern.matches(cell.substr(0, cell.find('\0')));
            } else {
                match = pattern.matches(cell.substr(0, std::min(cell.size(), cell.find('\0'))));
            }
        }
        if (match)
            result.rows.push_back(row);
    }
    return true;
}

Dataset::Result QueryDataset::fetchFromEngine()
{
    sqlite3* db = connection()->handle();
    const QString what = QStringLiteral("执行%1失败").arg(describe());
    const QByteArray text = m_sql.join(QLatin1Char('\n')).toUtf8();
    if (text.trimmed().isEmpty())
        throw DataError(QStringLiteral("%1没有 SQL 语句").arg(describe()));

    Statement s;
    int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &s.stmt, nullptr);
    if (rc != SQLITE_OK)
        throwEngineError(db, rc, what);
    if (!s.stmt)
        throw DataError(QStringLiteral("%1没有 SQL 语句").arg(describe()));
    if (sqlite3_bind_parameter_count(s.stmt) != m_values.size())
        throw DataError(QStringLiteral("%1的参数个数不对：语句需要 %2 个，给出了 %3 个")
                            .arg(describe())
                            .arg(sqlite3_bind_parameter_count(s.stmt))
                            .arg(m_values.size()));
    for (int i = 0; i < m_values.size(); ++i) {
        const QVariant& v = m_values.at(i);
        if (v.isNull()) {
            sqlite3_bind_null(s.stmt, i + 1);
        } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(s.stmt, i + 1, v.toLongLong());
        } else {
            const QByteArray value = v.toString().toUtf8();
            sqlite3_bind_text(s.stmt, i + 1, value.constData(), int(value.size()),
                              SQLITE_TRANSIENT);
        }
    }

    Result result;
    const int count = sqlite3_column_count(s.stmt);
    QString table;
    bool oneTable = count > 0;
    for (int c = 0; c < count; ++c) {
        Column column;
        column.name = utf8(sqlite3_column_name(s.stmt, c));
        column.origin = utf8(sqlite3_column_origin_name(s.stmt, c));
        column.size = sizeFromDeclaredType(utf8(sqlite3_column_decltype(s.stmt, c)));
        const QString columnTable = utf8(sqlite3_column_table_name(s.stmt, c));
        const QString database = utf8(sqlite3_column_database_name(s.stmt, c));
        if (column.origin.isEmpty() || database != QLatin1String("main") ||
            (!table.isEmpty() && columnTable != table))
            oneTable = false;
        if (table.isEmpty())
            table = columnTable;
        result.columns.push_back(column);
    }

    // Changes go back only when the key of the rows is among the columns.
    if (oneTable) {
        int keys = 0;
        for (int c = 0; c < count; ++c) {
            Column& column = result.columns[std::size_t(c)];
            const char* declared = nullptr;
            int notNull = 0;
            int primaryKey = 0;
            int autoIncrement = 0;
            if (sqlite3_table_column_metadata(
                    db, "main", table.toUtf8().constData(), column.origin.toUtf8().constData(),
                    &declared, nullptr, &notNull, &primaryKey, &autoIncrement) != SQLITE_OK)
                continue;
            if (primaryKey)
                ++keys;
            if (primaryKey && utf8(declared).trimmed().compare(QLatin1String("INTEGER"),
                                                               Qt::CaseInsensitive) == 0) {
                column.readOnly = true;
                result.keyColumn = c;
            }
        }
        if (keys == 1 && result.keyColumn >= 0)
            result.table = table;
        else
            result.keyColumn = -1;
    }
    for (Column& column : result.columns) {
        if (column.origin.isEmpty())
            column.readOnly = true;
    }

    result.store = std::make_shared<RowStore>();
    fetchRows(s.stmt, *result.store, result.rows, what);
    return result;
}

} // namespace data
