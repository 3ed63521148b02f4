// What the error log beside the library gained since an offset.
#pragma once

#include "shell/basreimbursement.h"

#include <QFile>
#include <QStringList>

inline QString errorLogPath() {
    return ZQ5Reimbursement::componentFolder() + QStringLiteral("/ZQ5ReimbursementError.log");
}

inline qint64 errorLogSize() { return QFile(errorLogPath()).size(); }

// The lines logged since `offset` (other test programs may share the log).
inline QStringList errorLogLinesSince(qint64 offset) {
    QFile log(errorLogPath());
    if (!log.open(QIODevice::ReadOnly) || !log.seek(offset))
        return {};
    return QString::fromUtf8(log.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}
