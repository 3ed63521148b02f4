#include "errors.h"
#include "valuetext.h"

namespace adodb {

QString Field::text() const {
    if (IsNull())
        raiseInvalidUseOfNull();
    return valueText(value_);
}

QString Field::textOrEmpty() const { return IsNull() ? QString() : valueText(value_); }

}  // namespace adodb
