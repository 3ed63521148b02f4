// SQLite files for the benchmark: the shipped schema, one company with its
// employees, types, settings, layout and rights, and any number of claims.
#pragma once

#include <QString>

namespace bench {

constexpr int companyId = 1;
constexpr int userId = 5;
constexpr int interfaceId = 42;

// Creates `path` with `claims` claims of company 1 (every tenth cancelled),
// dated over the four years before 15 March 2004.
void buildDatabase(const QString& path, int claims);

}  // namespace bench
