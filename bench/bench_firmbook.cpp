// Firmbook on one directory: the whole-table listing (FormShow) and the
// searches (BitBtn1Click), each from the handler to the count in panel 0
// with the grid drawn; beside them the same statements through SQLCipher's
// C API on the same file; and the peak memory of the run. Prints JSON.
//
//   bench_firmbook FOLDER REPETITIONS     (FOLDER holds data/com.mdb)
#include "cases.h"
#include "enginescan.h"
#include "program.h"

#include "common/data/connection.h"
#include "common/data/programfolder.h"
#include "common/data/querydataset.h"
#include "common/ui/application.h"
#include "common/ui/messagebox.h"
#include "firmbook/form1.h"
#include "firmbook/startup.h"

#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>

#include <cstdio>
#include <memory>
#include <stdexcept>

using firmbook::TForm1;

namespace {

const QString keyColumn = QStringLiteral("id");

struct UiRun
{
    double handlerMs = 0;
    double totalMs = 0;
};

// The handler, then what the event loop does next: pending events (the
// grid's delayed layout among them) and one full repaint.
template <typename Fn> UiRun runUi(QWidget* window, Fn&& handler)
{
    const bench::Stopwatch watch;
    handler();
    UiRun run;
    run.handlerMs = watch.ms();
    QCoreApplication::processEvents();
    window->repaint();
    run.totalMs = watch.ms();
    return run;
}

struct ProgramTiming
{
    bench::Timing total;
    bench::Timing ui;
    bool fromMemory = true;

