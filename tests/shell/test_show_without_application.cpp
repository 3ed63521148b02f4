// Show in a host without a QApplication: each call makes one, shows the register and leaves none behind.
#include "registerrows.h"
#include "uidriver.h"

#include <ZQ5Reimbursement/clsReimbursement.h>

#include <QApplication>

#include <cstdio>

static int registersSeen = 0;

// Runs whenever an application is constructed, here the one Show makes.
static void closeRegisterOnceShown() {
    whenDialog(QStringLiteral("FrmMaster"), [](QWidget* window) { ++registersSeen; window->close(); });
}
Q_COREAPP_STARTUP_FUNCTION(closeRegisterOnceShown)

int main() {
    TestDatabase db;
    addRegisterRows(db);
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
            std::fprintf(stderr, "FAIL on call %d: application before %d, registers %d\n", call, before, registersSeen);
            return 1;
        }
    }
    std::puts("PASSED");
    return 0;
}
