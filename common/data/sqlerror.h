#pragma once

#include "dataerror.h"

struct sqlite3;

namespace data {

// A user's reading of an engine result code, in Chinese.
QString describeResult(int code);

// "<what>：<description>（<engine text>）" for a failed engine call.
[[noreturn]] void throwEngineError(sqlite3* db, int code, const QString& what);

// Identifiers are quoted for the engine; names come from the programs'
// own tables but may still hold any character.
QString quoteIdentifier(const QString& name);

} // namespace data
