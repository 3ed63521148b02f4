// Show in a host that has no QApplication: the component makes one for the
// call, shows the register, and leaves none behind, each time it is called.
#include "registerrows.h"
#include "uidriver.h"

#include <ZQ5Reimbursement/clsReimbursement.h>

#include <QApplication>

#include <cstdio>

namespace {

int registersSeen = 0;

// Runs whenever an application is constructed, here the one Show makes.
void closeRegisterOnceShown() {
    whenDialog(QStringLiteral("FrmMaster"), [](QWidget* window) {
        ++registersSeen;
        window->close();
    });
}
Q_COREAPP_STARTUP_FUNCTION(closeRegisterOnceShown)

}  // namespace

int main() {
    TestDatabase db;
    addRegisterRows(db);
    int failures = 0;
    for (int call = 1; call <= 2; ++call) {
        ZQ5Reimbursement::clsReimbursement reimbursement;
        reimbursement.setadocon(db.connection());
        reimbursement.setIntinterfaceid(101);
        reimbursement.setintUserID(1);
        reimbursement.setintCompanyID(static_cast<std::int16_t>(call));
        reimbursement.setProcessDate(QDate(2026, 3, 15));
        const bool before = QCoreApplication::instance();
        reimbursement.Show();
        if (before || registersSeen != call || QCoreApplication::instance()) {
            std::fprintf(stderr, "FAIL on call %d: application before %d, registers seen %d, application after %d\n",
                         call, before, registersSeen, QCoreApplication::instance() != nullptr);
            ++failures;
        }
    }
    std::printf("%s\n", failures ? "FAILED" : "PASSED");
    return failures ? 1 : 0;
}
