#include "registersession.h"

#include "benchdatabase.h"
#include "register/frmmaster.h"
#include "register/registerstatements.h"
#include "shell/context.h"
#include "sqlitefloor.h"

#include <ZQ5Reimbursement/clsReimbursement.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace ZQ5Reimbursement;

namespace bench {

QString benchListing() {
    TableNames tables;
    for (const QString& logical : TableNames::logicalNames())
        tables.set(logical, logical);
    return listingStatement(tables, companyId, 3650, processDate);
}

double runRegister(const QString& path, const std::function<void(FrmMaster&)>& whileOpen) {
    return runRegisterOn(QStringLiteral("Provider=SQLite;Data Source=") + path, whileOpen);
}

double runRegisterOn(const QString& connectionString, const std::function<void(FrmMaster&)>& whileOpen) {
    // One connection for each database for the whole run, as a host keeps its
    // connection between Show calls (and the floors keep theirs).
    static QHash<QString, std::shared_ptr<adodb::Connection>> connections;
    std::shared_ptr<adodb::Connection>& connection = connections[connectionString];
    if (!connection) {
        connection = std::make_shared<adodb::Connection>();
        connection->Open(connectionString);
    }
    auto reimbursement = createObject("ZQ5Reimbursement.clsReimbursement");
    reimbursement->setadocon(connection);
    reimbursement->setMsgboxTitle(QStringLiteral("Bench"));
    reimbursement->setIntinterfaceid(interfaceId);
    reimbursement->setProcessDate(processDate);
    reimbursement->setintUserID(userId);
    reimbursement->setintCompanyID(companyId);

    double milliseconds = 0;
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
        milliseconds = double(clock.nsecsElapsed()) / 1e6;
        FrmMaster* master = Context::instance().frmMaster;
        if (!master)
            fail(QStringLiteral("the register did not open"));
        if (whileOpen)
            whileOpen(*master);
        master->CmdClose->click();
    });
    clock.start();
    reimbursement->Show();
    return milliseconds;
}

void whenModal(const QString& name, std::function<void(QWidget*)> act) {
    constexpr qint64 patienceMs = 10000;
    auto* poll = new QTimer;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, name, waited, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool matches = modal && (name == QLatin1String("QMessageBox") ? qobject_cast<QMessageBox*>(modal) != nullptr
                                                                              : modal->objectName() == name);
        if (!matches) {
            if (waited.hasExpired(patienceMs))
                fail(QStringLiteral("no ") + name + QStringLiteral(" came up"));
            return;
        }
        poll->deleteLater();
        poll->stop();
        act(modal);
    });
    poll->start(0);
}

void answerMessage(const QString& button) {
    whenModal(QStringLiteral("QMessageBox"), [button](QWidget* box) {
        for (QAbstractButton* candidate : static_cast<QMessageBox*>(box)->buttons())
            if (candidate->text().remove(QLatin1Char('&')) == button) {
                candidate->click();
                return;
            }
        fail(QStringLiteral("the message box has no button ") + button);
    });
}

}  // namespace bench
