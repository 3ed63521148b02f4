// The register as a host opens it: clsReimbursement::Show on a bench file,
// offscreen, with the windows driven from timers inside their modal loops the
// way a person would drive them.
#pragma once

#include <QDate>
#include <QString>

#include <functional>

class QWidget;

namespace ZQ5Reimbursement {
class FrmMaster;
}

namespace bench {

const QDate processDate(2004, 3, 15);

// The listing as the register builds it on a bench file (its settings keep
// 3650 days), in T-SQL; rows check that the register ran this very text.
QString benchListing();

// Shows the register on `path`, runs `whileOpen` once its modal loop runs,
// then closes it. Returns the milliseconds from Show until the loop ran.
// Every call on the same database uses the same connection.
double runRegister(const QString& path, const std::function<void(ZQ5Reimbursement::FrmMaster&)>& whileOpen = {});
// The same on the database a host's connection string names.
double runRegisterOn(const QString& connectionString,
                     const std::function<void(ZQ5Reimbursement::FrmMaster&)>& whileOpen = {});

// Runs `act` once a modal window named `name` is active (a message box has
// no name: pass "QMessageBox" for one); call it just before the modal call.
void whenModal(const QString& name, std::function<void(QWidget*)> act);

// Answers the next message box with the button of that text.
void answerMessage(const QString& button);

}  // namespace bench
