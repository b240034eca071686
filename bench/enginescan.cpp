#include "enginescan.h"

#include "common/data/sqlite3_shim.h"

#include <QFile>

#include <stdexcept>
#include <string>

namespace bench {

namespace {

[[noreturn]] void fail(sqlite3* db, const QString& what)
{
    const std::string text = what.toStdString() + ": " + (db ? sqlite3_errmsg(db) : "cannot open");
    throw std::runtime_error(text);
}

} // namespace

RawDatabase::RawDatabase(const QString& path, const QString& key, int cipherPageSize)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK) {
        sqlite3* db = m_db;
        m_db = nullptr;
        const std::string message = db ? sqlite3_errmsg(db) : "cannot open";
        sqlite3_close(db);
        throw std::runtime_error(path.toStdString() + ": " + message);
    }
    if (!key.isEmpty()) {
        QString quoted = key;
        quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
        exec(QStringLiteral("PRAGMA key = '%1'").arg(quoted));
        if (cipherPageSize > 0)
            exec(QStringLiteral("PRAGMA cipher_page_size = %1").arg(cipherPageSize));
    }
    // Derives the key and reads the schema now, outside any timing.
    exec(QStringLiteral("select count(*) from sqlite_master"));
}

RawDatabase::~RawDatabase()
{
    sqlite3_close(m_db);
}

void RawDatabase::exec(const QString& sql)
{
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(m_db, sql);
}

QString RawDatabase::engineVersion()
{
    return QString::fromLatin1(sqlite3_libversion());
}

Scan scan(RawDatabase& db, const QString& sql, const QStringList& values, const QString& keyColumn)
{
    const QByteArray text = sql.toUtf8();
    std::vector<QByteArray> bound;
    for (const QString& v : values)
        bound.push_back(v.toUtf8());

    Scan result;
    const Stopwatch watch;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db.handle(), text.constData(), int(text.size()), &stmt, nullptr) !=
        SQLITE_OK)
        fail(db.handle(), sql);
    for (std::size_t i = 0; i < bound.size(); ++i)
        sqlite3_bind_text(stmt, int(i) + 1, bound[i].constData(), int(bound[i].size()),
                          SQLITE_TRANSIENT);
    const int columns = sqlite3_column_count(stmt);
    int key = -1;
    for (int c = 0; c < columns; ++c) {
        if (keyColumn == QString::fromUtf8(sqlite3_column_name(stmt, c)))
            key = c;
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        ++result.rows;
        for (int c = 0; c < columns; ++c) {
            const auto* cell = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            const int n = sqlite3_column_bytes(stmt, c);
            result.bytes += n;
            if (c == key)
                result.keys.add(std::string_view(cell ? cell : "", std::size_t(n)));
        }
    }
    sqlite3_finalize(stmt);
    result.ms = watch.ms();
    if (rc != SQLITE_DONE)
        fail(db.handle(), sql);
    if (key < 0)
        throw std::runtime_error("no column " + keyColumn.toStdString() + " in " +
                                 sql.toStdString());
    return result;
}

} // namespace bench
