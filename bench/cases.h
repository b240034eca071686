#pragma once

// What the benchmark measures: sizes, seeds, and the searches, shared by
// the driver and the measuring programs.
namespace bench {

inline constexpr long catalogueSizes[] = {1000, 10000, 100000};
inline constexpr long directorySizes[] = {10000, 100000, 1000000};
inline constexpr unsigned long long catalogueSeed = 20240602;
inline constexpr unsigned long long directorySeed = 20240601;

// Repetitions of each measurement; the table shows their median.
inline constexpr int repetitions = 5;

// Document search terms typed into Archiva's search window.
struct DocumentSearch
{
    const char* label;
    const char* text;
};
inline constexpr DocumentSearch documentSearches[] = {
    {"common term", "规范"},
    {"empty (all)", ""},
};

// Firmbook searches: the nine fields in the order of firmbook::searchColumns()
// (name, lxr, tel, fax, address, postcode, email, url, jj).
struct DirectorySearch
{
    const char* label;
    const char* fields[9];
};
inline constexpr DirectorySearch directorySearches[] = {
    {"1 field, common", {"建材", "", "", "", "", "", "", "", ""}},
    {"1 field, rare", {"嘉禾", "", "", "", "", "", "", "", ""}},
    {"3 fields, common", {"工程", "", "", "", "路", "", "", "", "iso"}},
    {"3 fields, rare", {"嘉禾", "", "", "", "中山路", "", "", "", "防水"}},
    {"9 fields, common", {"公司", "王", "0", "-", "市", "0", "@", "www", "，"}},
    {"9 fields, rare", {"杭州", "王", "0571", "0571", "建设路", "310", "info", "www", "防水"}},
};
inline constexpr int directorySearchCount =
    int(sizeof(directorySearches) / sizeof(*directorySearches));

// The search run again after another connection changed a row: the held
// rows may be stale, so the statement runs.
inline constexpr int fallbackSearch = 2;

} // namespace bench
