#include "basreimbursement.h"

#include "context.h"

#include <QApplication>

namespace ZQ5Reimbursement {

QMessageBox::StandardButton showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) {
    return showMessageTitled(parent, Context::instance().gstrMsgboxTitle, text, icon, buttons, defaultButton);
}

QMessageBox::StandardButton showMessageTitled(QWidget* parent, const QString& title, const QString& text,
                                              QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    box.exec();
    return box.standardButton(box.clickedButton());
}

WaitCursor::WaitCursor() : active_(qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
    if (active_)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() { restore(); }

void WaitCursor::restore() {
    if (!active_)
        return;
    QApplication::restoreOverrideCursor();
    active_ = false;
}

}  // namespace ZQ5Reimbursement
