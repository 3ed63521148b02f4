// The T-SQL functions straight on the engine's values in their common cases
// (ASCII text, whole numbers), without a QVariant or QString per call: the
// claim numbering calls several of them on every claim of the company. Each
// sets the result and returns true, or returns false and leaves the call to
// the general function of tsqlfunctions.h, whose results they give.
#pragma once

#include <sqlite3.h>

namespace adodb {

using QuickFunction = bool (*)(sqlite3_context* context, sqlite3_value** arguments);

bool quickLen(sqlite3_context* context, sqlite3_value** arguments);
bool quickLeft(sqlite3_context* context, sqlite3_value** arguments);
bool quickRight(sqlite3_context* context, sqlite3_value** arguments);
bool quickSubstring(sqlite3_context* context, sqlite3_value** arguments);
bool quickIsNumeric(sqlite3_context* context, sqlite3_value** arguments);
bool quickConvert(sqlite3_context* context, sqlite3_value** arguments);

}  // namespace adodb
