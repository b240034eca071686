// The benchmark in one run: makes the scaled data (once; it is kept under
// the build folder and made again only when the generator or the tools
// change), runs the measuring programs for every size, each size in a
// process of its own, prints the table and writes the figures as JSON.
//
//   bench_run [--quick] [--output FILE]
//
// --quick measures the two smaller sizes only. The results go to
// <build>/bench-results.json and .txt unless --output names the JSON file.
#include "cases.h"
#include "measure.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QSysInfo>
#include <QTextStream>
#include <QThread>

#include <cmath>
#include <stdexcept>

namespace {

// --- targets
constexpr double maxGrowth = 12.0;      // ten times the rows
constexpr double maxListingRatio = 1.3; // whole table, program / plain engine
constexpr double maxSearchRatio = 0.5;  // searches, program / plain engine
constexpr double maxMemoryRatio = 1.5;  // peak RSS / the table's text
constexpr double maxDrawMs = 100.0;     // what the window adds after the work

struct Paths
{
    QString build;
    QString tools;
    QString bench;
    QString data;
};

[[noreturn]] void fail(const QString& text)
{
    throw std::runtime_error(text.toStdString());
}

QProcessEnvironment childEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.qpa.*=false"));
    return env;
}

// Runs a program to its end; its output, or into a file.
QByteArray run(const QString& program, const QStringList& arguments, const QString& outputFile = {},
               bool* failed = nullptr)
{
    QProcess process;
    process.setProcessEnvironment(childEnvironment());
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(program, arguments);
    if (!process.waitForStarted())
        fail(QStringLiteral("cannot start %1").arg(program));
    process.waitForFinished(-1);
    const QByteArray output = process.readAllStandardOutput();
    const bool bad = process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0;
    if (failed)
        *failed = bad;
    if (bad && (!failed || output.trimmed().isEmpty()))
        fail(QStringLiteral("%1 %2 failed:\n%3")
                 .arg(program, arguments.join(QLatin1Char(' ')),
                      QString::fromUtf8(process.readAllStandardError())));
    return output;
}

QByteArray fileHash(const QStringList& files)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            fail(QStringLiteral("cannot read %1").arg(name));
        hash.addData(&file);
    }
    return hash.result().toHex();
}

bool stampMatches(const QString& folder, const QByteArray& stamp, const QStringList& needed)
{
    for (const QString& f : needed) {
        if (!QFileInfo::exists(folder + f))
            return false;
    }
    QFile file(folder + QStringLiteral("stamp"));
    return file.open(QIODevice::ReadOnly) && file.readAll() == stamp;
}

