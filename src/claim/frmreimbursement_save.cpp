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

// Stored amounts are read back as ten-character text.
constexpr qsizetype storedAmountLength = 10;

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

bool frmReimbursement::amountsFitStorage() {
    QStringList amounts{txtamount->text()};
    for (int i = 0; i < lvwdetails->topLevelItemCount(); ++i)
        amounts << lvwdetails->topLevelItem(i)->text(2);
    for (const QString& amount : amounts) {
        const QString stored = formatAmount(numericValue(amount));
        if (stored.length() <= storedAmountLength)
            continue;
        showMessage(this,
                    QStringLiteral("The amount ") + stored + QStringLiteral(" is too large to be saved: an amount "
                                                                            "may have at most 10 characters."),
                    QMessageBox::Information);
        return false;
    }
    return true;
}

void frmReimbursement::cmdOk_Click() {
    WaitCursor hourglass;
    if (!selectionsMade() || !amountsFitStorage())
        return;

    const bool newClaim = context_.strMode == QLatin1String("N");
    try {
        // Numbering and writing share one transaction, so a second saver waits
        // for this one and then sees its number and ID.
        adodb::Transaction transaction(*context_.gAdoCon());
        if (newClaim) {
            const QString number = GenerateReimbursement();
            if (number.isEmpty())
                return;  // already logged and shown; nothing was written
            txtreimbno->setText(number);
            objCommonDB->setstrTablename(context_.tables[QStringLiteral("pReimburseHeader")]);
            lngReimburseID = objCommonDB->fnGetNextMaxNo(QStringLiteral("rhreimburseid"));
        } else {
            lngReimburseID = static_cast<std::int32_t>(numericValue(registerClaimIdText()));
        }

        if (lvwdetails->topLevelItemCount() > 0 &&
            numericValue(txtlimit->text()) - numericValue(txtutilized->text()) < numericValue(txtamount->text()) &&
            showMessage(this,
                        QStringLiteral("Total Amount is greater than reimbursement limit. Do you want to continue?"),
                        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                        QMessageBox::Yes) == QMessageBox::No) {
            lvwdetails->setFocus();
            return;
        }

        writeClaim();
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

void frmReimbursement::writeClaim() {
    const auto& connection = context_.gAdoCon();
    const TableNames& tables = context_.tables;
    const std::int16_t company = context_.gintCompanyID;
    const QString claimDate = dtpdate->date().toString(QStringLiteral("dd/MM/yyyy"));
    const QString remarks = txtremark->toPlainText().trimmed();

    if (context_.strMode == QLatin1String("N")) {
        runCommand(connection, headerInsertStatement(tables),
                   {QVariant::fromValue<std::int32_t>(lngReimburseID), QVariant::fromValue<std::int16_t>(company),
                    txtreimbno->text().trimmed(), claimDate, selectedId(cboemployee), selectedId(cboapproved),
                    remarks.isEmpty() ? QVariant() : QVariant(remarks), numericValue(txtamount->text()),
                    QVariant::fromValue<std::int16_t>(0), selectedId(cboCurrency), selectedId(cbotype)});
    } else {
        runCommand(connection, headerUpdateStatement(tables, lngReimburseID, company),
                   {claimDate, remarks, selectedId(cboemployee), selectedId(cboapproved), txtamount->text().trimmed(),
                    selectedId(cboCurrency), selectedId(cbotype)});
        connection->Execute(linesDeleteStatement(tables, lngReimburseID, company));
    }

    const QString lineInsert = lineInsertStatement(tables);
    for (int i = 0; i < lvwdetails->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* line = lvwdetails->topLevelItem(i);
        runCommand(connection, lineInsert,
                   {QVariant::fromValue<std::int16_t>(company), QVariant::fromValue<std::int32_t>(lngReimburseID),
                    line->text(0), line->text(1).trimmed(), line->text(2).trimmed(), line->text(3).trimmed()});
    }
}

}  // namespace ZQ5Reimbursement
