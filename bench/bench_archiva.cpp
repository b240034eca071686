// Archiva on one catalogue: start-up without the splash (createMainWindow,
// whose FormCreate builds every catalogue menu) and the document search
// window (Button1Click to the count in Label2, the grid drawn); beside them
// the same reads through the plain sqlite3 C API. Prints JSON.
//
//   bench_archiva FOLDER REPETITIONS     (FOLDER holds tvurl.dat)
#include "cases.h"
#include "enginescan.h"
#include "program.h"

#include "archiva/cataloguestore.h"
#include "archiva/frmmain.h"
#include "archiva/search/frm_wdcx.h"
#include "archiva/startup.h"
#include "common/data/programfolder.h"
#include "common/data/querydataset.h"
#include "common/ui/application.h"
#include "common/ui/messagebox.h"

#include <QAction>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include <cstdio>
#include <memory>
#include <stdexcept>

using archiva::TFrmMain;

namespace {

const QString keyColumn = QStringLiteral("编号");

// What the catalogue datasets read at start-up, as TableDataset words it.
const char* const tableReads[] = {
    R"(SELECT rowid,"sheng","编号" FROM "sheng")",
    R"(SELECT rowid,"diqu","sheng","编号" FROM "diqu")",
    R"(SELECT rowid,"dt_ming","dt_wangzhi","diqu","编号" FROM "diantai")",
};

struct CatalogueRead
{
    double ms = 0;
    qint64 entries = 0;
};

CatalogueRead readCatalogue(bench::RawDatabase& db)
{
    CatalogueRead read;
    for (const char* sql : tableReads) {
        const bench::Scan s = bench::scan(db, QString::fromUtf8(sql), {}, keyColumn);
        read.ms += s.ms;
        read.entries = s.rows; // the last table: the document entries
    }
    return read;
}

// Document entries in the menu bar: the items of every second-level menu.
qint64 menuEntries(TFrmMain& window)
{
    qint64 count = 0;
    for (QAction* first : window.menuBar()->actions()) {
        if (first->menu() == window.aa1 || !first->menu())
            continue;
        for (QAction* second : first->menu()->actions()) {
            if (second->menu())
                count += second->menu()->actions().size();
        }
    }
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    bench::ProgramArguments arguments;
    if (!bench::startProgram(argc, argv, "bench_archiva", arguments))
        return 2;
    const QString& folder = arguments.folder;
    const int repetitions = arguments.repetitions;

    QJsonObject out;
    QJsonArray errors;
    auto check = [&](bool ok, const QString& what) {
        if (!ok) {
            const QString error = bench::lastError();
            errors.append(what + (error.isEmpty() ? QString() : QStringLiteral(": ") + error));
        }
    };
    try {
        bench::RawDatabase plain(folder + QStringLiteral("tvurl.dat"));
        out[QStringLiteral("engine")] =
            QStringLiteral("SQLite %1").arg(bench::RawDatabase::engineVersion());
        const CatalogueRead tables = readCatalogue(plain); // warms the page cache
        out[QStringLiteral("entries")] = double(tables.entries);

        // Start-up: create, show, close, as often as asked.
        bench::Timing create;
        bench::Timing show;
        bench::Timing close;
        for (int r = 0; r < repetitions; ++r) {
            const bench::Stopwatch creating;
            std::unique_ptr<TFrmMain> window = archiva::createMainWindow();
            create.runs.push_back(creating.ms());
            const bench::Stopwatch showing;
            window->show();
            QCoreApplication::processEvents();
            window->repaint();
            show.runs.push_back(showing.ms());
            check(menuEntries(*window) == tables.entries && ui::MessageBox::history().isEmpty(),
                  QStringLiteral("start-up: the menus lack entries"));
            const bench::Stopwatch closing;
            window.reset();
            close.runs.push_back(closing.ms());
        }
        bench::Timing menusAnchor;
        for (int r = 0; r < repetitions; ++r)
            menusAnchor.runs.push_back(readCatalogue(plain).ms);
        QJsonObject startUp;
        QJsonObject program = create.json();
        program[QStringLiteral("showMs")] = show.median();
        program[QStringLiteral("closeMs")] = close.median();
        startUp[QStringLiteral("program")] = program;
        startUp[QStringLiteral("plain")] = menusAnchor.json();
        startUp[QStringLiteral("rows")] = double(tables.entries);
        out[QStringLiteral("startUp")] = startUp;

        // The search window over a started program.
        std::unique_ptr<TFrmMain> window = archiva::createMainWindow();
        window->show();
        auto* search = new archiva::TFrm_wdcx(*window->store(), window.get());
        search->show();
        QCoreApplication::processEvents();
        QJsonArray searches;
        for (const bench::DocumentSearch& s : bench::documentSearches) {
            const archiva::SearchStatement statement =
                archiva::searchStatement(QString::fromUtf8(s.text));
            const QStringList values{statement.values.value(0).toString()};
            const bench::Scan expected = bench::scan(plain, statement.text, values, keyColumn);

            search->Edit1->setText(QString::fromUtf8(s.text));
            bench::Timing total;
            bench::Timing ui;
            for (int r = 0; r < repetitions; ++r) {
                const bench::Stopwatch watch;
                search->Button1Click();
                const double handler = watch.ms();
                QCoreApplication::processEvents();
                search->repaint();
                total.runs.push_back(watch.ms());
                ui.runs.push_back(watch.ms() - handler);
            }
            data::QueryDataset& query = *search->ADOQuery1;
            bench::KeyHash keys;
            const int field = query.fieldIndex(keyColumn);
            for (int r = 0; r < query.rowCount(); ++r)
                keys.add(query.bytes(r, field));
            check(search->Label2->text() == archiva::resultCountText(int(expected.rows)) &&
                      keys.value() == expected.keys.value(),
                  QStringLiteral("search \"%1\": the rows differ from the engine's")
                      .arg(QString::fromUtf8(s.text)));

            bench::Timing anchor;
            for (int r = 0; r < repetitions; ++r)
                anchor.runs.push_back(bench::scan(plain, statement.text, values, keyColumn).ms);
            QJsonObject o;
            QJsonObject p = total.json();
            p[QStringLiteral("uiMs")] = ui.median();
            o[QStringLiteral("label")] = QString::fromUtf8(s.label);
            o[QStringLiteral("text")] = QString::fromUtf8(s.text);
            o[QStringLiteral("program")] = p;
            o[QStringLiteral("plain")] = anchor.json();
            o[QStringLiteral("rows")] = double(expected.rows);
            searches.append(o);
        }
        out[QStringLiteral("searches")] = searches;
        delete search;
        out[QStringLiteral("peakRssKiB")] = double(bench::peakRssKiB());
    } catch (const std::exception& e) {
        errors.append(QString::fromUtf8(e.what()));
    }
    out[QStringLiteral("errors")] = errors;
    std::fputs(QJsonDocument(out).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputs("\n", stdout);
    return errors.isEmpty() ? 0 : 1;
}
