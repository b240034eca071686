#pragma once

// What differs between the two builds of the data-layer tests: the plain
// build opens catalogue-style files, the SQLCipher build keyed directory files.
#include "support/dbfixture.h"
#include "tools/schema.h"

#include <QString>

namespace engine {

#if defined(DATA_ENGINE_SQLCIPHER)
inline QString password()
{
    return QString::fromLatin1(schema::directoryPassword);
}
inline QString connectionString(const QString& file)
{
    return fixture::directoryConnectionString(file, password());
}
#else
inline QString password()
{
    return QString();
}
inline QString connectionString(const QString& file)
{
    return fixture::catalogueConnectionString(file);
}
#endif

inline void make(const QString& file, const QString& sql)
{
    fixture::makeDatabase(file, sql, password());
}
inline void execute(const QString& file, const QString& sql)
{
    fixture::execute(file, sql, password());
}
inline QString scalar(const QString& file, const QString& sql)
{
    return fixture::scalar(file, sql, password());
}

} // namespace engine
