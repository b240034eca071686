#pragma once

#include <QString>
#include <QStringList>

// Test databases made from small SQL scripts. Built once per engine, like the
// data layer: with SQLCipher the file is keyed the way the directory is.
namespace fixture {

// Creates `path` and runs `sql` in it; an empty password makes a plain file.
// Fails the calling test (QFAIL-style message via qFatal) on error.
void makeDatabase(const QString& path, const QString& sql, const QString& password = {});

// Runs `sql` against an existing file, as another program would.
void execute(const QString& path, const QString& sql, const QString& password = {});

// One value of a query, as text ("<null>" for null).
QString scalar(const QString& path, const QString& sql, const QString& password = {});

// The first column of every row of a query, with values bound to its '?'
// marks; null reads as "<null>".
QStringList column(const QString& path, const QString& sql, const QStringList& values = {},
                   const QString& password = {});

// Writes bytes that are no database.
void writeFile(const QString& path, const QByteArray& bytes);

// Holds an exclusive lock on a file for its lifetime, as another program
// writing it would.
class ExclusiveLock
{
public:
    ExclusiveLock(const QString& path, const QString& password = {});
    ~ExclusiveLock();
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    void* m_db;
};

// The connection strings the programs build.
QString catalogueConnectionString(const QString& file);
QString directoryConnectionString(const QString& file, const QString& password);

} // namespace fixture
