#pragma once

#include <QObject>
#include <QString>

struct sqlite3;

namespace data {

// One database file, opened from a Jet-style connection string. Connecting
// never creates a file; a failure leaves the connection disconnected, and the
// next dataset open simply tries again with the same string.
class Connection : public QObject
{
    Q_OBJECT

public:
    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    QString connectionString() const { return m_connectionString; }
    // Disconnects first when connected, so the new string takes effect at
    // the next connect.
    void setConnectionString(const QString& text);

    // Kept for the windows that set it; no dialog is ever shown.
    bool loginPrompt() const { return m_loginPrompt; }
    void setLoginPrompt(bool on) { m_loginPrompt = on; }

    bool connected() const { return m_db != nullptr; }
    void setConnected(bool on);
    void open() { setConnected(true); }
    void close() { setConnected(false); }

    // The database file named by the connection string.
    QString databasePath() const;

    // How long a statement waits for another process's short lock.
    int busyTimeout() const { return m_busyTimeoutMs; }
    void setBusyTimeout(int ms) { m_busyTimeoutMs = ms; }

    // The engine this build links: "SQLite" or "SQLCipher".
    static QString engineName();

    // For the data layer: the open handle (connects first when needed).
    sqlite3* handle();

    // Changes whenever the file may have changed since the last call that
    // returned the same value: commits of other connections (the engine's
    // data version) and writes through this connection.
    quint64 dataVersion();
    void noteLocalWrite() { ++m_localWrites; }

signals:
    // Emitted before the file is closed; open datasets close with it.
    void disconnecting();

private:
    void connectNow();

    QString m_connectionString;
    bool m_loginPrompt = true;
    sqlite3* m_db = nullptr;
    quint64 m_localWrites = 0;
    int m_busyTimeoutMs = 5000;
};

} // namespace data
