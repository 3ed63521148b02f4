// The claim's bill lines list: add and edit through the bill line window,
// delete after a question, from the pop-up menu, the keys or a double-click.
#include "frmreimbursement.h"

#include "billline/frmreimbursementdetails.h"
#include "shell/basreimbursement.h"
#include "shell/commonmodule.h"
#include "shell/context.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

namespace ZQ5Reimbursement {

void frmReimbursement::mnuadd_Click() {
    context_.strDetailMode = QStringLiteral("A");
    frmReimbursementDetails& details = frmReimbursementDetails::instance(context_);
    details.cmdNext->setEnabled(false);
    details.cmdPrevious->setEnabled(false);
    details.cmdLast->setEnabled(false);
    details.exec();
}

void frmReimbursement::mnuedit_Click() {
    context_.strDetailMode = QStringLiteral("E");
    const QTreeWidgetItem* line = selectedLine();
    if (!line)
        return;
    frmReimbursementDetails& details = frmReimbursementDetails::instance(context_);
    details.txtbillno->setText(line->text(1));
    details.txtamount->setText(line->text(2));
    details.txtremarks->setText(line->text(3));
    details.exec();
}

void frmReimbursement::mnudelete_Click() {
    if (const QTreeWidgetItem* line = selectedLine()) {
        // This one question carries the application's own title.
        const auto answer = showMessageTitled(
            this, QApplication::applicationDisplayName(),
            QStringLiteral("Are you sure you want to delete Details - ") + line->text(2), QMessageBox::Question,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer == QMessageBox::Yes && lvwdetails->topLevelItemCount() > 0)
            objCommonDB->fnDeleteListview(true, lvwdetails, true);
    }
    CalculateTotals();
}

bool frmReimbursement::lvwdetails_KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (lvwdetails->topLevelItemCount() == 0)
            runHandler(QStringLiteral("mnuadd_Click "), [this] { mnuadd_Click(); });
        else
            runHandler(QStringLiteral("mnuedit_Click "), [this] { mnuedit_Click(); });
        return true;
    }
    if (key == Qt::Key_Delete) {
        runHandler(QStringLiteral("mnudelete_Click "), [this] { mnudelete_Click(); });
        return true;
    }
    return false;
}

void frmReimbursement::lvwdetails_RightButtonUp(const QPoint& globalPos) {
    const bool hasLines = lvwdetails->topLevelItemCount() > 0;
    mnuedit->setEnabled(hasLines);
    mnudelete->setEnabled(hasLines);
    if (cboemployee->currentIndex() >= 0)
        mnufile->popup(globalPos);
}

bool frmReimbursement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lvwdetails && event->type() == QEvent::KeyPress)
        return lvwdetails_KeyDown(static_cast<QKeyEvent*>(event)->key());
    if (watched == lvwdetails->viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton)
            runHandler(QStringLiteral("lvwdetails_DblClick "), [this] { mnuedit_Click(); });
        else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton)
            lvwdetails_RightButtonUp(mouse->globalPosition().toPoint());
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace ZQ5Reimbursement
