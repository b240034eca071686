#pragma once

#include "connection.h"
#include "rowstore.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3_stmt;

namespace data {

// The rows of a table or a query, read whole at open (a static cursor): what
// others change is seen at the next open. One current row is shared by every
// control bound to the dataset; the signals below let them follow it.
//
// Changes are written at once, one row at a time, with an optimistic check:
// a row that somebody else changed or deleted since it was read is not
// overwritten, and the change fails with an error.
class Dataset : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };

    Dataset(const QString& name, Connection* connection, QObject* parent = nullptr);
    ~Dataset() override;

    QString name() const { return objectName(); }
    Connection* connection() const { return m_connection; }

    // --- open and close
    bool active() const { return m_state != State::Inactive; }
    void setActive(bool on);
    // Connects first when the connection is not connected. Opening an open
    // dataset does nothing.
    void open();
    // A pending change is posted first; when that fails the dataset stays
    // open and the error is raised.
    void close();
    // Closes without posting and without raising; for destructors.
    void discard();
    State state() const { return m_state; }
    // Reads the rows again, keeping the current row when it still exists.
    void refresh();

    // --- moving (over the rows that pass the filter)
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    // An error on a closed dataset.
    int recordCount() const;
    // 0 when closed: for views.
    int rowCount() const { return active() ? visibleCount() : 0; }
    int currentRow() const { return m_current; }
    // Posts a pending change of another row first.
    void setCurrentRow(int row);

    // --- fields
    QStringList fieldNames() const;
    int fieldCount() const { return int(m_fieldColumns.size()); }
    int fieldIndex(const QString& name) const;
    // Characters the column holds; 0 when unlimited.
    int fieldSize(const QString& name) const;
    bool isFieldReadOnly(const QString& name) const;
    // The current row's value as text; null reads as "".
    QString fieldText(const QString& name) const;
    bool fieldIsNull(const QString& name) const;
    // Needs edit() or insert() first.
    void setFieldText(const QString& name, const QString& text);
    void setFieldNull(const QString& name);

    // Cells by position, for views; the row being edited shows its pending
    // values.
    QString text(int row, int field) const;
    bool isNull(int row, int field) const;
    std::string_view bytes(int row, int field, bool* isNull = nullptr) const;

    // --- filter: a column and a value, matched whole. The value is data, so
    // any quote in it is ordinary text.
    void setFilter(const QString& column, const QString& value);
    void clearFilter();
    QString filterColumn() const { return m_filterColumn; }
    QString filterValue() const { return m_filterValue; }
    // "column='value'", or "" without filter.
    QString filterExpression() const;
    bool filtered() const { return m_filtered; }
    void setFiltered(bool on);

    // Moves to the first row whose field equals the value; false (and no
    // move) when there is none.
    bool locate(const QString& field, const QString& value);

    // --- changes
    bool canModify() const { return !m_table.isEmpty() && m_keyColumn >= 0; }
    void edit();
    void insert();
    // Stores the pending change. When storing fails, the change is dropped
    // (nothing is half stored, nothing stays pending) and the error raised.
    void post();
    void cancel();
    // Deletes the current row; its neighbour becomes current.
    void remove();

    // The table that changes go to; empty when the rows are read-only.
    QString updateTable() const { return m_table; }

    // What the user is told when the dataset is used before it is open, in
    // the window's own words; a general text otherwise.
    void setClosedMessage(const QString& text) { m_closedMessage = text; }

signals:
    void aboutToReset();
    // Rows replaced: opened, closed, filtered or read again.
    void reset();
    void rowChanged(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void currentChanged(int row);
    void stateChanged();

protected:
    struct Column
    {
        QString name;
        // The table column it comes from ("rowid" for the hidden key);
        // empty when it is computed.
        QString origin;
        int size = 0;
        bool readOnly = false;
        bool hidden = false;
    };

    struct Result
    {
        std::vector<Column> columns;
        int keyColumn = -1;
        QString table;
        std::shared_ptr<RowStore> store;
        std::vector<const char*> rows;
    };

    // Runs the statement and returns the rows.
    virtual Result fetch() = 0;
    // The subject of messages: "数据集 ADOsheng（数据表 sheng）".
    virtual QString describe() const;
    // Used unless the window gave its own text.
    virtual QString defaultClosedMessage() const;
    QString closedMessage() const;

    // Steps a prepared statement to its end, storing every row.
    static void fetchRows(sqlite3_stmt* stmt, RowStore& store, std::vector<const char*>& rows,
                          const QString& what);
    // "TEXT(50)" -> 50.
    static int sizeFromDeclaredType(const QString& type);

    void checkActive() const;
    void checkBrowseMode();

private:
    struct Pending
    {
        QString text;
        bool null = true;
        bool modified = false;
    };

    int visibleCount() const { return m_viewAll ? int(m_rows.size()) : int(m_view.size()); }
    int rowIndex(int visible) const { return m_viewAll ? visible : m_view[std::size_t(visible)]; }
    const char* rowAt(int visible) const { return m_rows[std::size_t(rowIndex(visible))]; }
    int columnOf(const QString& field) const;
    int requireColumn(const QString& field) const;
    void applyFilter();
    void moveTo(int row);
    void setState(State state);
    void rebuildIndex(int column);
    void resetTo(Result&& result);
    const char* readRow(qint64 key);
    qint64 keyOf(const char* row) const;
    void bindOriginal(sqlite3_stmt* stmt, int& index, const char* row) const;
    QString originalCondition() const;
    void storePending();
    void replaceRow(int visible, const char* row);

    QPointer<Connection> m_connection;
    State m_state = State::Inactive;

    std::vector<Column> m_columns;
    std::vector<int> m_fieldColumns;
    int m_keyColumn = -1;
    QString m_table;
    std::shared_ptr<RowStore> m_store;
    std::vector<const char*> m_rows;
    bool m_viewAll = true;
    std::vector<int> m_view;

    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;

    QString m_filterColumn;
    QString m_filterValue;
    bool m_filtered = false;

    int m_indexColumn = -1;
    std::unordered_map<std::string_view, std::vector<int>> m_index;

    std::vector<Pending> m_pending;
    QString m_closedMessage;
};

} // namespace data
