// Registers on a SQLite connection what the translated statements need to
// give SQL Server's results: the T-SQL functions (len, isnumeric, substring
// under their own names, zq_left, zq_right, zq_convert for what SQLite
// reserves or parses otherwise), LIKE with SQL Server's rules, and the text
// collation the translation puts on text comparisons. Any SQLite connection
// running translated statements needs this one call.
#pragma once

#include <sqlite3.h>

namespace adodb {

void registerTsqlFunctions(sqlite3* db);

}  // namespace adodb
