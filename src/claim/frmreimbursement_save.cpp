// Saving a claim: the selection checks, the claim number, the limit warning
// and the header and lines, all in one transaction.
#include "frmreimbursement.h"

#include "claimstatements.h"
#include "register/frmmaster.h"
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace ZQ5Reimbursement {

namespace {

QVariant selectedId(const QComboBox* combo) { return combo->currentData(Qt::UserRole).toInt(); }

void runCommand(const std::shared_ptr<adodb::Connection>& connection, const QString& sql, const QVariantList& values) {
    adodb::Command command;
    command.setActiveConnection(connection);
    command.setCommandText(sql);
    command.RefreshParameters();
    command.Execute(values);
}

}  // namespace

QString frmReimbursement::GenerateReimbursement() {
    try {
        const std::int16_t company = context_.gintCompanyID;
        adodb::Recordset prefixes;
        prefixes.Open(prefixStatement(context_.tables, context_.glngInterfaceID, company), context_.gAdoCon(),
                      adodb::adOpenUnspecified, adodb::adLockUnspecified);
        const QString prefix = prefixes.isEOF() ? QString() : prefixes.Fields(QStringLiteral("Prefix")).textOrEmpty();
        prefixes.Close();

        adodb::Recordset highest;
        highest.Open(highestNumberStatement(context_.tables, company, prefix), context_.gAdoCon(),
                     adodb::adOpenStatic, adodb::adLockOptimistic);
        const QString highestNumber = highest.isEOF() ? QStringLiteral("0") : highest.Fields(0).textOrEmpty();
        highest.Close();
        return prefix + QString::number(static_cast<qlonglong>(numericValue(highestNumber)) + 1);
    } catch (const std::exception& exception) {
        WriteErrorLog(QStringLiteral("Reimbursement"), QStringLiteral("GenerateReimbursement"), toError(exception));
        return QString();
    }
}

bool frmReimbursement::selectionsMade() {
    const struct {
        QComboBox* list;
        const char* message;
    } checks[] = {{cboemployee, "Select Employee"},
                  {cboapproved, "Select Aproved Person"},
                  {cbotype, "Select Type"},
                  {cboCurrency, "Select currency symbol"}};
    for (const auto& check : checks) {
        if (check.list->currentIndex() >= 0)
            continue;
        showMessage(this, QLatin1String(check.message), QMessageBox::Information);
        if (check.list->isEnabled())
            check.list->setFocus();
        return false;
    }
    return true;
}

std::optional<double> frmReimbursement::storableTotal() {
    QStringList amounts{txtamount->text()};
    for (int i = 0; i < lvwdetails->topLevelItemCount(); ++i)
        amounts << lvwdetails->topLevelItem(i)->text(2);
    for (const QString& amount : amounts) {
        if (storableAmount(amount))
            continue;
        showMessage(this, amountTooLargeMessage(amount), QMessageBox::Information);
        return std::nullopt;
    }
    return storableAmount(txtamount->text());
}

bool frmReimbursement::exceedsLimit(double total) const {
    return lvwdetails->topLevelItemCount() > 0 &&
           numericValue(txtlimit->text()) - numericValue(txtutilized->text()) < total;
}

void frmReimbursement::cmdOk_Click() {
    WaitCursor hourglass;
    if (!selectionsMade())
        return;
    const std::optional<double> total = storableTotal();
    if (!total)
        return;

    const bool newClaim = context_.strMode == QLatin1String("N");
    try {
        // The clerk answers the limit question before the write lock is
        // taken, so that no other workstation's save waits on the answer.
        if (exceedsLimit(*total)) {
            if (newClaim && !showClaimNumber())
                return;
            if (showMessage(this,
                            QStringLiteral("Total Amount is greater than reimbursement limit. Do you want to continue?"),
                            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::Yes) == QMessageBox::No) {
                lvwdetails->setFocus();
                return;
            }
        }
        // Numbering and writing share one transaction, so a second saver waits
        // for this one and then sees its number and ID.
        adodb::Transaction transaction(*context_.gAdoCon());
        if (newClaim) {
            if (!showClaimNumber())
                return;
            objCommonDB->setstrTablename(context_.tables[QStringLiteral("pReimburseHeader")]);
            lngReimburseID = objCommonDB->fnGetNextMaxNo(QStringLiteral("rhreimburseid"));
        } else {
            lngReimburseID = static_cast<std::int32_t>(numericValue(registerClaimIdText()));
        }
        writeClaim(*total);
        transaction.commit();
    } catch (const std::exception& exception) {
        hourglass.restore();
        WriteErrorLog(QStringLiteral("frmReimbursement"), QStringLiteral("cmdOk_Click "), toError(exception));
        return;
    }

    RefreshRegisterRow(QStringLiteral("rhreimburseid=") + QString::number(lngReimburseID), newClaim ? lngReimburseID : 0);
    hourglass.restore();
    cmdOk->setEnabled(false);
    close();
}

bool frmReimbursement::showClaimNumber() {
    const QString number = GenerateReimbursement();
    if (number.isEmpty())
        return false;  // already logged and shown; nothing was written
    txtreimbno->setText(number);
    return true;
}

void frmReimbursement::writeClaim(double total) {
    const auto& connection = context_.gAdoCon();
    const TableNames& tables = context_.tables;
    const std::int16_t company = context_.gintCompanyID;
    const QString claimDate = dtpdate->date().toString(QStringLiteral("dd/MM/yyyy"));
    const QString remarks = trimBlanks(txtremark->toPlainText());

    if (context_.strMode == QLatin1String("N")) {
        runCommand(connection, headerInsertStatement(tables),
                   {QVariant::fromValue<std::int32_t>(lngReimburseID), QVariant::fromValue<std::int16_t>(company),
                    trimBlanks(txtreimbno->text()), claimDate, selectedId(cboemployee), selectedId(cboapproved),
                    remarks.isEmpty() ? QVariant() : QVariant(remarks), total, QVariant::fromValue<std::int16_t>(0),
                    selectedId(cboCurrency), selectedId(cbotype)});
    } else {
        runCommand(connection, headerUpdateStatement(tables, lngReimburseID, company),
                   {claimDate, remarks, selectedId(cboemployee), selectedId(cboapproved), total,
                    selectedId(cboCurrency), selectedId(cbotype)});
        connection->Execute(linesDeleteStatement(tables, lngReimburseID, company));
    }

    const QString lineInsert = lineInsertStatement(tables);
    for (int i = 0; i < lvwdetails->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* line = lvwdetails->topLevelItem(i);
        runCommand(connection, lineInsert,
                   {QVariant::fromValue<std::int16_t>(company), QVariant::fromValue<std::int32_t>(lngReimburseID),
                    line->text(0), trimBlanks(line->text(1)), *storableAmount(line->text(2)),
                    trimBlanks(line->text(3))});
    }
}

}  // namespace ZQ5Reimbursement
