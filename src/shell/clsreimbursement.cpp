#include <ZQ5Reimbursement/clsReimbursement.h>

#include "commonmodule.h"
#include "context.h"
#include "register/frmmaster.h"

#include <QApplication>
#include <QPointer>

namespace ZQ5Reimbursement {

namespace {

const QString componentName = QStringLiteral("ZQ5Reimbursement");

// The QApplication that Show runs on: the host's, or one made for the
// duration of the call when the host has none.
std::unique_ptr<QApplication> applicationForShow() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "ZQ5Reimbursement";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QApplication>(argc, argv);
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw adodb::Error(429, componentName,
                           QStringLiteral("The host runs a QCoreApplication; windows need a QApplication"));
    return nullptr;
}

void showRegister(Context& context) {
    QPointer<FrmMaster> master = &FrmMaster::instance(context);
    master->exec();
    // Closing deletes the register later; make it gone now, so that the next
    // Show loads a fresh one.
    delete master.data();
}

}  // namespace

std::shared_ptr<adodb::Connection> clsReimbursement::adocon() {
    if (!connection_)
        connection_ = std::make_shared<adodb::Connection>();
    return connection_;
}

void clsReimbursement::setadocon(std::shared_ptr<adodb::Connection> connection) {
    connection_ = std::move(connection);
}

void clsReimbursement::Show() {
    Context& context = Context::instance();
    context.gintUserID = userId_;
    context.gintCompanyID = companyId_;
    context.glngInterfaceID = interfaceId_;
    context.gstrMsgboxTitle = msgboxTitle_;
    context.setConnection(adocon());
    context.gdtProcessDate = processDate_;

    const std::unique_ptr<QApplication> ownApplication = applicationForShow();
    showRegister(context);
}

std::shared_ptr<ComObject> createComObject(std::string_view progId) {
    const QString name = QString::fromUtf8(progId.data(), static_cast<qsizetype>(progId.size()));
    const auto is = [&name](const char* candidate) {
        return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
    };
    if (is("ZQ5Reimbursement.clsReimbursement"))
        return std::make_shared<clsReimbursement>();
    if (is("CommonModule.clsCommonDB"))
        return std::make_shared<CommonModule::clsCommonDB>();
    if (is("CommonModule.clsCommonGen"))
        return std::make_shared<CommonModule::clsCommonGen>();
    throw adodb::Error(429, componentName, QStringLiteral("ActiveX component can't create object: ") + name);
}

}  // namespace ZQ5Reimbursement
