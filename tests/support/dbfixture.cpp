#include "dbfixture.h"

#include "common/data/sqlite3_shim.h"
#include "tools/schema.h"

#include <QFile>

namespace fixture {

namespace {

sqlite3* openFile(const QString& path, const QString& password, bool create)
{
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr) != SQLITE_OK)
        qFatal("fixture: cannot open %s", qPrintable(path));
    if (!password.isEmpty()) {
#if defined(DATA_ENGINE_SQLCIPHER)
        const QByteArray key =
            "PRAGMA key = '" + password.toUtf8().replace("'", "''") + "';" +
            "PRAGMA cipher_page_size = " + QByteArray::number(schema::cipherPageSize) + ";";
        sqlite3_exec(db, key.constData(), nullptr, nullptr, nullptr);
#else
        qFatal("fixture: passwords need the SQLCipher build");
#endif
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

void run(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QByteArray message = error ? QByteArray(error) : QByteArray("error");
        sqlite3_free(error);
        sqlite3_close(db);
        qFatal("fixture: %s in: %s", message.constData(), qPrintable(sql));
    }
}

} // namespace

void makeDatabase(const QString& path, const QString& sql, const QString& password)
{
    QFile::remove(path);
    sqlite3* db = openFile(path, password, true);
    run(db, sql);
    sqlite3_close(db);
}

void execute(const QString& path, const QString& sql, const QString& password)
{
    sqlite3* db = openFile(path, password, false);
    run(db, sql);
    sqlite3_close(db);
}

QString scalar(const QString& path, const QString& sql, const QString& password)
{
    sqlite3* db = openFile(path, password, false);
    sqlite3_stmt* stmt = nullptr;
    QString result = QStringLiteral("<no row>");
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        qFatal("fixture: %s in: %s", sqlite3_errmsg(db), qPrintable(sql));
    if (sqlite3_step(stmt) == SQLITE_ROW) {
        result =
            sqlite3_column_type(stmt, 0) == SQLITE_NULL
                ? QStringLiteral("<null>")
                : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

ExclusiveLock::ExclusiveLock(const QString& path, const QString& password)
    : m_db(openFile(path, password, false))
{
    run(static_cast<sqlite3*>(m_db), QStringLiteral("BEGIN EXCLUSIVE; PRAGMA user_version = 7;"));
}

ExclusiveLock::~ExclusiveLock()
{
    sqlite3_exec(static_cast<sqlite3*>(m_db), "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(static_cast<sqlite3*>(m_db));
}

QStringList column(const QString& path, const QString& sql, const QStringList& values,
                   const QString& password)
{
    sqlite3* db = openFile(path, password, false);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        qFatal("fixture: %s in: %s", sqlite3_errmsg(db), qPrintable(sql));
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray v = values.at(i).toUtf8();
        sqlite3_bind_text(stmt, i + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    QStringList result;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        result << (sqlite3_column_type(stmt, 0) == SQLITE_NULL
                       ? QStringLiteral("<null>")
                       : QString::fromUtf8(
                             reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("fixture: cannot write %s", qPrintable(path));
}

QString catalogueConnectionString(const QString& file)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Password=\"\";Data Source=") + file +
           QStringLiteral(";Persist Security Info=True");
}

QString directoryConnectionString(const QString& file, const QString& password)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file +
           QStringLiteral(";Persist Security Info=True;Jet OLEDB:Database Password=") + password;
}

} // namespace fixture
