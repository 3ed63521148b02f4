// Registers on a SQLite connection the T-SQL functions the translated
// statements call: len, isnumeric, substring under their own names, and
// zq_left, zq_right, zq_convert for what SQLite reserves or parses otherwise.
#pragma once

#include <sqlite3.h>

namespace adodb {

void registerTsqlFunctions(sqlite3* db);

}  // namespace adodb
