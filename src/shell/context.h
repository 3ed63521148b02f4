// The module-level state shared by every window: the host context copied by
// Show(), the claim and bill line modes, the listing statement, the table-name
// map and the default instance of each window.
#pragma once

#include "tablenames.h"

#include <ZQ5Reimbursement/adodb.h>

#include <QDate>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

namespace ZQ5Reimbursement {

class FrmMaster;
class frmReimbursement;
class frmReimbursementDetails;
class frmcancell;

class Context {
public:
    // The one context of the loaded component.
    static Context& instance();

    // The host's connection; a new, unopened one when none was assigned.
    const std::shared_ptr<adodb::Connection>& gAdoCon();
    void setConnection(std::shared_ptr<adodb::Connection> connection) { connection_ = std::move(connection); }

    std::int16_t gintUserID = 0;
    std::int16_t gintCompanyID = 0;
    std::int32_t glngInterfaceID = 0;
    QString gstrMsgboxTitle;
    QDate gdtProcessDate;

    QString strMode;        // "N" new claim, "E" existing claim
    QString strDetailMode;  // "A" add a bill line, "E" edit the selected one
    QString strListSQL;     // the register's listing statement
    TableNames tables;

    // Default window instances: created on first use, gone when closed.
    QPointer<FrmMaster> frmMaster;
    QPointer<frmReimbursement> frmReimbursementWindow;
    QPointer<frmReimbursementDetails> frmReimbursementDetailsWindow;
    QPointer<frmcancell> frmcancellWindow;

private:
    std::shared_ptr<adodb::Connection> connection_;
};

}  // namespace ZQ5Reimbursement
