// Run-time errors of the register's own steps, numbered as the suite's log
// readers know them, and the strict number conversion of the settings value.
#pragma once

#include <QString>

#include <cstdint>

namespace ZQ5Reimbursement {

enum RegisterErrorNumber : long {
    errInvalidCall = 5,
    errOverflow = 6,
    errTypeMismatch = 13,
    errSubscriptOutOfRange = 381,
};

[[noreturn]] void raiseRegisterError(RegisterErrorNumber number);

// A whole number between -32768 and 32767 written as such (blanks around it
// allowed); anything else, the empty text included, raises.
std::int16_t toInteger16(const QString& text);

}  // namespace ZQ5Reimbursement
