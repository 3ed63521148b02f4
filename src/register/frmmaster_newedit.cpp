// The register's New and Edit commands: the claim window for a new claim, or
// filled with the claim of the current row and locked as its state requires.
#include "frmmaster.h"

#include "claim/claimstatements.h"
#include "claim/frmreimbursement.h"
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace ZQ5Reimbursement {

namespace {

constexpr int claimIdColumn = 0;
constexpr int cancelledColumn = 5;

QDate dateOf(const adodb::Field& field) {
    const QVariant& value = field.Value();
    return value.metaType().id() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate();
}

}  // namespace

void FrmMaster::cmdnew_Click() {
    {
        WaitCursor hourglass;
        context_.strMode = QStringLiteral("N");
    }
    try {
        frmReimbursement::instance(context_).exec();
    } catch (const std::exception& exception) {
        WriteErrorLog(QStringLiteral("FrmMaster"), QStringLiteral("cmdnew_Click "), toError(exception));
    }
}

void FrmMaster::CmdEdit_Click() {
    const int row = flexMaster->Row();
    const QString claimIdText = flexMaster->TextMatrix(row, claimIdColumn);
    if (numericValue(claimIdText) == 0)
        return;

    WaitCursor hourglass;
    context_.strMode = QStringLiteral("E");
    QPointer<frmReimbursement> window;
    try {
        adodb::Recordset header;
        header.Open(claimHeaderStatement(context_.tables, context_.gintCompanyID, claimIdText), context_.gAdoCon(),
                    adodb::adOpenKeyset, adodb::adLockOptimistic);
        window = &frmReimbursement::instance(context_);
        if (!header.isEOF()) {
            window->txtreimbno->setText(header.Fields(QStringLiteral("rhReimburseno")).textOrEmpty());
            window->txtamount->setText(formatAmount(header.Fields(QStringLiteral("rhTotalAmt")).Value().toDouble()));
            if (const adodb::Field date = header.Fields(QStringLiteral("rhdate")); !date.IsNull())
                window->dtpdate->setDate(dateOf(date));

            // Each selection runs the window's own handling, which fills the
            // next list: employee, then type, then currency.
            const auto select = [this](QComboBox* list, const adodb::Field& id) {
                if (id.IsNull())
                    return false;
                objCommonGen->SelectComboItemByValue(list, id.Value().toLongLong());
                return true;
            };
            select(window->cboemployee, header.Fields(QStringLiteral("rhclaimempid")));
            window->cboemployee->setEnabled(false);
            select(window->cboapproved, header.Fields(QStringLiteral("rhApprovedEmpID")));
            if (select(window->cbotype, header.Fields(QStringLiteral("rhrtypeid"))))
                window->cbotype->setEnabled(false);
            if (select(window->cboCurrency, header.Fields(QStringLiteral("rhcurrencyid"))))
                window->cboCurrency->setEnabled(false);
            window->txtremark->setPlainText(header.Fields(QStringLiteral("rhremarks")).textOrEmpty());
            objCommonDB->PopulateListview(window->lvwdetails, context_.tables[QStringLiteral("pReimbursedetail")],
                                          claimLinesCondition(claimIdText, context_.gintCompanyID), QStringLiteral("SLNO"),
                                          QStringLiteral("rdbillno"), QStringLiteral("convert(varchar(10),rdbillamt)"),
                                          QStringLiteral("rdremarks"));
            window->rethrowHiddenFailure();

            if (header.Fields(QStringLiteral("rhCancelled")).Value().toLongLong() != 0)
                window->cmdOk->setEnabled(false);
            if (fnCheckReimursementPaid()) {
                showMessage(this, QStringLiteral("Payment done. Can't edit."), QMessageBox::Information);
                window->cmdOk->setEnabled(false);
                window->frareimbursement->setEnabled(false);
            }
        }
        if (flexMaster->TextMatrix(row, cancelledColumn) == QLatin1String("Yes"))
            window->cmdOk->setEnabled(false);
        SaveControlValues(window);
    } catch (const std::exception& exception) {
        // Nothing half-filled reaches the screen.
        delete window.data();
        hourglass.restore();
        WriteErrorLog(QStringLiteral("FrmMaster"), QStringLiteral("CmdEdit_Click "), toError(exception));
        return;
    }
    hourglass.restore();
    window->exec();
}

}  // namespace ZQ5Reimbursement
