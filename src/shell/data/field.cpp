#include "errors.h"
#include "valuetext.h"

namespace adodb {

QString Field::text() const {
    if (IsNull())
        raise(adErrInvalidUseOfNull, QStringLiteral("Invalid use of Null"));
    return valueText(value_);
}

QString Field::textOrEmpty() const { return IsNull() ? QString() : valueText(value_); }

}  // namespace adodb