void writeStamp(const QString& folder, const QByteArray& stamp)
{
    QFile file(folder + QStringLiteral("stamp"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(stamp) != stamp.size())
        fail(QStringLiteral("cannot write %1").arg(file.fileName()));
}

QString sizeName(long size)
{
    return QString::number(size);
}

// A catalogue of `entries` document entries: <data>/catalogue-N/tvurl.dat.
QString prepareCatalogue(const Paths& paths, long entries, QTextStream& log)
{
    const QString folder = paths.data + QStringLiteral("/catalogue-") + sizeName(entries) + '/';
    const QString csv = folder + QStringLiteral("csv/");
    QDir().mkpath(csv);
    run(paths.tools + QStringLiteral("/gen_data"), {QStringLiteral("catalogue"), sizeName(entries),
                                                    QString::number(bench::catalogueSeed), csv});
    const QStringList files{csv + QStringLiteral("sheng.csv"), csv + QStringLiteral("diqu.csv"),
                            csv + QStringLiteral("diantai.csv")};
    const QByteArray stamp =
        fileHash(files) + ' ' + fileHash({paths.tools + QStringLiteral("/make_catalogue")});
    if (!stampMatches(folder, stamp, {QStringLiteral("tvurl.dat")})) {
        log << "  making catalogue of " << entries << " entries\n";
        log.flush();
        run(paths.tools + QStringLiteral("/make_catalogue"),
            QStringList{QStringLiteral("--force"), folder + QStringLiteral("tvurl.dat")} + files);
        writeStamp(folder, stamp);
    }
    QDir(csv).removeRecursively();
    return folder;
}

// A directory of `companies` rows: <data>/directory-N/data/com.mdb (ours,
// encrypted) and plain.db (the same rows, unencrypted).
QString prepareDirectory(const Paths& paths, long companies, QTextStream& log)
{
    const QString folder = paths.data + QStringLiteral("/directory-") + sizeName(companies) + '/';
    QDir().mkpath(folder + QStringLiteral("data"));
    // The generator's first rows stand for all: a run with the same seed
    // makes the same rows.
    const QByteArray sample = run(paths.tools + QStringLiteral("/gen_data"),
                                  {QStringLiteral("directory"), QStringLiteral("2000"),
                                   QString::number(bench::directorySeed)});
    const QByteArray stamp = QCryptographicHash::hash(sample, QCryptographicHash::Sha1).toHex() +
                             ' ' + fileHash({paths.tools + QStringLiteral("/make_directory")}) +
                             ' ' + QByteArray::number(qlonglong(companies));
    if (stampMatches(folder, stamp, {QStringLiteral("data/com.mdb"), QStringLiteral("plain.db")}))
        return folder;

    log << "  making directory of " << companies << " companies\n";
    log.flush();
    const QString csv = folder + QStringLiteral("cominfo.csv");
    run(paths.tools + QStringLiteral("/gen_data"),
        {QStringLiteral("directory"), sizeName(companies), QString::number(bench::directorySeed)},
        csv);
    const QString make = paths.tools + QStringLiteral("/make_directory");
    run(make, {QStringLiteral("--force"), folder + QStringLiteral("data/com.mdb"), csv});
    run(make, {QStringLiteral("--force"), QStringLiteral("--password"), QString(),
               folder + QStringLiteral("plain.db"), csv});
    QFile::remove(csv);
    writeStamp(folder, stamp);
    return folder;
}

QJsonObject parseResult(const QByteArray& output, const QString& what, QStringList& problems)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(output.trimmed(), &error);
    if (!doc.isObject())
        fail(QStringLiteral("%1 printed no result: %2").arg(what, error.errorString()));
    const QJsonObject o = doc.object();
    for (const QJsonValue& e : o.value(QStringLiteral("errors")).toArray())
        problems << what + QStringLiteral(": ") + e.toString();
    return o;
}

// --- printing

int displayWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x1100 && !c.isLowSurrogate() ? 2 : 1;
    return width;
}

class Table
{
public:
    explicit Table(const QStringList& headers) : m_rows{headers} {}
    void add(const QStringList& row) { m_rows << row; }
    void separate() { m_rows << QStringList(); }

    void print(QTextStream& out) const
    {
        QList<int> widths;
        for (const QStringList& row : m_rows) {
            for (int c = 0; c < row.size(); ++c) {
                if (widths.size() <= c)
                    widths << 0;
                widths[c] = std::max(widths[c], displayWidth(row[c]));
            }
        }
        int total = 0;
        for (int w : widths)
            total += w + 2;
        for (int r = 0; r < m_rows.size(); ++r) {
            const QStringList& row = m_rows[r];
            if (row.isEmpty()) {
                out << QString(total - 2, QLatin1Char('-')) << '\n';
                continue;
            }
            QString line;
            for (int c = 0; c < row.size(); ++c) {
                const QString pad(widths[c] - displayWidth(row[c]), QLatin1Char(' '));
                // Labels left, figures right.
                line += c == 0 ? row[c] + pad : pad + row[c];
                if (c + 1 < row.size())
                    line += QStringLiteral("  ");
            }
            out << line << '\n';
            if (r == 0)
                out << QString(total - 2, QLatin1Char('-')) << '\n';
        }
    }

private:
    QList<QStringList> m_rows;
};

QString number(double value)
{
    return QLocale(QLocale::English).toString(qlonglong(std::llround(value)));
}

QString ms(double value)
{
    if (value < 10)
        return QString::number(value, 'f', 2);
    if (value < 100)
        return QString::number(value, 'f', 1);
    return number(value);
}

QString ratio(double value)
{
    return QString::number(value, 'f', 2);
}

QString growthText(double value)
{
    return value > 0 ? QString::number(value, 'f', 1) + QLatin1Char('x') : QStringLiteral("-");
}

