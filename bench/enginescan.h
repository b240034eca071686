#pragma once

#include "measure.h"

#include <QString>
#include <QStringList>

struct sqlite3;

namespace bench {

// A handle of this build's engine on an existing file, without any function
// of ours: LIKE is the engine's own. With a key the file is read the way the
// directory is keyed (our cipher page size).
class RawDatabase
{
public:
    RawDatabase(const QString& path, const QString& key = {}, int cipherPageSize = 0);
    ~RawDatabase();
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    sqlite3* handle() const { return m_db; }
    // Runs a statement without rows; throws std::runtime_error on failure.
    void exec(const QString& sql);

    static QString engineVersion();

private:
    sqlite3* m_db = nullptr;
};

struct Scan
{
    qint64 rows = 0;
    // UTF-8 bytes of every cell read as text.
    qint64 bytes = 0;
    KeyHash keys;
    double ms = 0;
};

// Prepares the statement, binds the values as text to its '?' marks, steps
// to the end reading every column of every row as text. The key column
// (by name) feeds the result's hash. Throws std::runtime_error on failure.
Scan scan(RawDatabase& db, const QString& sql, const QStringList& values, const QString& keyColumn);

} // namespace bench
