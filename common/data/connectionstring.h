#pragma once

#include <QList>
#include <QString>

namespace data {

// A Jet-style connection string: "Key=Value;Key=Value". Keys are matched
// without regard to case; a value may be quoted with double or single quotes,
// and a quoted value may hold ';'.
class ConnectionString
{
public:
    static ConnectionString parse(const QString& text);

    // The value of a key, unquoted; empty when the key is absent.
    QString value(const QString& key) const;
    bool contains(const QString& key) const;

    QString provider() const { return value(QStringLiteral("Provider")); }
    // The database file, with '\' taken as a path separator.
    QString dataSource() const;
    // The key that protects the file: the Jet database password, else the
    // plain password; empty ("" in the string) means none.
    QString databasePassword() const;

private:
    struct Entry
    {
        QString key;
        QString value;
    };
    QList<Entry> m_entries;
};

// "a\b\c" -> "a/b/c": stored relative paths come from Windows.
QString toNativeSeparators(const QString& path);

} // namespace data
