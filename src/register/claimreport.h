// The reimbursement report of one claim (crpReimbursement): its header and
// bill lines read from the database, shown in a print preview.
#pragma once

#include "shell/tablenames.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <memory>

class QWidget;

namespace ZQ5Reimbursement {

// The report's four parameter fields, each "name;value;true".
QStringList reportParameterFields(std::int16_t companyId, const QString& claimIdText, const QString& userName);

class ClaimReport : public QObject {
    Q_OBJECT
public:
    ClaimReport(std::shared_ptr<adodb::Connection> connection, const TableNames& tables, QObject* parent = nullptr);

    // Replaces every parameter value of an earlier run.
    void setParameterFields(const QStringList& fields);
    // The report as rich text; raises when the claim cannot be read.
    QString html() const;
    // Shows the report in a modal print preview.
    void preview(QWidget* parent) const;

private:
    QString parameter(const QString& name) const;

    std::shared_ptr<adodb::Connection> connection_;
    const TableNames& tables_;
    QStringList fields_;
};

}  // namespace ZQ5Reimbursement
