// Errors the data layer raises itself, with ADO's numbers and texts.
#pragma once

#include <ZQ5Reimbursement/adodb.h>

namespace adodb {

// ADO's numbers for cases adodb.h does not name.
constexpr long adErrObjectOpen = 3705;
constexpr long adErrNoTransaction = -2147168242;   // XACT_E_NOTRANSACTION
constexpr long adErrDataConversion = -2147217913;  // DB_E_CANTCONVERTVALUE

// What an error means to a person who cannot see the engine.
enum class FailureKind {
    Program,     // raised by the data layer or the module, not by an engine
    Busy,        // another connection holds the database; it may work in a moment
    Unwritable,  // the database cannot be read or written: read-only, moved, deleted, full, damaged
    Layout,      // the statement does not fit the database's tables and columns
    Engine,      // any other failure of the engine
};
// Defined with the providers, each knowing its engine's numbers.
FailureKind failureKind(const Error& error);

[[noreturn]] void raise(long number, const QString& description);
[[noreturn]] void raiseObjectClosed();
[[noreturn]] void raiseObjectOpen();
[[noreturn]] void raiseInvalidConnection();
[[noreturn]] void raiseNoCurrentRecord();
[[noreturn]] void raiseItemNotFound();
[[noreturn]] void raiseInvalidUseOfNull();
[[noreturn]] void raiseConversion(const QString& description);

}  // namespace adodb