    void add(const UiRun& run)
    {
        total.runs.push_back(run.totalMs);
        ui.runs.push_back(run.totalMs - run.handlerMs);
    }
    QJsonObject json() const
    {
        QJsonObject o = total.json();
        o[QStringLiteral("uiMs")] = ui.median();
        return o;
    }
};

// The rows the window shows, in one number, and whether panel 0 counts them.
bool showsResult(TForm1& window, const bench::Scan& expected, QString* problem)
{
    data::QueryDataset& query = *window.ADOQuery1;
    const QString panel = window.statusPanel(0)->text();
    if (panel != firmbook::countText(int(expected.rows))) {
        *problem = QStringLiteral("panel 0 shows \"%1\", the engine returns %2 rows")
                       .arg(panel)
                       .arg(expected.rows);
        return false;
    }
    const int field = query.fieldIndex(keyColumn);
    bench::KeyHash keys;
    for (int r = 0; r < query.rowCount(); ++r)
        keys.add(query.bytes(r, field));
    if (keys.value() != expected.keys.value()) {
        *problem = QStringLiteral("the rows differ from the engine's");
        return false;
    }
    return true;
}

void fill(TForm1& window, const bench::DirectorySearch& search)
{
    QLineEdit* const edits[9] = {window.Edit1, window.Edit2,  window.Edit3,
                                 window.Edit4, window.Edit13, window.Edit10,
                                 window.Edit7, window.Edit6,  window.Edit5};
    for (int i = 0; i < 9; ++i)
        edits[i]->setText(QString::fromUtf8(search.fields[i]));
}

firmbook::Statement statementOf(const bench::DirectorySearch& search)
{
    QStringList fields;
    for (const char* f : search.fields)
        fields << QString::fromUtf8(f);
    return firmbook::searchStatement(fields);
}

bench::Scan anchor(bench::RawDatabase& db, const firmbook::Statement& statement)
{
    QStringList values;
    for (const QVariant& v : statement.values)
        values << v.toString();
    return bench::scan(db, statement.text, values, keyColumn);
}

std::unique_ptr<TForm1> newWindow()
{
    auto window = std::make_unique<TForm1>();
    firmbook::Form1 = window.get();
    if (!firmbook::connectToDirectory(*window))
        throw std::runtime_error("cannot connect to data/com.mdb");
    return window;
}

} // namespace

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    bench::ProgramArguments arguments;
    if (!bench::startProgram(argc, argv, "bench_firmbook", arguments))
        return 2;
    const QString& folder = arguments.folder;
    const int repetitions = arguments.repetitions;
    ui::setApplicationTitle(QStringLiteral("公司信息"));

    QJsonObject out;
    QJsonArray errors;
    auto check = [&](bool ok, const QString& what, const QString& problem) {
        if (!ok) {
            const QString error = bench::lastError();
            errors.append(what + QStringLiteral(": ") + problem +
                          (error.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(error)));
        }
    };
    try {
        bench::RawDatabase cipher(folder + QStringLiteral("data/com.mdb"),
                                  QStringLiteral("2917061"), 16384);
        const firmbook::Statement whole{QString::fromLatin1(firmbook::wholeTable), {}};
        // Once untimed: the file is then in the page cache.
        const bench::Scan all = anchor(cipher, whole);
        out[QStringLiteral("rows")] = double(all.rows);
        out[QStringLiteral("textBytes")] = double(all.bytes);
        out[QStringLiteral("engine")] =
            QStringLiteral("SQLCipher (SQLite %1)").arg(bench::RawDatabase::engineVersion());

        std::vector<bench::Scan> expected;
        for (const bench::DirectorySearch& s : bench::directorySearches)
            expected.push_back(anchor(cipher, statementOf(s)));

        // The program as a user runs it: start, list, search; then one
        // search after another connection changed a row.
        ProgramTiming listing;
        std::vector<ProgramTiming> searches(expected.size());
        ProgramTiming fallback;
        QString problem;
        {
            std::unique_ptr<TForm1> window = newWindow();
            TForm1* w = window.get();
            const bench::Usage before = bench::Usage::now();
            listing.add(runUi(w, [w] { w->show(); }));
            out[QStringLiteral("listingUsage")] = (bench::Usage::now() - before).json();
            out[QStringLiteral("rssAfterListingKiB")] = double(bench::currentRssKiB());
            check(showsResult(*w, all, &problem), QStringLiteral("listing"), problem);
            for (int i = 0; i < bench::directorySearchCount; ++i) {
                const bench::DirectorySearch& s = bench::directorySearches[i];
                fill(*w, s);
                for (int r = 0; r < repetitions; ++r) {
                    searches[std::size_t(i)].add(runUi(w, [w] { w->BitBtn1Click(); }));
                    searches[std::size_t(i)].fromMemory =
                        searches[std::size_t(i)].fromMemory && w->ADOQuery1->answeredFromMemory();
                }
                check(showsResult(*w, expected[std::size_t(i)], &problem),
                      QString::fromUtf8(s.label), problem);
            }

            cipher.exec(QStringLiteral("UPDATE cominfo SET fax = fax WHERE id = 1"));
            const bench::DirectorySearch& s = bench::directorySearches[bench::fallbackSearch];
            fill(*w, s);
            for (int r = 0; r < repetitions; ++r) {
                fallback.add(runUi(w, [w] { w->BitBtn1Click(); }));
                fallback.fromMemory = fallback.fromMemory && w->ADOQuery1->answeredFromMemory();
            }
            check(showsResult(*w, expected[bench::fallbackSearch], &problem),
                  QStringLiteral("after a change"), problem);
            out[QStringLiteral("peakRssKiB")] = double(bench::peakRssKiB());

            const bench::Stopwatch closing;
            window.reset();
            out[QStringLiteral("closeMs")] = closing.ms();
        }

        // More listings, each in a new window: the first read of the file.
        for (int r = 1; r < repetitions; ++r) {
            std::unique_ptr<TForm1> window = newWindow();
            TForm1* w = window.get();
            listing.add(runUi(w, [w] { w->show(); }));
            check(showsResult(*w, all, &problem), QStringLiteral("listing"), problem);
        }

        // The anchors, as often.
        bench::Timing cipherListing;
        const bench::Usage before = bench::Usage::now();
        for (int r = 0; r < repetitions; ++r)
            cipherListing.runs.push_back(anchor(cipher, whole).ms);
        bench::Usage cipherUsage = bench::Usage::now() - before;
        cipherUsage.userMs /= repetitions;
        cipherUsage.systemMs /= repetitions;
        cipherUsage.minorFaults /= repetitions;
        out[QStringLiteral("cipherListingUsage")] = cipherUsage.json();
        std::vector<bench::Timing> cipherSearches(expected.size());
        for (int i = 0; i < bench::directorySearchCount; ++i) {
            for (int r = 0; r < repetitions; ++r)
                cipherSearches[std::size_t(i)].runs.push_back(
                    anchor(cipher, statementOf(bench::directorySearches[i])).ms);
        }

        QJsonObject l;
        l[QStringLiteral("program")] = listing.json();
        l[QStringLiteral("cipher")] = cipherListing.json();
        l[QStringLiteral("rows")] = double(all.rows);
        l[QStringLiteral("keys")] = all.keys.text();
        out[QStringLiteral("listing")] = l;
        QJsonArray list;
        for (int i = 0; i < bench::directorySearchCount; ++i) {
            QJsonObject s;
            QJsonObject program = searches[std::size_t(i)].json();
            program[QStringLiteral("fromMemory")] = searches[std::size_t(i)].fromMemory;
            s[QStringLiteral("label")] = QString::fromUtf8(bench::directorySearches[i].label);
            s[QStringLiteral("program")] = program;
            s[QStringLiteral("cipher")] = cipherSearches[std::size_t(i)].json();
            s[QStringLiteral("rows")] = double(expected[std::size_t(i)].rows);
            s[QStringLiteral("keys")] = expected[std::size_t(i)].keys.text();
            list.append(s);
        }
        out[QStringLiteral("searches")] = list;
        QJsonObject f = fallback.json();
        f[QStringLiteral("fromMemory")] = fallback.fromMemory;
        f[QStringLiteral("search")] = bench::fallbackSearch;
        out[QStringLiteral("fallback")] = f;
    } catch (const std::exception& e) {
        errors.append(QString::fromUtf8(e.what()));
    }
    out[QStringLiteral("errors")] = errors;
    std::fputs(QJsonDocument(out).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputs("\n", stdout);
    return errors.isEmpty() ? 0 : 1;
}
