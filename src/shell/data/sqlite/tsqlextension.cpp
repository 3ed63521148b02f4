// The T-SQL functions as a loadable SQLite extension, for a SQLite file
// reached through an ODBC driver, which loads it with its LoadExt= option.
// It registers what the embedded provider registers on its own connections.
#include "sqlitefunctions.h"

#include <exception>

extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char** error,
                                                                            const sqlite3_api_routines*) {
    try {
        adodb::registerTsqlFunctions(db);
        return SQLITE_OK;
    } catch (const std::exception& failure) {
        *error = sqlite3_mprintf("%s", failure.what());
        return SQLITE_ERROR;
    }
}
