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

int failures = 0;

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "FAIL: %s\n", what);
        ++failures;
    }
}

}  // namespace

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
        check(!QCoreApplication::instance(), "no application before Show");
        reimbursement.Show();
        check(registersSeen == call, "the register was shown");
        check(!QCoreApplication::instance(), "no application left after Show");
    }
    std::printf("%s\n", failures ? "FAILED" : "PASSED");
    return failures ? 1 : 0;
}
