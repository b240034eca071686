#pragma once

// One data layer, two engines: the catalogue uses plain SQLite, the directory
// uses SQLCipher. The two libraries export the same symbols, so a process links
// exactly one of them; this header picks the matching declarations.
#if defined(DATA_ENGINE_SQLCIPHER)
#include <sqlcipher/sqlite3.h>
#else
#include <sqlite3.h>
#endif
