#pragma once

// The tables of the two databases. The programs never create a database;
// the tools and the tests do, from these statements.
namespace schema {

inline constexpr const char* catalogue = R"sql(
CREATE TABLE sheng (
    sheng TEXT(50),
    编号 INTEGER PRIMARY KEY AUTOINCREMENT
);
CREATE TABLE diqu (
    diqu TEXT(50),
    sheng TEXT(50),
    编号 INTEGER PRIMARY KEY AUTOINCREMENT
);
CREATE TABLE diantai (
    dt_ming TEXT(50),
    dt_wangzhi TEXT(100),
    diqu TEXT(50),
    编号 INTEGER PRIMARY KEY AUTOINCREMENT
);
)sql";

inline constexpr const char* directory = R"sql(
CREATE TABLE cominfo (
    name TEXT(100),
    lxr TEXT(50),
    tel TEXT(100),
    fax TEXT(100),
    address TEXT(200),
    postcode TEXT(20),
    email TEXT(100),
    url TEXT(100),
    jj TEXT,
    id INTEGER PRIMARY KEY AUTOINCREMENT
);
)sql";

// The directory's built-in password and our cipher page size.
inline constexpr const char* directoryPassword = "2917061";
inline constexpr int cipherPageSize = 16384;

} // namespace schema
