#include "connection.h"

#include "connectionstring.h"
#include "dataerror.h"
#include "likepattern.h"
#include "sqlerror.h"
#include "sqlite3_shim.h"

#include <QFile>
#include <QFileInfo>

namespace data {

namespace {

// Our encrypted file format: SQLCipher's defaults but 16 KB cipher pages,
// which read a large directory several times faster than 1 KB pages.
constexpr int cipherPageSize = 16384;

#if defined(DATA_ENGINE_SQLCIPHER)
QString quoteLiteral(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
#endif

// x LIKE y, as the engine's own but with a compiled pattern kept per
// statement: "%text%" becomes a plain substring search.
void likeFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    if (sqlite3_value_bytes(argv[0]) >
        sqlite3_limit(sqlite3_context_db_handle(context), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1)) {
        sqlite3_result_error(context, "LIKE or GLOB pattern too complex", -1);
        return;
    }
    if (!pattern || !text)
        return; // null
    auto* compiled = static_cast<LikePattern*>(sqlite3_get_auxdata(context, 0));
    if (!compiled || compiled->pattern() != pattern) {
        compiled = new LikePattern(pattern);
        sqlite3_set_auxdata(context, 0, compiled,
                            [](void* p) { delete static_cast<LikePattern*>(p); });
        // The engine may drop it at once; ask for it again.
        compiled = static_cast<LikePattern*>(sqlite3_get_auxdata(context, 0));
        if (!compiled) {
            sqlite3_result_int(context, LikePattern(pattern).matches(text) ? 1 : 0);
            return;
        }
    }
    sqlite3_result_int(context, compiled->matches(text) ? 1 : 0);
}

int exec(sqlite3* db, const QString& sql)
{
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

} // namespace

Connection::Connection(QObject* parent) : QObject(parent)
{
}

Connection::~Connection()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

void Connection::setConnectionString(const QString& text)
{
    if (text == m_connectionString)
        return;
    setConnected(false);
    m_connectionString = text;
}

QString Connection::databasePath() const
{
    return ConnectionString::parse(m_connectionString).dataSource();
}

QString Connection::engineName()
{
#if defined(DATA_ENGINE_SQLCIPHER)
    return QStringLiteral("SQLCipher");
#else
    return QStringLiteral("SQLite");
#endif
}

void Connection::setConnected(bool on)
{
    if (on == connected())
        return;
    if (on) {
        connectNow();
        return;
    }
    emit disconnecting();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

sqlite3* Connection::handle()
{
    if (!m_db)
        connectNow();
    return m_db;
}

void Connection::connectNow()
{
    const ConnectionString parsed = ConnectionString::parse(m_connectionString);
    const QString path = parsed.dataSource();
    if (path.isEmpty())
        throw DataError(QStringLiteral("连接字符串没有指定数据库文件（Data Source）"));

    const QFileInfo info(path);
    if (!info.exists())
        throw DataError(QStringLiteral("找不到数据库文件“%1”").arg(path));
    if (info.isDir())
        throw DataError(QStringLiteral("“%1”是一个文件夹，不是数据库文件").arg(path));

    const QString what = QStringLiteral("无法打开数据库文件“%1”").arg(path);
    sqlite3* db = nullptr;
    // Open existing files only: no SQLITE_OPEN_CREATE. The handle is used by
    // one thread only, so it needs no mutex of its own: that saves a lock
    // and an unlock in every call, a million rows being twenty million calls.
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    auto fail = [&](int code) {
        QString text = what + QStringLiteral("：") + describeResult(code);
        if ((code & 0xff) != SQLITE_NOTADB && db && sqlite3_errmsg(db))
            text += QStringLiteral("（%1）").arg(QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_close_v2(db);
        throw DataError(text);
    };
    if (rc != SQLITE_OK)
        fail(rc);
    sqlite3_busy_timeout(db, m_busyTimeoutMs);
    sqlite3_extended_result_codes(db, 0);

    const QString password = parsed.databasePassword();
    if (!password.isEmpty()) {
#if defined(DATA_ENGINE_SQLCIPHER)
        rc = exec(db, QStringLiteral("PRAGMA key = %1").arg(quoteLiteral(password)));
        if (rc == SQLITE_OK)
            rc = exec(db, QStringLiteral("PRAGMA cipher_page_size = %1").arg(cipherPageSize));
        if (rc != SQLITE_OK)
            fail(rc);
#else
        sqlite3_close_v2(db);
        throw DataError(what + QStringLiteral("：此程序不支持带密码的数据库"));
#endif
    }
    // Reading the schema proves the file is a database and the key is right;
    // both faults report SQLITE_NOTADB.
    rc = exec(db, QStringLiteral("select count(*) from sqlite_master"));
    if (rc != SQLITE_OK)
        fail(rc);
    sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            likeFunction, nullptr, nullptr);
    m_db = db;
}

quint64 Connection::dataVersion()
{
    sqlite3* db = handle();
    sqlite3_stmt* stmt = nullptr;
    quint64 version = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA data_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        version = quint64(sqlite3_column_int64(stmt, 0));
    sqlite3_finalize(stmt);
    // Our own writes do not move the engine's counter; fold them in.
    return (version << 32) | (m_localWrites & 0xffffffffu);
}

} // namespace data
