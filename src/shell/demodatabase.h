// The demo database: the shipped schema and demo data in a SQLite file.
#pragma once

#include <QString>

namespace ZQ5Reimbursement {

// Creates the demo database at `path` unless the file exists (its folder
// too) and returns the connection string that opens it. Raises adodb::Error
// when the file cannot be built; no half-built file is left behind.
QString ensureDemoDatabase(const QString& path);

// Where the demo host keeps it by default: the user's data folder.
QString defaultDemoDatabasePath();

}  // namespace ZQ5Reimbursement
