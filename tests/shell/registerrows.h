// Rows the register opens on: settings, columns, types, rights for interface 101, a claim in companies 1 and 2.
#pragma once

#include "testdatabase.h"

inline void addRegisterRows(TestDatabase& db) {
    db.exec(QStringLiteral(
        "insert into pSettings values (1, 0, '2'), (2, 0, '2'); insert into pusers values (1, 'Asha');"
        "insert into ptables values (1, 'pReimburseHeader');"
        "insert into ptablecolumns values (1, 1, 'ID', 0), (1, 2, 'Reimb. No.', 4), (1, 3, 'Type', 4),"
        " (1, 4, 'Date', 4), (1, 5, 'Employee', 4), (1, 6, 'Cancelled', 2);"
        "insert into pemployee (eempid, ecompanyid, ename, eActive, eDesigId) values (1, 1, 'Anita', 1, 1),"
        " (1, 2, 'Meera', 1, 1); insert into preimbursementmaster values (1, 'Medical', 1), (2, 'Phone', 2);"
        "insert into puserrights values (1, 1, 101, 'N'), (2, 1, 101, 'NEDP');"
        "insert into pReimburseHeader (rhreimburseid, rhcompanyid, rhreimburseno, rhdate, rhClaimEmpID, rhTotalAmt,"
        " rhCancelled, rhrtypeid) values (1, 1, 'RB1', '2026-02-10', 1, 100.00, 0, 1),"
        " (2, 2, 'RC1', '2026-03-01', 1, 50.00, 0, 2)"));
}