QString mib(double bytes)
{
    return QString::number(bytes / 1048576.0, 'f', 1);
}

double msOf(const QJsonObject& o)
{
    return o.value(QStringLiteral("ms")).toDouble();
}

// One measured thing over the sizes: the program's medians, for growth.
struct Series
{
    QString name;
    QList<long> sizes;
    QList<double> values;

    double growthAt(int i) const
    {
        return i > 0 && values[i - 1] > 0 ? values[i] / values[i - 1] : 0;
    }
};

struct Target
{
    explicit Target(const QString& text) : name(text) {}

    QString name;
    bool measured = true;
    bool holds = true;
    QString detail;
};

QString cpuName()
{
    QFile file(QStringLiteral("/proc/cpuinfo"));
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.startsWith("model name"))
                return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
        }
    }
    return QSysInfo::currentCpuArchitecture();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream log(stderr);
    bool quick = false;
    Paths paths;
    paths.bench = QCoreApplication::applicationDirPath();
    paths.build = QFileInfo(paths.bench + QStringLiteral("/..")).canonicalFilePath();
    paths.tools = paths.build + QStringLiteral("/tools");
    paths.data = paths.build + QStringLiteral("/bench-data");
    QString jsonFile = paths.build + QStringLiteral("/bench-results.json");
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--quick")) {
            quick = true;
        } else if (args[i] == QLatin1String("--output") && i + 1 < args.size()) {
            jsonFile = args[++i];
        } else {
            log << "usage: bench_run [--quick] [--output FILE.json]\n";
            return 2;
        }
    }
    QString textFile = jsonFile;
    if (textFile.endsWith(QLatin1String(".json")))
        textFile.chop(5);
    textFile += QStringLiteral(".txt");

    QList<long> catalogueSizes(std::begin(bench::catalogueSizes), std::end(bench::catalogueSizes));
    QList<long> directorySizes(std::begin(bench::directorySizes), std::end(bench::directorySizes));
    if (quick) {
        catalogueSizes.removeLast();
        directorySizes.removeLast();
    }

    const bench::Stopwatch wholeRun;
    QStringList problems;
    QJsonArray catalogueResults;
    QJsonArray directoryResults;
    double dataSeconds = 0;
    try {
        log << "Data under " << paths.data << " (made once, reused)\n";
        log.flush();
        const bench::Stopwatch making;
        QStringList catalogueFolders;
        QStringList directoryFolders;
        for (long size : catalogueSizes)
            catalogueFolders << prepareCatalogue(paths, size, log);
        for (long size : directorySizes)
            directoryFolders << prepareDirectory(paths, size, log);
        dataSeconds = making.ms() / 1000;

        for (int i = 0; i < catalogueSizes.size(); ++i) {
            const long size = catalogueSizes[i];
            log << "Archiva, " << size << " entries\n";
            log.flush();
            bool failed = false;
            const QString what = QStringLiteral("Archiva %1").arg(size);
            QJsonObject o = parseResult(
                run(paths.bench + QStringLiteral("/bench_archiva"),
                    {catalogueFolders[i], QString::number(bench::repetitions)}, {}, &failed),
                what, problems);
            o[QStringLiteral("size")] = double(size);
            catalogueResults.append(o);
        }
        for (int i = 0; i < directorySizes.size(); ++i) {
            const long size = directorySizes[i];
            const QString reps = QString::number(bench::repetitions);
            log << "Firmbook, " << size << " companies: plain engine\n";
            log.flush();
            bool failed = false;
            const QJsonObject plain = parseResult(
                run(paths.bench + QStringLiteral("/bench_plain"),
                    {directoryFolders[i] + QStringLiteral("plain.db"), reps}, {}, &failed),
                QStringLiteral("plain %1").arg(size), problems);
            log << "Firmbook, " << size << " companies: program and SQLCipher\n";
            log.flush();
            const QJsonObject firmbook =
                parseResult(run(paths.bench + QStringLiteral("/bench_firmbook"),
                                {directoryFolders[i], reps}, {}, &failed),
                            QStringLiteral("Firmbook %1").arg(size), problems);
            directoryResults.append(QJsonObject{
                {QStringLiteral("size"), double(size)},
                {QStringLiteral("plain"), plain},
                {QStringLiteral("firmbook"), firmbook},
            });
        }
    } catch (const std::exception& e) {
        log << "bench_run: " << e.what() << '\n';
        return 1;
    }

    // --- the table
    QString text;
    QTextStream t(&text);
    QString sqliteVersion;
    QString cipherVersion;
    if (!catalogueResults.isEmpty())
        sqliteVersion = catalogueResults[0].toObject().value(QStringLiteral("engine")).toString();
    if (!directoryResults.isEmpty()) {
        const QJsonObject d = directoryResults[0].toObject();
        cipherVersion =
            d[QStringLiteral("firmbook")].toObject()[QStringLiteral("engine")].toString();
        if (sqliteVersion.isEmpty())
            sqliteVersion =
                d[QStringLiteral("plain")].toObject()[QStringLiteral("engine")].toString();
    }
    t << "Machine: " << QThread::idealThreadCount() << " CPUs (" << cpuName() << "); engines "
      << sqliteVersion << ", " << cipherVersion << ".\n"
      << "Each figure is the median of " << bench::repetitions << " runs; ms = milliseconds.\n"
      << "draw ms: what the window adds after the handler (pending events and one full "
         "repaint).\n\n";

    QList<Series> growth;
    double worstDraw = 0;
    QString worstDrawWhere;
    auto noteDraw = [&](double value, const QString& where) {
        if (value > worstDraw) {
            worstDraw = value;
            worstDrawWhere = where;
        }
    };

    // Archiva
    {
        t << "Archiva: start-up without the splash (createMainWindow, menus built) and document "
             "search\n(catalogue tvurl.dat, plain SQLite; the anchor reads the same rows with the "
             "sqlite3 C API)\n";
        Table table({QStringLiteral("measure"), QStringLiteral("entries"), QStringLiteral("rows"),
                     QStringLiteral("program ms"), QStringLiteral("SQLite ms"),
                     QStringLiteral("program/SQLite"), QStringLiteral("growth"),
                     QStringLiteral("draw ms")});
        Series startUp{QStringLiteral("Archiva start-up"), {}, {}};
        QList<Series> searches;
        for (const bench::DocumentSearch& s : bench::documentSearches)
            searches << Series{
                QStringLiteral("document search %1").arg(QString::fromUtf8(s.label)), {}, {}};
        for (const QJsonValue& v : catalogueResults) {
            const QJsonObject o = v.toObject();
            const long size = long(o[QStringLiteral("size")].toDouble());
            const QJsonObject s = o[QStringLiteral("startUp")].toObject();
            startUp.sizes << size;
            startUp.values << msOf(s[QStringLiteral("program")].toObject());
            const QJsonArray list = o[QStringLiteral("searches")].toArray();
            for (int i = 0; i < list.size() && i < searches.size(); ++i) {
                searches[i].sizes << size;
                searches[i].values
                    << msOf(list[i].toObject()[QStringLiteral("program")].toObject());
            }
        }
        for (int i = 0; i < catalogueResults.size(); ++i) {
            const QJsonObject o = catalogueResults[i].toObject();
            const QJsonObject s = o[QStringLiteral("startUp")].toObject();
            const QJsonObject p = s[QStringLiteral("program")].toObject();
            const double plain = msOf(s[QStringLiteral("plain")].toObject());
            const double show = p[QStringLiteral("showMs")].toDouble();
            noteDraw(show, QStringLiteral("Archiva start-up, first show"));
            table.add({QStringLiteral("start-up (menus)"), number(startUp.sizes[i]),
                       number(s[QStringLiteral("rows")].toDouble()), ms(startUp.values[i]),
                       ms(plain), ratio(startUp.values[i] / plain), growthText(startUp.growthAt(i)),
                       ms(show)});
        }
        for (int k = 0; k < searches.size(); ++k) {
            table.separate();
            for (int i = 0; i < catalogueResults.size(); ++i) {
                const QJsonObject o = catalogueResults[i].toObject();
                const QJsonObject s = o[QStringLiteral("searches")].toArray()[k].toObject();
                const QJsonObject p = s[QStringLiteral("program")].toObject();
                const double plain = msOf(s[QStringLiteral("plain")].toObject());
                const double draw = p[QStringLiteral("uiMs")].toDouble();
                noteDraw(draw, QStringLiteral("Archiva search"));
                const QString term = s[QStringLiteral("text")].toString();
                table.add({QStringLiteral("search \"%1\"").arg(term), number(searches[k].sizes[i]),
                           number(s[QStringLiteral("rows")].toDouble()), ms(searches[k].values[i]),
                           ms(plain), ratio(searches[k].values[i] / plain),
                           growthText(searches[k].growthAt(i)), ms(draw)});
            }
        }
        table.print(t);
        t << "The start-up anchor reads the three tables; the program also makes one menu item "
             "per row.\n\n";
        growth << startUp << searches;
    }

    // Firmbook
    Series listingSeries{QStringLiteral("Firmbook listing"), {}, {}};
    Series firstListingSeries{QStringLiteral("Firmbook listing, first in the process"), {}, {}};
    QList<Series> searchSeries;
    for (const bench::DirectorySearch& s : bench::directorySearches)
        searchSeries << Series{
            QStringLiteral("Firmbook search %1").arg(QString::fromUtf8(s.label)), {}, {}};
    Series fallbackSeries{QStringLiteral("Firmbook search after a change"), {}, {}};
    bool resultsIdentical = true;
    QStringList differences;
    {
        t << "Firmbook: whole-table listing (FormShow) and searches (BitBtn1Click), to the count "
             "in "
             "panel 0\n(our file: SQLCipher, 16 KB cipher pages; SQLCipher ms: the same statement "
             "on that file; plain ms: on an unencrypted copy)\n";
        Table table({QStringLiteral("measure"), QStringLiteral("companies"), QStringLiteral("rows"),
                     QStringLiteral("program ms"), QStringLiteral("memory"),
                     QStringLiteral("SQLCipher ms"), QStringLiteral("plain ms"),
                     QStringLiteral("program/plain"), QStringLiteral("SQLCipher/plain"),
                     QStringLiteral("growth"), QStringLiteral("draw ms")});
        auto row = [&](const QString& label, Series& series, long size, const QJsonObject& program,
                       const QJsonObject& cipher, const QJsonObject& plain, double rows,
                       const QString& memory) {
            series.sizes << size;
            series.values << msOf(program);
            const int i = int(series.values.size()) - 1;
            const double draw = program[QStringLiteral("uiMs")].toDouble();
            noteDraw(draw, series.name);
            const double c = msOf(cipher);
            const double p = msOf(plain);
            table.add({label, number(size), number(rows), ms(series.values[i]), memory,
                       c > 0 ? ms(c) : QStringLiteral("-"), ms(p), ratio(series.values[i] / p),
                       c > 0 ? ratio(c / p) : QStringLiteral("-"), growthText(series.growthAt(i)),
                       ms(draw)});
        };
        for (const QJsonValue& v : directoryResults) {
            const QJsonObject d = v.toObject();
            const long size = long(d[QStringLiteral("size")].toDouble());
            const QJsonObject f = d[QStringLiteral("firmbook")].toObject();
            const QJsonObject plain = d[QStringLiteral("plain")].toObject();
            const QJsonObject l = f[QStringLiteral("listing")].toObject();
            const QJsonObject pl = plain[QStringLiteral("listing")].toObject();
            if (l[QStringLiteral("keys")] != pl[QStringLiteral("keys")] ||
                l[QStringLiteral("rows")] != pl[QStringLiteral("rows")]) {
                resultsIdentical = false;
                differences << QStringLiteral("listing at %1").arg(size);
            }
            row(QStringLiteral("listing"), listingSeries, size,
                l[QStringLiteral("program")].toObject(), l[QStringLiteral("cipher")].toObject(), pl,
                l[QStringLiteral("rows")].toDouble(), QString());
        }
        // The run a user gets at start: the process has not held rows yet.
        table.separate();
        for (const QJsonValue& v : directoryResults) {
            const QJsonObject d = v.toObject();
            const long size = long(d[QStringLiteral("size")].toDouble());
            const QJsonObject l =
                d[QStringLiteral("firmbook")].toObject()[QStringLiteral("listing")].toObject();
            QJsonObject first = l[QStringLiteral("program")].toObject();
            first[QStringLiteral("ms")] =
                first[QStringLiteral("runs")].toArray().first().toDouble();
            row(QStringLiteral("listing, first in the process"), firstListingSeries, size, first,
                l[QStringLiteral("cipher")].toObject(),
                d[QStringLiteral("plain")].toObject()[QStringLiteral("listing")].toObject(),
                l[QStringLiteral("rows")].toDouble(), QString());
        }
        for (int k = 0; k < searchSeries.size(); ++k) {
            table.separate();
            for (const QJsonValue& v : directoryResults) {
                const QJsonObject d = v.toObject();
                const long size = long(d[QStringLiteral("size")].toDouble());
                const QJsonObject s = d[QStringLiteral("firmbook")]
                                          .toObject()[QStringLiteral("searches")]
                                          .toArray()[k]
                                          .toObject();
                const QJsonObject p = d[QStringLiteral("plain")]
                                          .toObject()[QStringLiteral("searches")]
                                          .toArray()[k]
                                          .toObject();
                const QJsonObject program = s[QStringLiteral("program")].toObject();
                if (s[QStringLiteral("keys")] != p[QStringLiteral("keys")] ||
                    s[QStringLiteral("rows")] != p[QStringLiteral("rows")]) {
                    resultsIdentical = false;
                    differences << QStringLiteral("%1 at %2").arg(searchSeries[k].name).arg(size);
                }
                row(QString::fromUtf8(bench::directorySearches[k].label), searchSeries[k], size,
                    program, s[QStringLiteral("cipher")].toObject(), p,
                    s[QStringLiteral("rows")].toDouble(),
                    program[QStringLiteral("fromMemory")].toBool() ? QStringLiteral("yes")
                                                                   : QStringLiteral("no"));
            }
        }
        table.separate();
        for (const QJsonValue& v : directoryResults) {
            const QJsonObject d = v.toObject();
            const long size = long(d[QStringLiteral("size")].toDouble());
            const QJsonObject f = d[QStringLiteral("firmbook")].toObject();
            const QJsonObject program = f[QStringLiteral("fallback")].toObject();
            const int k = program[QStringLiteral("search")].toInt();
            const QJsonObject s = f[QStringLiteral("searches")].toArray()[k].toObject();
            const QJsonObject p = d[QStringLiteral("plain")]
                                      .toObject()[QStringLiteral("searches")]
                                      .toArray()[k]
                                      .toObject();
            row(QStringLiteral("%1, after a change")
                    .arg(QString::fromUtf8(bench::directorySearches[k].label)),
                fallbackSeries, size, program, s[QStringLiteral("cipher")].toObject(), p,
                s[QStringLiteral("rows")].toDouble(),
                program[QStringLiteral("fromMemory")].toBool() ? QStringLiteral("yes")
                                                               : QStringLiteral("no"));
        }
        table.print(t);
        t << "memory: yes when the search was answered from the rows held since the listing "
             "(the file unchanged); \"after a change\": another connection changed a row first, "
             "so the statement ran.\nThe searches' fields, in the order name, lxr, tel, fax, "
             "address, postcode, email, url, jj:\n";
        for (const bench::DirectorySearch& s : bench::directorySearches) {
            QStringList filled;
            const char* const columns[9] = {"name",     "lxr",   "tel", "fax", "address",
                                            "postcode", "email", "url", "jj"};
            for (int c = 0; c < 9; ++c) {
                if (*s.fields[c])
                    filled << QStringLiteral("%1 \"%2\"")
                                  .arg(QLatin1String(columns[c]), QString::fromUtf8(s.fields[c]));
            }
            t << "  " << QString::fromUtf8(s.label) << ": " << filled.join(QStringLiteral(", "))
              << '\n';
        }
        t << '\n';
        growth << listingSeries << firstListingSeries << searchSeries << fallbackSeries;
    }

    // Memory
    double memoryRatioAtMillion = -1;
    {
        t << "Firmbook memory: peak resident memory of the run (start, list, search), beside the "
             "table's text\n";
        Table table({QStringLiteral("companies"), QStringLiteral("text MiB"),
                     QStringLiteral("peak RSS MiB"), QStringLiteral("RSS/text"),
                     QStringLiteral("1st listing: user ms"), QStringLiteral("system ms"),
                     QStringLiteral("SQLCipher: user ms"), QStringLiteral("system ms"),
                     QStringLiteral("fresh memory ms")});
        for (const QJsonValue& v : directoryResults) {
            const QJsonObject d = v.toObject();
            const long size = long(d[QStringLiteral("size")].toDouble());
            const QJsonObject f = d[QStringLiteral("firmbook")].toObject();
            const double textBytes = f[QStringLiteral("textBytes")].toDouble();
            const double peak = f[QStringLiteral("peakRssKiB")].toDouble() * 1024;
            const QJsonObject lu = f[QStringLiteral("listingUsage")].toObject();
            const QJsonObject cu = f[QStringLiteral("cipherListingUsage")].toObject();
            if (size == 1000000)
                memoryRatioAtMillion = peak / textBytes;
            table.add({number(size), mib(textBytes), mib(peak), ratio(peak / textBytes),
                       ms(lu[QStringLiteral("userMs")].toDouble()),
                       ms(lu[QStringLiteral("systemMs")].toDouble()),
                       ms(cu[QStringLiteral("userMs")].toDouble()),
                       ms(cu[QStringLiteral("systemMs")].toDouble()),
                       ms(d[QStringLiteral("plain")]
                              .toObject()[QStringLiteral("freshMemoryMs")]
                              .toDouble())});
        }
        table.print(t);
        t << "CPU time of the first listing and of one SQLCipher read of the same rows; system "
             "time is reading the file and, for the program, the page faults of the memory that "
             "holds the rows.\nfresh memory ms: writing as many bytes as the text to memory the "
             "process never touched (bench_plain).\n\n";
    }

    // Targets
    QList<Target> targets;
    {
        Target g{QStringLiteral("every growth linear (10x rows at most %1x time)").arg(maxGrowth)};
        double worst = 0;
        QString where;
        for (const Series& s : growth) {
            for (int i = 1; i < s.values.size(); ++i) {
                if (s.growthAt(i) > worst) {
                    worst = s.growthAt(i);
                    where = QStringLiteral("%1, %2 -> %3")
                                .arg(s.name, number(s.sizes[i - 1]), number(s.sizes[i]));
                }
            }
        }
        g.holds = worst <= maxGrowth;
        g.detail = QStringLiteral("largest %1x (%2)").arg(QString::number(worst, 'f', 1), where);
        targets << g;
    }
    auto atMillion = [&](const Series& s) {
        const int i = int(s.sizes.indexOf(1000000));
        return i < 0 ? -1.0 : s.values[i];
    };
    QJsonObject millionPlain;
    QJsonObject millionFirmbook;
    for (const QJsonValue& v : directoryResults) {
        if (v.toObject()[QStringLiteral("size")].toDouble() == 1000000) {
            millionPlain = v.toObject()[QStringLiteral("plain")].toObject();
            millionFirmbook = v.toObject()[QStringLiteral("firmbook")].toObject();
        }
    }
    {
        Target l{QStringLiteral("listing at 1,000,000 at most %1x the plain engine")
                     .arg(maxListingRatio)};
        const double program = atMillion(listingSeries);
        if (program < 0) {
            l.measured = false;
        } else {
            const double r = program / msOf(millionPlain[QStringLiteral("listing")].toObject());
            l.holds = r <= maxListingRatio;
            const double plain = msOf(millionPlain[QStringLiteral("listing")].toObject());
            const double cipher = msOf(millionFirmbook[QStringLiteral("listing")]
                                           .toObject()[QStringLiteral("cipher")]
                                           .toObject());
            l.detail = QStringLiteral("%1x (%2 ms against %3 ms; SQLCipher alone reads the rows "
                                      "in %4 ms, %5x; first listing of the process %6x)")
                           .arg(ratio(r), ms(program), ms(plain), ms(cipher), ratio(cipher / plain),
                                ratio(atMillion(firstListingSeries) / plain));
        }
        targets << l;
    }
    {
        Target s{QStringLiteral("searches at 1,000,000 at most %1x the plain engine's like")
                     .arg(maxSearchRatio)};
        double worst = -1;
        QString where;
        const QJsonArray plainSearches = millionPlain[QStringLiteral("searches")].toArray();
        for (int k = 0; k < searchSeries.size() && k < plainSearches.size(); ++k) {
            const double program = atMillion(searchSeries[k]);
            if (program < 0)
                continue;
            const double r = program / msOf(plainSearches[k].toObject());
            if (r > worst) {
                worst = r;
                where = QString::fromUtf8(bench::directorySearches[k].label);
            }
        }
        if (worst < 0) {
            s.measured = false;
        } else {
            s.holds = worst <= maxSearchRatio && resultsIdentical;
            s.detail = QStringLiteral("largest %1x (%2); results %3")
                           .arg(ratio(worst), where,
                                resultsIdentical ? QStringLiteral("identical to the statement's")
                                                 : QStringLiteral("DIFFER: ") +
                                                       differences.join(QStringLiteral(", ")));
        }
        targets << s;
    }
    {
        Target m{QStringLiteral("peak RSS with 1,000,000 listed at most %1x the table's text")
                     .arg(maxMemoryRatio)};
        if (memoryRatioAtMillion < 0) {
            m.measured = false;
        } else {
            m.holds = memoryRatioAtMillion <= maxMemoryRatio;
            m.detail = QStringLiteral("%1x").arg(ratio(memoryRatioAtMillion));
        }
        targets << m;
    }
    {
        Target d{QStringLiteral("the window adds no freeze: draw ms at most %1 everywhere")
                     .arg(maxDrawMs)};
        d.holds = worstDraw <= maxDrawMs;
        d.detail = QStringLiteral("largest %1 ms (%2)").arg(ms(worstDraw), worstDrawWhere);
        targets << d;
    }
    {
        Target r{QStringLiteral("results identical (program, SQLCipher and plain engine)")};
        r.holds = resultsIdentical && problems.isEmpty();
        r.detail = r.holds ? QStringLiteral("every result checked row by row (count and keys)")
                           : (differences + problems).join(QStringLiteral("; "));
        targets << r;
    }
    t << "Targets\n";
    for (const Target& target : targets) {
        t << (target.measured ? (target.holds ? "  [holds] " : "  [FAILS] ") : "  [not measured] ")
          << target.name;
        if (!target.detail.isEmpty())
            t << ": " << target.detail;
        t << '\n';
    }
    const double seconds = wholeRun.ms() / 1000;
    t << "\nWhole run " << QString::number(seconds, 'f', 0) << " s (making data "
      << QString::number(dataSeconds, 'f', 0) << " s).\n";
    t.flush();
    out << text;
    out.flush();

    QJsonArray targetList;
    for (const Target& target : targets)
        targetList.append(QJsonObject{{QStringLiteral("target"), target.name},
                                      {QStringLiteral("measured"), target.measured},
                                      {QStringLiteral("holds"), target.holds},
                                      {QStringLiteral("detail"), target.detail}});
    const QJsonObject result{
        {QStringLiteral("machine"),
         QJsonObject{{QStringLiteral("cpus"), QThread::idealThreadCount()},
                     {QStringLiteral("cpu"), cpuName()}}},
        {QStringLiteral("repetitions"), bench::repetitions},
        {QStringLiteral("catalogue"), catalogueResults},
        {QStringLiteral("directory"), directoryResults},
        {QStringLiteral("targets"), targetList},
        {QStringLiteral("problems"), QJsonArray::fromStringList(problems)},
        {QStringLiteral("runSeconds"), seconds},
        {QStringLiteral("dataSeconds"), dataSeconds},
    };
    QFile json(jsonFile);
    QFile txt(textFile);
    if (!json.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        json.write(QJsonDocument(result).toJson()) < 0 ||
        !txt.open(QIODevice::WriteOnly | QIODevice::Truncate) || txt.write(text.toUtf8()) < 0) {
        log << "bench_run: cannot write " << jsonFile << '\n';
        return 1;
    }
    log << "Figures written to " << jsonFile << " and " << textFile << '\n';
    return problems.isEmpty() ? 0 : 1;
}
