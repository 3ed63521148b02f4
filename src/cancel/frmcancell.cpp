#include "frmcancell.h"

#include "cancelstatements.h"
#include "register/frmmaster.h"
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"
#include "shell/formcontrols.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ZQ5Reimbursement {

namespace {
// The register's cancelled column and the text colour of a cancelled claim.
constexpr int cancelledColumn = 5;
const QColor cancelledColor(255, 0, 0);
}

frmcancell::frmcancell(Context& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("frmcancell"));
    setWindowTitle(QStringLiteral("Cancel"));
    setAttribute(Qt::WA_DeleteOnClose);
    useFormFont(this);

    fraReason = new QGroupBox(this);
    fraReason->setObjectName(QStringLiteral("fraReason"));
    lblreason = new QLabel(QStringLiteral("Reason:"), fraReason);
    lblreason->setObjectName(QStringLiteral("lblreason"));
    txtreason = new QLineEdit(fraReason);
    txtreason->setObjectName(QStringLiteral("txtreason"));
    cmdOk = new QPushButton(QStringLiteral("&Ok"), fraReason);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));

    auto* row = new QHBoxLayout(fraReason);
    row->addWidget(lblreason);
    row->addWidget(txtreason, 1);
    row->addWidget(cmdOk);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(fraReason);
    resize(twips(5400), twips(1200));
    txtreason->setFocus();

    installKeyPressFilter(txtreason, [this](int& keyAscii) { txtreason_KeyPress(keyAscii); });
    connect(cmdOk, &QPushButton::clicked, this, &frmcancell::cmdOk_Click);

    Form_Load();
}

frmcancell::~frmcancell() = default;

frmcancell& frmcancell::instance(Context& context) {
    if (!context.frmcancellWindow)
        context.frmcancellWindow = new frmcancell(context, context.frmMaster);
    return *context.frmcancellWindow;
}

void frmcancell::Form_Load() {
    objCommonDB = createObject<CommonModule::clsCommonDB>("CommonModule.clsCommonDB");
    objCommonDB->setadocon(context_.gAdoCon());
    SetHelpFile();
}

void frmcancell::txtreason_KeyPress(int& keyAscii) {
    if (keyAscii == '\'') {
        keyAscii = 0;
    } else if (keyAscii == '\r') {
        cmdOk->setFocus();
    }
}

void frmcancell::cmdOk_Click() {
    if (cancelClaim())
        accept();
}

void frmcancell::reject() {
    const bool tryNow = cmdOk->isEnabled() && !failed_;
    if (tryNow && !cancelClaim() && !failed_)
        return;  // refused for want of a reason
    QDialog::reject();
}

bool frmcancell::cancelClaim() {
    if (txtreason->text().isEmpty()) {
        showMessage(this, QStringLiteral("Enter Deletion Reason"), QMessageBox::Information);
        txtreason->setFocus();
        return false;
    }
    try {
        FlexGrid& grid = *FrmMaster::instance(context_).flexMaster;
        storeCancellation(grid.TextMatrix(grid.Row(), 0));
        // The register shows the cancellation only once it is stored.
        showCancelled(grid);
        cmdOk->setEnabled(false);
        grid.selectCurrentRow();
        return true;
    } catch (const std::exception& exception) {
        failed_ = true;
        WriteErrorLog(objectName(), QStringLiteral("Cmdok_Click "), toError(exception));
        return false;
    }
}

void frmcancell::storeCancellation(const QString& claimIdText) {
    const auto& connection = context_.gAdoCon();
    adodb::Transaction transaction(*connection);
    adodb::Command command;
    command.setActiveConnection(connection);
    command.setCommandText(cancelClaimStatement(context_.tables, claimIdText, context_.gintCompanyID));
    command.RefreshParameters();
    command.Execute({txtreason->text()});
    transaction.commit();
}

void frmcancell::showCancelled(FlexGrid& grid) {
    const int row = grid.Row();
    grid.setTextMatrix(row, cancelledColumn, QStringLiteral("Yes"));
    grid.setRowForeColor(row, cancelledColor);
}

}  // namespace ZQ5Reimbursement
