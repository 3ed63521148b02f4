// Which provider a host's connection string opens, and for the ODBC provider
// the ODBC string: "Provider=MSDASQL;<ODBC string>" and an ODBC string
// without Provider ("DSN=...", "Driver=...") pass through; the suite's SQL
// Server OLE DB strings (SQLOLEDB, SQLNCLI*, MSOLEDBSQL) become a FreeTDS
// string with TDS 7.4.
#pragma once

#include "connectionstring.h"

#include <optional>

namespace adodb {

// The ODBC string, or nullopt for the embedded provider (Provider=SQLite).
// Raises for a provider this build has not, and for Windows authentication.
std::optional<QString> odbcConnectionString(const ConnectionString& settings);

}  // namespace adodb
