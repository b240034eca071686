// The plain engine on the unencrypted copy of a directory: the statements
// Firmbook runs, stepped through with the sqlite3 C API, every column read
// as text. Prints its figures as JSON.
//
//   bench_plain FILE REPETITIONS
#include "cases.h"
#include "enginescan.h"

#include "firmbook/search.h"

#include <QCoreApplication>
#include <QJsonDocument>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

QJsonObject measure(bench::RawDatabase& db, const firmbook::Statement& statement, int repetitions)
{
    QStringList values;
    for (const QVariant& v : statement.values)
        values << v.toString();
    bench::Timing timing;
    bench::Scan last;
    for (int r = 0; r < repetitions; ++r) {
        last = bench::scan(db, statement.text, values, QStringLiteral("id"));
        timing.runs.push_back(last.ms);
    }
    QJsonObject o = timing.json();
    o[QStringLiteral("rows")] = double(last.rows);
    o[QStringLiteral("bytes")] = double(last.bytes);
    o[QStringLiteral("keys")] = last.keys.text();
    return o;
}

// How long this machine takes to write that much fresh memory, in the
// chunks the programs hold rows in. Virtual machines often pay far more for
// the first touch of a page than for writing it.
double freshMemoryMs(qint64 bytes)
{
    constexpr std::size_t chunk = std::size_t(4) << 20;
    std::vector<void*> chunks;
    const bench::Stopwatch watch;
    for (qint64 done = 0; done < bytes; done += qint64(chunk)) {
        void* p = std::malloc(chunk);
        if (!p)
            break;
        std::memset(p, 1, chunk);
        chunks.push_back(p);
    }
    const double ms = watch.ms();
    for (void* p : chunks)
        std::free(p);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_plain FILE REPETITIONS\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const int repetitions = std::max(1, std::atoi(argv[2]));
    try {
        bench::RawDatabase db(file);
        const firmbook::Statement whole{QString::fromLatin1(firmbook::wholeTable), {}};
        // Once untimed: the file is then in the page cache, as for every
        // other reader.
        bench::scan(db, whole.text, {}, QStringLiteral("id"));

        QJsonObject out;
        out[QStringLiteral("engine")] =
            QStringLiteral("SQLite ") + bench::RawDatabase::engineVersion();
        const QJsonObject listing = measure(db, whole, repetitions);
        out[QStringLiteral("listing")] = listing;
        out[QStringLiteral("freshMemoryMs")] =
            freshMemoryMs(qint64(listing[QStringLiteral("bytes")].toDouble()));
        QJsonArray searches;
        for (const bench::DirectorySearch& s : bench::directorySearches) {
            QStringList fields;
            for (const char* f : s.fields)
                fields << QString::fromUtf8(f);
            searches.append(measure(db, firmbook::searchStatement(fields), repetitions));
        }
        out[QStringLiteral("searches")] = searches;
        std::fputs(QJsonDocument(out).toJson(QJsonDocument::Compact).constData(), stdout);
        std::fputs("\n", stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_plain: %s\n", e.what());
        return 1;
    }
    return 0;
}
