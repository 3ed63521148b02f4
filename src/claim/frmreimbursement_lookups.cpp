// The chained lists of the claim window (employee, then type, then currency)
// and the eligibility figures and claim total they lead to.
#include "frmreimbursement.h"

#include "claimstatements.h"
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/formcontrols.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace ZQ5Reimbursement {

namespace {

qlonglong selectedId(const QComboBox* combo) { return combo->currentData(Qt::UserRole).toLongLong(); }

// Moves the focus to a list only where a person could have it.
void focusIfPossible(QWidget* window, QWidget* control) {
    if (window->isVisible() && control->isEnabled())
        control->setFocus();
}

}  // namespace

void frmReimbursement::cboemployee_Click() {
    if (cboemployee->currentIndex() < 0)
        return;
    objCommonDB->setstrTablename(typeListSource(context_.tables, dtpdate->date(), selectedId(cboemployee),
                                                context_.gintCompanyID));
    objCommonDB->populateComboorList(cbotype, QStringLiteral("rtypeid"), QStringLiteral("rtypename"));
}

void frmReimbursement::cbotype_Click() {
    if (cboemployee->currentIndex() < 0) {
        showMessage(this, QStringLiteral("select Employee"), QMessageBox::Information);
        focusIfPossible(this, cboemployee);
        return;
    }
    if (cbotype->currentIndex() < 0)
        return;
    objCommonDB->setstrTablename(
        currencyListSource(context_.tables, selectedId(cbotype), dtpdate->date(), selectedId(cboemployee),
                           context_.gintCompanyID));
    objCommonDB->populateComboorList(cboCurrency, QStringLiteral("distinct CurrencyID"), QStringLiteral("CurrencyName"));
}

void frmReimbursement::cboCurrency_Click() {
    if (cboCurrency->currentIndex() >= 0) {
        objCommonDB->setstrTablename(context_.tables[QStringLiteral("pcurrencymaster")]);
        const QString symbol = objCommonDB->fnReturnField(
            QStringLiteral("Symbol"), symbolCondition(selectedId(cboCurrency), context_.gintCompanyID));
        setCaption(lbllimit, QStringLiteral("Limit-") + symbol);
        setCaption(lblbalance, QStringLiteral("Balance-") + symbol);
        setCaption(lblutilized, QStringLiteral("Uilized-") + symbol);
    }
    CalculateLimits();
}

void frmReimbursement::CalculateLimits() {
    if (cbotype->currentIndex() < 0) {
        showMessage(this, QStringLiteral("select type"), QMessageBox::Information);
        focusIfPossible(this, cbotype);
        return;
    }
    // Without an employee there is nobody's eligibility to show.
    if (cboemployee->currentIndex() < 0)
        return;

    const qlonglong employeeId = selectedId(cboemployee);
    const qlonglong typeId = selectedId(cbotype);
    const QDate claimDate = dtpdate->date();
    std::optional<QString> editedClaimId;
    if (context_.strMode != QLatin1String("N"))
        editedClaimId = registerClaimIdText();

    adodb::Recordset utilized;
    utilized.Open(utilizedStatement(context_.tables, context_.gintCompanyID, employeeId, typeId, claimDate,
                                    editedClaimId),
                  context_.gAdoCon(), adodb::adOpenKeyset);
    if (!utilized.isEOF())
        txtutilized->setText(utilized.Fields(QStringLiteral("Amount")).textOrEmpty());
    utilized.Close();

    adodb::Recordset limit;
    limit.Open(limitStatement(context_.tables, typeId, employeeId, claimDate, context_.gintCompanyID), context_.gAdoCon(),
               adodb::adOpenKeyset);
    if (!limit.isEOF())
        txtlimit->setText(limit.Fields(QStringLiteral("relimit")).textOrEmpty());
    limit.Close();

    const double limitValue = numericValue(txtlimit->text());
    if (limitValue != 0)
        txtbalance->setText(plainNumber(limitValue - numericValue(txtutilized->text())));
}

void CalculateTotals() {
    frmReimbursement* window = Context::instance().frmReimbursementWindow;
    if (!window)
        return;
    double total = 0;
    for (int i = 0; i < window->lvwdetails->topLevelItemCount(); ++i)
        total += numericValue(window->lvwdetails->topLevelItem(i)->text(2));
    window->txtamount->setText(formatAmount(total));
    window->txtbalance->setText(formatAmount(numericValue(window->txtlimit->text()) -
                                             numericValue(window->txtutilized->text()) -
                                             numericValue(window->txtamount->text())));
}

}  // namespace ZQ5Reimbursement
