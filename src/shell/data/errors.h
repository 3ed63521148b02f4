// Errors the data layer raises itself, with ADO's numbers and texts.
#pragma once

#include <ZQ5Reimbursement/adodb.h>

namespace adodb {

// ADO's numbers for cases adodb.h does not name.
constexpr long adErrObjectOpen = 3705;
constexpr long adErrNoTransaction = -2147168242;   // XACT_E_NOTRANSACTION
constexpr long adErrDataConversion = -2147217913;  // DB_E_CANTCONVERTVALUE

[[noreturn]] void raise(long number, const QString& description);
[[noreturn]] void raiseObjectClosed();
[[noreturn]] void raiseObjectOpen();
[[noreturn]] void raiseInvalidConnection();
[[noreturn]] void raiseNoCurrentRecord();
[[noreturn]] void raiseItemNotFound();
[[noreturn]] void raiseInvalidUseOfNull();
[[noreturn]] void raiseConversion(const QString& description);

}  // namespace adodb
