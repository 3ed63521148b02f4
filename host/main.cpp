// The demo host: what a payroll application does to run the reimbursement
// module, with its context values taken from the command line.
#include "headlessrun.h"
#include "hostoptions.h"
#include "register/claimreport.h"
#include "shell/demodatabase.h"

#include <ZQ5Reimbursement/clsReimbursement.h>

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {

// No display to show windows on: run on the offscreen platform.
bool useOffscreenPlatform() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return platform == "offscreen";
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool headless = useOffscreenPlatform();
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zq5demo"));

    int exitCode = 0;
    const std::optional<HostOptions> options = parseHostOptions(application, exitCode);
    if (!options)
        return exitCode;

    try {
        auto connection = std::make_shared<adodb::Connection>();
        if (options->connection.isEmpty()) {
            std::printf("Database: %s\n", qPrintable(options->database));
            std::fflush(stdout);
            connection->Open(ZQ5Reimbursement::ensureDemoDatabase(options->database));
        } else {
            // Not printed: it may hold a password.
            connection->Open(options->connection);
        }
        if (!options->reportClaimId.isEmpty()) {
            ZQ5Reimbursement::writeClaimVoucher(connection, options->companyId, options->userId,
                                                options->reportClaimId, options->pdfFile);
            std::printf("Voucher: %s\n", qPrintable(options->pdfFile));
            return 0;
        }

        auto reimbursement = ZQ5Reimbursement::createObject("ZQ5Reimbursement.clsReimbursement");
        reimbursement->setadocon(connection);
        reimbursement->setMsgboxTitle(options->title);
        reimbursement->setIntinterfaceid(options->interfaceId);
        reimbursement->setProcessDate(options->processDate);
        reimbursement->setintUserID(options->userId);
        reimbursement->setintCompanyID(options->companyId);

        std::unique_ptr<HeadlessRun> headlessRun;
        if (headless) {
            std::printf("Screenshot folder: %s\n", qPrintable(options->screenshotDir));
            headlessRun = std::make_unique<HeadlessRun>(options->screenshotDir);
        }
        reimbursement->Show();
        return headlessRun && !headlessRun->captured() ? 1 : 0;
    } catch (const adodb::Error& error) {
        std::fprintf(stderr, "zq5demo: error %ld (%s): %s\n", error.Number(), qPrintable(error.Source()),
                     qPrintable(error.Description()));
        return 1;
    }
}
