// Small helpers the widget tests share: the error number an action raises
// and what the error log gained since an offset.
#pragma once

#include "shell/basreimbursement.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QFile>
#include <QStringList>

#include <functional>
#include <memory>

// The Number of the adodb::Error the action raises; 0 when it raises none.
inline long errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const adodb::Error& error) {
        return error.Number();
    }
    return 0;
}

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
