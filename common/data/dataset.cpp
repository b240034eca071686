#include "dataset.h"

#include "connection.h"
#include "dataerror.h"
#include "sqlerror.h"
#include "sqlite3_shim.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace data {

namespace {

struct Statement
{
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

void prepare(sqlite3* db, const QString& sql, Statement& s, const QString& what)
{
    const int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s.stmt, nullptr);
    if (rc != SQLITE_OK)
        throwEngineError(db, rc, what);
}

// Runs a prepared change; `conflict` is raised when it touched no row, which
// means the row was changed or deleted elsewhere since it was read.
void runChange(sqlite3* db, Statement& s, const QString& what, const QString& conflict = {})
{
    const int rc = sqlite3_step(s.stmt);
    if (rc != SQLITE_DONE)
        throwEngineError(db, rc, what);
    if (!conflict.isEmpty() && sqlite3_changes(db) == 0)
        throw DataError(conflict);
}

void bindText(sqlite3_stmt* stmt, int index, const QString& text, bool null)
{
    if (null) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

Dataset::Dataset(const QString& name, Connection* connection, QObject* parent)
    : QObject(parent), m_connection(connection)
{
    setObjectName(name);
    if (connection)
        connect(connection, &Connection::disconnecting, this, &Dataset::discard);
}

Dataset::~Dataset() = default;

QString Dataset::describe() const
{
    return QStringLiteral("数据集 %1").arg(name());
}

QString Dataset::defaultClosedMessage() const
{
    return QStringLiteral("%1尚未打开，无法执行此操作").arg(describe());
}

QString Dataset::closedMessage() const
{
    return m_closedMessage.isEmpty() ? defaultClosedMessage() : m_closedMessage;
}

void Dataset::checkActive() const
{
    if (!active())
        throw DataError(closedMessage());
}

void Dataset::setActive(bool on)
{
    if (on)
        open();
    else
        close();
}

void Dataset::open()
{
    if (active())
        return;
    if (!m_connection)
        throw DataError(QStringLiteral("%1没有数据库连接").arg(describe()));
    Result result = fetch();
    if (m_filtered && !m_filterColumn.isEmpty()) {
        const auto it = std::find_if(result.columns.begin(), result.columns.end(),
                                     [&](const Column& c) { return c.name == m_filterColumn; });
        if (it == result.columns.end() || it->hidden)
            throw DataError(
                QStringLiteral("%1中没有筛选条件所用的字段“%2”").arg(describe(), m_filterColumn));
    }
    resetTo(std::move(result));
}

void Dataset::resetTo(Result&& result)
{
    emit aboutToReset();
    m_pending.clear();
    m_columns = std::move(result.columns);
    m_keyColumn = result.keyColumn;
    m_table = result.table;
    m_store = std::move(result.store);
    m_rows = std::move(result.rows);
    m_fieldColumns.clear();
    for (int c = 0; c < int(m_columns.size()); ++c) {
        if (!m_columns[std::size_t(c)].hidden)
            m_fieldColumns.push_back(c);
    }
    m_indexColumn = -1;
    m_index.clear();
    m_state = State::Browse;
    applyFilter();
    m_current = visibleCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = visibleCount() == 0;
    emit reset();
    emit currentChanged(m_current);
    emit stateChanged();
}

void Dataset::close()
{
    if (!active())
        return;
    checkBrowseMode();
    discard();
}

void Dataset::discard()
{
    if (!active())
        return;
    emit aboutToReset();
    m_pending.clear();
    m_state = State::Inactive;
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_view.clear();
    m_view.shrink_to_fit();
    m_viewAll = true;
    m_index.clear();
    m_indexColumn = -1;
    m_store.reset();
    m_current = -1;
    m_eof = m_bof = true;
    emit reset();
    emit currentChanged(-1);
    emit stateChanged();
}

void Dataset::refresh()
{
    checkActive();
    checkBrowseMode();
    const bool hadRow = m_current >= 0;
    const qint64 key = hadRow && m_keyColumn >= 0 ? keyOf(rowAt(m_current)) : 0;
    const int oldRow = m_current;
    resetTo(fetch());
    if (!hadRow || visibleCount() == 0)
        return;
    if (m_keyColumn >= 0) {
        for (int r = 0; r < visibleCount(); ++r) {
            if (keyOf(rowAt(r)) == key) {
                moveTo(r);
                return;
            }
        }
    }
    moveTo(std::min(oldRow, visibleCount() - 1));
}

// --- moving

void Dataset::checkBrowseMode()
{
    if (m_state == State::Edit || m_state == State::Insert)
        post();
}

void Dataset::moveTo(int row)
{
    const int count = visibleCount();
    m_current = count == 0 ? -1 : std::clamp(row, 0, count - 1);
    m_eof = m_bof = count == 0;
    emit currentChanged(m_current);
}

void Dataset::first()
{
    checkActive();
    checkBrowseMode();
    moveTo(0);
    m_bof = true;
}

void Dataset::last()
{
    checkActive();
    checkBrowseMode();
    moveTo(visibleCount() - 1);
    m_eof = true;
}

void Dataset::next()
{
    checkActive();
    checkBrowseMode();
    if (m_current >= 0 && m_current < visibleCount() - 1) {
        moveTo(m_current + 1);
        return;
    }
    m_eof = true;
}

void Dataset::prior()
{
    checkActive();
    checkBrowseMode();
    if (m_current > 0) {
        moveTo(m_current - 1);
        return;
    }
    m_bof = true;
}

int Dataset::recordCount() const
{
    checkActive();
    return visibleCount();
}

void Dataset::setCurrentRow(int row)
{
    checkActive();
    if (row == m_current && !m_eof)
        return;
    checkBrowseMode();
    moveTo(row);
}

// --- fields

QStringList Dataset::fieldNames() const
{
    QStringList names;
    for (int c : m_fieldColumns)
        names << m_columns[std::size_t(c)].name;
    return names;
}

int Dataset::columnOf(const QString& field) const
{
    for (int c : m_fieldColumns) {
        if (m_columns[std::size_t(c)].name.compare(field, Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

int Dataset::requireColumn(const QString& field) const
{
    checkActive();
    const int c = columnOf(field);
    if (c < 0)
        throw DataError(QStringLiteral("%1中没有字段“%2”").arg(describe(), field));
    return c;
}

int Dataset::fieldIndex(const QString& name) const
{
    const int c = columnOf(name);
    if (c < 0)
        return -1;
    return int(std::find(m_fieldColumns.begin(), m_fieldColumns.end(), c) - m_fieldColumns.begin());
}

int Dataset::fieldSize(const QString& name) const
{
    return m_columns[std::size_t(requireColumn(name))].size;
}

bool Dataset::isFieldReadOnly(const QString& name) const
{
    return m_columns[std::size_t(requireColumn(name))].readOnly || !canModify();
}

QString Dataset::fieldText(const QString& name) const
{
    const int c = requireColumn(name);
    if ((m_state == State::Edit || m_state == State::Insert) && !m_pending.empty())
        return m_pending[std::size_t(c)].text;
    if (m_current < 0)
        return QString();
    const std::string_view v = RowStore::cell(rowAt(m_current), c);
    return QString::fromUtf8(v.data(), qsizetype(v.size()));
}

bool Dataset::fieldIsNull(const QString& name) const
{
    const int c = requireColumn(name);
    if ((m_state == State::Edit || m_state == State::Insert) && !m_pending.empty())
        return m_pending[std::size_t(c)].null;
    if (m_current < 0)
        return true;
    bool null = true;
    RowStore::cell(rowAt(m_current), c, &null);
    return null;
}

void Dataset::setFieldText(const QString& name, const QString& text)
{
    const int c = requireColumn(name);
    if (m_state != State::Edit && m_state != State::Insert)
        throw DataError(QStringLiteral("%1不在编辑状态，不能修改字段“%2”").arg(describe(), name));
    if (m_columns[std::size_t(c)].readOnly)
        throw DataError(QStringLiteral("字段“%1”是只读的（%2），不能修改").arg(name, describe()));
    Pending& p = m_pending[std::size_t(c)];
    p.text = text;
    p.null = false;
    p.modified = true;
    if (m_state == State::Edit)
        emit rowChanged(m_current);
}

void Dataset::setFieldNull(const QString& name)
{
    const int c = requireColumn(name);
    if (m_state != State::Edit && m_state != State::Insert)
        throw DataError(QStringLiteral("%1不在编辑状态，不能修改字段“%2”").arg(describe(), name));
    if (m_columns[std::size_t(c)].readOnly)
        throw DataError(QStringLiteral("字段“%1”是只读的（%2），不能修改").arg(name, describe()));
    Pending& p = m_pending[std::size_t(c)];
    p.text.clear();
    p.null = true;
    p.modified = true;
    if (m_state == State::Edit)
        emit rowChanged(m_current);
}

std::string_view Dataset::bytes(int row, int field, bool* isNull) const
{
    return RowStore::cell(rowAt(row), m_fieldColumns[std::size_t(field)], isNull);
}

QString Dataset::text(int row, int field) const
{
    if (m_state == State::Edit && row == m_current)
        return m_pending[std::size_t(m_fieldColumns[std::size_t(field)])].text;
    const std::string_view v = bytes(row, field);
    return QString::fromUtf8(v.data(), qsizetype(v.size()));
}

bool Dataset::isNull(int row, int field) const
{
    if (m_state == State::Edit && row == m_current)
        return m_pending[std::size_t(m_fieldColumns[std::size_t(field)])].null;
    bool null = true;
    bytes(row, field, &null);
    return null;
}

// --- filter

QString Dataset::filterExpression() const
{
    if (m_filterColumn.isEmpty())
        return QString();
    return m_filterColumn + QStringLiteral("='") + m_filterValue + QLatin1Char('\'');
}

void Dataset::setFilter(const QString& column, const QString& value)
{
    if (active() && m_filtered && !column.isEmpty())
        requireColumn(column);
    if (active())
        checkBrowseMode();
    m_filterColumn = column;
    m_filterValue = value;
    if (active() && m_filtered) {
        emit aboutToReset();
        applyFilter();
        m_current = visibleCount() > 0 ? 0 : -1;
        m_bof = true;
        m_eof = visibleCount() == 0;
        emit reset();
        emit currentChanged(m_current);
    }
}

void Dataset::clearFilter()
{
    setFilter(QString(), QString());
}

void Dataset::setFiltered(bool on)
{
    if (active() && on && !m_filterColumn.isEmpty())
        requireColumn(m_filterColumn);
    if (active())
        checkBrowseMode();
    m_filtered = on;
    if (active()) {
        emit aboutToReset();
        applyFilter();
        m_current = visibleCount() > 0 ? 0 : -1;
        m_bof = true;
        m_eof = visibleCount() == 0;
        emit reset();
        emit currentChanged(m_current);
    }
}

void Dataset::rebuildIndex(int column)
{
    m_index.clear();
    for (int i = 0; i < int(m_rows.size()); ++i) {
        bool null = true;
        const std::string_view v = RowStore::cell(m_rows[std::size_t(i)], column, &null);
        if (!null)
            m_index[v].push_back(i);
    }
    m_indexColumn = column;
}

void Dataset::applyFilter()
{
    m_view.clear();
    m_viewAll = !m_filtered || m_filterColumn.isEmpty();
    if (m_viewAll)
        return;
    // Menus are built by filtering once per parent; an index keeps that
    // linear in the size of the table.
    const int column = columnOf(m_filterColumn);
    if (column != m_indexColumn)
        rebuildIndex(column);
    const QByteArray key = m_filterValue.toUtf8();
    const auto it = m_index.find(std::string_view(key.constData(), std::size_t(key.size())));
    if (it != m_index.end())
        m_view = it->second;
}

bool Dataset::locate(const QString& field, const QString& value)
{
    const int c = requireColumn(field);
    checkBrowseMode();
    const QByteArray key = value.toUtf8();
    const std::string_view wanted(key.constData(), std::size_t(key.size()));
    const int count = visibleCount();
    for (int r = 0; r < count; ++r) {
        bool null = true;
        const std::string_view v = RowStore::cell(rowAt(r), c, &null);
        if (!null && v == wanted) {
            moveTo(r);
            return true;
        }
    }
    return false;
}

// --- changes

void Dataset::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

void Dataset::edit()
{
    checkActive();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (visibleCount() == 0) {
        insert();
        return;
    }
    if (!canModify())
        throw DataError(QStringLiteral("%1是只读的，不能修改").arg(describe()));
    m_pending.assign(m_columns.size(), Pending());
    const char* row = rowAt(m_current);
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        bool null = true;
        const std::string_view v = RowStore::cell(row, int(c), &null);
        m_pending[c].text = QString::fromUtf8(v.data(), qsizetype(v.size()));
        m_pending[c].null = null;
    }
    setState(State::Edit);
}

void Dataset::insert()
{
    checkActive();
    checkBrowseMode();
    if (!canModify())
        throw DataError(QStringLiteral("%1是只读的，不能添加记录").arg(describe()));
    m_pending.assign(m_columns.size(), Pending());
    setState(State::Insert);
}

void Dataset::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    const bool wasEdit = m_state == State::Edit;
    m_pending.clear();
    setState(State::Browse);
    if (wasEdit && m_current >= 0)
        emit rowChanged(m_current);
}

void Dataset::post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    try {
        storePending();
    } catch (...) {
        cancel();
        throw;
    }
}

qint64 Dataset::keyOf(const char* row) const
{
    const std::string_view v = RowStore::cell(row, m_keyColumn);
    return QByteArray(v.data(), qsizetype(v.size())).toLongLong();
}

QString Dataset::originalCondition() const
{
    QString sql;
    for (int c = 0; c < int(m_columns.size()); ++c) {
        const Column& col = m_columns[std::size_t(c)];
        if (c == m_keyColumn || col.origin.isEmpty())
            continue;
        sql += QStringLiteral(" AND %1 IS ?").arg(quoteIdentifier(col.origin));
    }
    return sql;
}

void Dataset::bindOriginal(sqlite3_stmt* stmt, int& index, const char* row) const
{
    for (int c = 0; c < int(m_columns.size()); ++c) {
        const Column& col = m_columns[std::size_t(c)];
        if (c == m_keyColumn || col.origin.isEmpty())
            continue;
        bool null = true;
        const std::string_view v = RowStore::cell(row, c, &null);
        if (null)
            sqlite3_bind_null(stmt, index++);
        else
            sqlite3_bind_text(stmt, index++, v.data(), int(v.size()), SQLITE_TRANSIENT);
    }
}

static QString keyExpression(const QString& origin)
{
    return origin.compare(QLatin1String("rowid"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("rowid")
               : quoteIdentifier(origin);
}

const char* Dataset::readRow(qint64 key)
{
    QStringList cols;
    for (const Column& c : m_columns)
        cols << keyExpression(c.origin);
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                            .arg(cols.join(QLatin1Char(',')), quoteIdentifier(m_table),
                                 keyExpression(m_columns[std::size_t(m_keyColumn)].origin));
    sqlite3* db = m_connection->handle();
    Statement s;
    prepare(db, sql, s, QStringLiteral("读取%1的记录失败").arg(describe()));
    sqlite3_bind_int64(s.stmt, 1, key);
    std::vector<const char*> rows;
    fetchRows(s.stmt, *m_store, rows, QStringLiteral("读取%1的记录失败").arg(describe()));
    return rows.empty() ? nullptr : rows.front();
}

void Dataset::replaceRow(int visible, const char* row)
{
    m_rows[std::size_t(rowIndex(visible))] = row;
    m_indexColumn = -1;
}

void Dataset::storePending()
{
    // Refuse what the column cannot hold before anything is written.
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        const Column& col = m_columns[c];
        const Pending& p = m_pending[c];
        if (p.modified && !p.null && col.size > 0 && p.text.size() > col.size)
            throw DataError(QStringLiteral("字段“%1”最多只能保存 %2 个字符，输入的内容有 %3 "
                                           "个字符（%4），没有保存")
                                .arg(col.name)
                                .arg(col.size)
                                .arg(p.text.size())
                                .arg(describe()));
    }

    sqlite3* db = m_connection->handle();
    const QString table = quoteIdentifier(m_table);
    Statement s;
    int index = 1;

    if (m_state == State::Edit) {
        QStringList sets;
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (m_pending[c].modified)
                sets << quoteIdentifier(m_columns[c].origin) + QStringLiteral(" = ?");
        }
        if (sets.isEmpty()) {
            m_pending.clear();
            setState(State::Browse);
            return;
        }
        const char* original = rowAt(m_current);
        const qint64 key = keyOf(original);
        const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?%4")
                                .arg(table, sets.join(QLatin1Char(',')),
                                     keyExpression(m_columns[std::size_t(m_keyColumn)].origin),
                                     originalCondition());
        const QString what = QStringLiteral("保存%1的记录失败").arg(describe());
        prepare(db, sql, s, what);
        for (std::size_t c = 0; c < m_columns.size(); ++c) {
            if (m_pending[c].modified)
                bindText(s.stmt, index++, m_pending[c].text, m_pending[c].null);
        }
        sqlite3_bind_int64(s.stmt, index++, key);
        bindOriginal(s.stmt, index, original);
        runChange(db, s, what,
                  QStringLiteral("这条记录在读取之后已被其他用户修改或删除（%1），"
                                 "本次修改没有保存。请重新打开后再试")
                      .arg(describe()));
        m_connection->noteLocalWrite();
        const char* stored = readRow(key);
        m_pending.clear();
        if (stored)
            replaceRow(m_current, stored);
        setState(State::Browse);
        emit rowChanged(m_current);
        return;
    }

    // Insert.
    QStringList cols;
    QStringList marks;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (m_pending[c].modified) {
            cols << quoteIdentifier(m_columns[c].origin);
            marks << QStringLiteral("?");
        }
    }
    const QString sql =
        cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                       : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                             .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    const QString what = QStringLiteral("添加%1的记录失败").arg(describe());
    prepare(db, sql, s, what);
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        if (m_pending[c].modified)
            bindText(s.stmt, index++, m_pending[c].text, m_pending[c].null);
    }
    runChange(db, s, what);
    m_connection->noteLocalWrite();
    const char* stored = readRow(sqlite3_last_insert_rowid(db));
    m_pending.clear();
    setState(State::Browse);
    if (!stored)
        return;
    const int visible = visibleCount();
    emit rowAboutToBeInserted(visible);
    m_rows.push_back(stored);
    if (!m_viewAll)
        m_view.push_back(int(m_rows.size()) - 1);
    m_indexColumn = -1;
    emit rowInserted(visible);
    moveTo(visible);
}

void Dataset::remove()
{
    checkActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (visibleCount() == 0 || m_current < 0)
        throw DataError(QStringLiteral("%1没有记录，无法删除").arg(describe()));
    if (!canModify())
        throw DataError(QStringLiteral("%1是只读的，不能删除记录").arg(describe()));
    cancel();

    sqlite3* db = m_connection->handle();
    const char* row = rowAt(m_current);
    const QString sql =
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?%3")
            .arg(quoteIdentifier(m_table),
                 keyExpression(m_columns[std::size_t(m_keyColumn)].origin), originalCondition());
    Statement s;
    const QString what = QStringLiteral("删除%1的记录失败").arg(describe());
    prepare(db, sql, s, what);
    int index = 1;
    sqlite3_bind_int64(s.stmt, index++, keyOf(row));
    bindOriginal(s.stmt, index, row);
    runChange(db, s, what,
              QStringLiteral("这条记录在读取之后已被其他用户修改或删除（%1），"
                             "没有删除。请重新打开后再试")
                  .arg(describe()));
    m_connection->noteLocalWrite();

    const int visible = m_current;
    const int removed = rowIndex(visible);
    emit rowAboutToBeRemoved(visible);
    m_rows.erase(m_rows.begin() + removed);
    if (!m_viewAll) {
        m_view.erase(m_view.begin() + visible);
        for (int& i : m_view) {
            if (i > removed)
                --i;
        }
    }
    m_indexColumn = -1;
    emit rowRemoved(visible);
    moveTo(visible);
}

// --- fetching

void Dataset::fetchRows(sqlite3_stmt* stmt, RowStore& store, std::vector<const char*>& rows,
                        const QString& what)
{
    const int columns = sqlite3_column_count(stmt);
    std::vector<const unsigned char*> text(std::size_t(columns), nullptr);
    std::vector<std::size_t> length(std::size_t(columns), 0);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::size_t bytes = 0;
        for (int c = 0; c < columns; ++c) {
            // Only a null (or an allocation failure) gives no text: the type
            // is asked only then, one engine call less for every other cell.
            const unsigned char* t = sqlite3_column_text(stmt, c);
            if (!t) {
                if (sqlite3_column_type(stmt, c) == SQLITE_NULL) {
                    text[std::size_t(c)] = nullptr;
                    bytes += 1;
                    continue;
                }
                if (sqlite3_errcode(sqlite3_db_handle(stmt)) == SQLITE_NOMEM)
                    throwEngineError(sqlite3_db_handle(stmt), SQLITE_NOMEM, what);
                t = reinterpret_cast<const unsigned char*>("");
            }
            const std::size_t n = std::size_t(sqlite3_column_bytes(stmt, c));
            text[std::size_t(c)] = t;
            length[std::size_t(c)] = n;
            bytes += RowStore::varintSize(n + 1) + n;
        }
        char* out = store.reserve(bytes);
        char* p = out;
        for (int c = 0; c < columns; ++c) {
            if (!text[std::size_t(c)]) {
                *p++ = 0;
                continue;
            }
            const std::size_t n = length[std::size_t(c)];
            p = RowStore::putVarint(p, n + 1);
            std::memcpy(p, text[std::size_t(c)], n);
            p += n;
        }
        rows.push_back(store.commit(bytes));
    }
    if (rc != SQLITE_DONE) {
        sqlite3* db = sqlite3_db_handle(stmt);
        throwEngineError(db, rc, what);
    }
}

int Dataset::sizeFromDeclaredType(const QString& type)
{
    static const QRegularExpression re(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    const QRegularExpressionMatch m = re.match(type);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace data
