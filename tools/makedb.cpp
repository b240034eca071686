// Creates a new database from UTF-8 CSV files, one file a table, whose first
// line names the columns. Built twice: make_catalogue writes a plain
// catalogue (tvurl.dat), make_directory an encrypted directory (com.mdb).
#include "csv.h"
#include "schema.h"

#include "common/data/sqlite3_shim.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Table
{
    const char* name;
    const char* option;
};

#if defined(DATA_ENGINE_SQLCIPHER)
const char* const programName = "make_directory";
const Table tables[] = {{"cominfo", "cominfo"}};
const char* const schemaText = schema::directory;
#else
const char* const programName = "make_catalogue";
const Table tables[] = {{"sheng", "sheng"}, {"diqu", "diqu"}, {"diantai", "diantai"}};
const char* const schemaText = schema::catalogue;
#endif
constexpr int tableCount = int(sizeof(tables) / sizeof(tables[0]));

void usage()
{
    std::fprintf(stderr, "usage: %s [--force]", programName);
#if defined(DATA_ENGINE_SQLCIPHER)
    std::fprintf(stderr, " [--password P]");
#endif
    std::fprintf(stderr, " OUTPUT");
    for (const Table& t : tables)
        std::fprintf(stderr, " %s.csv", t.option);
    std::fprintf(stderr, "\n");
}

bool exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", programName, error ? error : "error");
        sqlite3_free(error);
        return false;
    }
    return true;
}

std::string quoted(const std::string& name)
{
    std::string q = "\"";
    for (char c : name) {
        q += c;
        if (c == '"')
            q += '"';
    }
    return q + "\"";
}

bool load(sqlite3* db, const char* table, const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::fprintf(stderr, "%s: cannot read %s\n", programName, path);
        return false;
    }
    CsvReader reader(file);
    std::vector<CsvReader::Field> header;
    if (!reader.next(header)) {
        std::fclose(file);
        return true;
    }
    std::string sql = std::string("INSERT INTO ") + quoted(table) + " (";
    std::string marks;
    for (std::size_t i = 0; i < header.size(); ++i) {
        sql += (i ? "," : "") + quoted(header[i].text);
        marks += i ? ",?" : "?";
    }
    sql += ") VALUES (" + marks + ")";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s: %s\n", programName, path, sqlite3_errmsg(db));
        std::fclose(file);
        return false;
    }
    std::vector<CsvReader::Field> record;
    bool ok = true;
    long rows = 0;
    while (ok && reader.next(record)) {
        if (record.size() == 1 && record[0].null)
            continue; // blank line
        if (record.size() != header.size()) {
            std::fprintf(stderr, "%s: %s:%ld: %zu fields, the header names %zu\n", programName,
                         path, reader.line() - 1, record.size(), header.size());
            ok = false;
            break;
        }
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (record[i].null)
                sqlite3_bind_null(stmt, int(i) + 1);
            else
                sqlite3_bind_text(stmt, int(i) + 1, record[i].text.data(),
                                  int(record[i].text.size()), SQLITE_STATIC);
        }
        if (sqlite3_step(stmt) != SQLITE_DONE) {
            std::fprintf(stderr, "%s: %s: %s\n", programName, path, sqlite3_errmsg(db));
            ok = false;
        }
        sqlite3_reset(stmt);
        ++rows;
    }
    sqlite3_finalize(stmt);
    std::fclose(file);
    if (ok)
        std::printf("%s: %ld rows\n", table, rows);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    bool force = false;
    std::string password;
#if defined(DATA_ENGINE_SQLCIPHER)
    password = schema::directoryPassword;
#endif
    std::vector<const char*> args;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--force") == 0) {
            force = true;
#if defined(DATA_ENGINE_SQLCIPHER)
        } else if (std::strcmp(argv[i], "--password") == 0 && i + 1 < argc) {
            password = argv[++i];
#endif
        } else if (argv[i][0] == '-' && argv[i][1] == '-') {
            usage();
            return 2;
        } else {
            args.push_back(argv[i]);
        }
    }
    if (int(args.size()) != 1 + tableCount) {
        usage();
        return 2;
    }
    const char* output = args[0];
    struct stat st;
    if (stat(output, &st) == 0) {
        if (!force) {
            std::fprintf(stderr, "%s: %s exists (use --force to replace it)\n", programName,
                         output);
            return 1;
        }
        unlink(output);
    }
    // Build under a temporary name, so that a failed run leaves no half file.
    const std::string temporary = std::string(output) + ".part";
    unlink(temporary.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: cannot create %s\n", programName, output);
        return 1;
    }
    bool ok = true;
#if defined(DATA_ENGINE_SQLCIPHER)
    std::string escaped;
    for (char c : password) {
        escaped += c;
        if (c == '\'')
            escaped += '\'';
    }
    ok = exec(db, "PRAGMA key = '" + escaped + "'") &&
         exec(db, "PRAGMA cipher_page_size = " + std::to_string(schema::cipherPageSize));
#endif
    ok = ok && exec(db, schemaText) && exec(db, "BEGIN");
    for (int i = 0; ok && i < tableCount; ++i)
        ok = load(db, tables[i].name, args[std::size_t(i) + 1]);
    ok = ok && exec(db, "COMMIT");
    sqlite3_close(db);
    if (!ok || std::rename(temporary.c_str(), output) != 0) {
        unlink(temporary.c_str());
        std::fprintf(stderr, "%s: %s not written\n", programName, output);
        return 1;
    }
    return 0;
}
