// First showing of the claim window and its closing: whoever closes it, a
// claim with unsaved changes is offered for saving first.
#include "frmreimbursement.h"

#include "shell/basreimbursement.h"
#include "shell/context.h"

#include <QDateEdit>
#include <QPushButton>

namespace ZQ5Reimbursement {

namespace {
// The window's own tag: set once its state has been recorded.
constexpr char tagProperty[] = "tag";
}

void frmReimbursement::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (blnFirstActivate)
        Form_Activate();
}

void frmReimbursement::Form_Activate() {
    setProperty(tagProperty, QStringLiteral("Loaded"));
    SaveControlValues(this);
    if (context_.strMode == QLatin1String("N"))
        dtpdate->setDate(context_.gdtProcessDate);
    blnFirstActivate = false;
}

void frmReimbursement::cmdCancel_Click() { close(); }

void frmReimbursement::done(int result) {
    if (!QueryUnload())
        return;
    // A save answered from the question may already have closed the window.
    if (isVisible())
        QDialog::done(result);
}

// True when the window may close.
bool frmReimbursement::QueryUnload() {
    if (property(tagProperty).toString().isEmpty() || !cmdOk->isEnabled())
        return true;
    if (!IsFormChanged(this) && !blnDetailChanged)
        return true;
    const auto answer = showMessage(this, QStringLiteral("Save Changes?"), QMessageBox::Information,
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    blnDetailChanged = false;
    if (answer != QMessageBox::Yes)
        return true;
    cmdOk_Click();
    // A save that stopped early leaves cmdOk enabled and the window open.
    return !cmdOk->isEnabled();
}

}  // namespace ZQ5Reimbursement
