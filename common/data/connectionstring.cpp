#include "connectionstring.h"

namespace data {

ConnectionString ConnectionString::parse(const QString& text)
{
    ConnectionString result;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        const qsizetype semi = text.indexOf(QLatin1Char(';'), i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            // A piece without '=' carries nothing; skip it.
            i = semi < 0 ? n : semi + 1;
            continue;
        }
        Entry entry;
        entry.key = text.mid(i, eq - i).trimmed();
        qsizetype j = eq + 1;
        while (j < n && text.at(j) == QLatin1Char(' '))
            ++j;
        if (j < n && (text.at(j) == QLatin1Char('"') || text.at(j) == QLatin1Char('\''))) {
            const QChar quote = text.at(j);
            QString value;
            ++j;
            while (j < n) {
                if (text.at(j) == quote) {
                    // A doubled quote inside a quoted value stands for one.
                    if (j + 1 < n && text.at(j + 1) == quote) {
                        value += quote;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += text.at(j++);
            }
            entry.value = value;
            const qsizetype end = text.indexOf(QLatin1Char(';'), j);
            i = end < 0 ? n : end + 1;
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), j);
            entry.value = text.mid(j, (end < 0 ? n : end) - j);
            i = end < 0 ? n : end + 1;
        }
        if (!entry.key.isEmpty())
            result.m_entries.append(entry);
    }
    return result;
}

QString ConnectionString::value(const QString& key) const
{
    // The last occurrence wins, as with OLE DB.
    for (qsizetype i = m_entries.size() - 1; i >= 0; --i) {
        if (m_entries.at(i).key.compare(key, Qt::CaseInsensitive) == 0)
            return m_entries.at(i).value;
    }
    return {};
}

bool ConnectionString::contains(const QString& key) const
{
    for (const Entry& e : m_entries) {
        if (e.key.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ConnectionString::dataSource() const
{
    return toNativeSeparators(value(QStringLiteral("Data Source")));
}

QString ConnectionString::databasePassword() const
{
    const QString jet = value(QStringLiteral("Jet OLEDB:Database Password"));
    if (!jet.isEmpty())
        return jet;
    return value(QStringLiteral("Password"));
}

QString toNativeSeparators(const QString& path)
{
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}

} // namespace data
