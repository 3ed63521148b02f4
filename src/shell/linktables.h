// Fills the table-name map from linktable; the register's load runs it
// before any other statement.
#pragma once

#include <QString>

namespace CommonModule {
class clsCommonDB;
}

namespace ZQ5Reimbursement {

class Context;

// The select of the mappings for the fifteen logical names.
QString linkTablesStatement();

// Gives `commonDB` the context's connection, then sets the map entry of every
// logical name that a linktable row names (case-insensitive; a later row wins).
// Names without a row keep their previous value. A NULL linktablename raises.
void GetLinkTables(Context& context, CommonModule::clsCommonDB& commonDB);

}  // namespace ZQ5Reimbursement
