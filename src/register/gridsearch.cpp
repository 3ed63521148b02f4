#include "gridsearch.h"

#include "shell/basreimbursement.h"

namespace ZQ5Reimbursement {

bool isNumericText(const QString& text) {
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

int compareInCapitals(const QString& left, const QString& right) {
    return QString::compare(left.toUpper(), right.toUpper(), Qt::CaseSensitive);
}

qint64 findFirstRow(const std::function<QString(qint64 row)>& keyCell, qint64 first, qint64 last,
                    const QString& typed) {
    const QString wanted = typed.trimmed();
    const bool byNumber = isNumericText(keyCell((last + 1) / 2));
    qint64 low = first;
    qint64 high = last;
    qint64 found = -1;
    while (low <= high) {
        const qint64 middle = (low + high) / 2;
        const QString part = keyCell(middle).trimmed().left(typed.size());
        int order = 0;
        if (byNumber) {
            const double cell = numericValue(part);
            const double value = numericValue(wanted);
            order = cell < value ? -1 : (cell > value ? 1 : 0);
        } else {
            order = compareInCapitals(part, wanted);
        }
        if (order > 0) {
            high = middle - 1;
        } else if (order < 0) {
            low = middle + 1;
        } else {
            found = middle;
            high = middle - 1;
        }
    }
    return found;
}

}  // namespace ZQ5Reimbursement
