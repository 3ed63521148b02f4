#include "conversions.h"

#include <ZQ5Reimbursement/adodb.h>

#include <limits>

namespace ZQ5Reimbursement {

void raiseRegisterError(RegisterErrorNumber number) {
    QString description;
    switch (number) {
    case errInvalidCall: description = QStringLiteral("Invalid procedure call or argument"); break;
    case errOverflow: description = QStringLiteral("Overflow"); break;
    case errTypeMismatch: description = QStringLiteral("Type mismatch"); break;
    case errSubscriptOutOfRange: description = QStringLiteral("Subscript out of range"); break;
    }
    throw adodb::Error(number, QStringLiteral("ZQ5Reimbursement"), description);
}

std::int16_t toInteger16(const QString& text) {
    bool whole = false;
    const qlonglong value = text.trimmed().toLongLong(&whole);
    if (!whole)
        raiseRegisterError(errTypeMismatch);
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        raiseRegisterError(errOverflow);
    return static_cast<std::int16_t>(value);
}

}  // namespace ZQ5Reimbursement
