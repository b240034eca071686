#pragma once

#include <QString>

#include <optional>

namespace data {
class TableDataset;
}

namespace archiva {

// What a tab of the maintenance window writes into a row.
struct LevelEntry
{
    QString name;
    QString parent;
    QString address;
};

// One level of the catalogue as the maintenance window changes it: its table
// and the columns a tab writes. Rows are found again by their key `编号`, so
// a change goes to the row the user chose even when the table's current row
// has moved since.
class CatalogueLevel
{
public:
    // An empty parent or address column: the level has none.
    struct Columns
    {
        QString name;
        QString parent;
        QString address;
    };

    enum class Outcome { Stored, Duplicate };

    CatalogueLevel(data::TableDataset* table, Columns columns);

    data::TableDataset* table() const { return m_table; }
    const Columns& columns() const { return m_columns; }

    // The key of a row of the whole table, also one the filter hides, whose
    // name is exactly `name`; the row `except` does not count.
    std::optional<qint64> findName(const QString& name,
                                   std::optional<qint64> except = std::nullopt) const;

    // The current row's key; none when the table shows no row.
    std::optional<qint64> currentKey() const;
    // Makes the row of this key current when the table shows it.
    bool showRow(qint64 key);

    // A name that is taken makes its row current and stores nothing.
    // Otherwise the row is stored and the table read afresh.
    Outcome add(const LevelEntry& entry);
    // Changes the row of this key (found even when the filter hides it).
    Outcome modify(qint64 key, const LevelEntry& entry);
    // Deletes the current row; returns its key.
    std::optional<qint64> removeCurrent();

private:
    // Puts the entry into the pending row and stores it.
    void write(const LevelEntry& entry);
    void reopen();

    data::TableDataset* m_table;
    Columns m_columns;
};

} // namespace archiva
