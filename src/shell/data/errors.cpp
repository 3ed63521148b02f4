#include "errors.h"

namespace adodb {

namespace {
const QString layerSource = QStringLiteral("ZQ5Reimbursement.adodb");
}

Error::Error(long number, QString source, QString description, QString sqlState)
    : std::runtime_error(description.toStdString()),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      sqlState_(std::move(sqlState)) {}

void raise(long number, const QString& description) { throw Error(number, layerSource, description); }

void raiseObjectClosed() {
    raise(adErrObjectClosed, QStringLiteral("Operation is not allowed when the object is closed."));
}

void raiseObjectOpen() {
    raise(adErrObjectOpen, QStringLiteral("Operation is not allowed when the object is open."));
}

void raiseInvalidConnection() {
    raise(adErrInvalidConnection,
          QStringLiteral("The connection cannot be used to perform this operation. "
                         "It is either closed or invalid in this context."));
}

void raiseNoCurrentRecord() {
    raise(adErrNoCurrentRecord,
          QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                         "Requested operation requires a current record."));
}

void raiseItemNotFound() {
    raise(adErrItemNotFound,
          QStringLiteral("Item cannot be found in the collection corresponding to the "
                         "requested name or ordinal."));
}

void raiseInvalidUseOfNull() { raise(adErrInvalidUseOfNull, QStringLiteral("Invalid use of Null")); }

void raiseConversion(const QString& description) { raise(adErrDataConversion, description); }

}  // namespace adodb
