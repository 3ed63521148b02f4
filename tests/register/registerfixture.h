// A register opened on its own SQLite file: the standard column layout,
// settings, users and rights of company 1, and helpers to read the grid,
// the error log and what was written.
#pragma once

#include "register/frmmaster.h"
#include "shell/context.h"

#include "testdatabase.h"

#include <QStringList>

#include <memory>

class RegisterFixture {
public:
    static constexpr int companyId = 1;
    static constexpr int userId = 5;
    static constexpr int interfaceId = 42;

    // Column layout: ID (not offered), Claim No, Type, Claim Date, Employee,
    // Cancelled; days = 0 (all dates); rights NEDP for user 5.
    RegisterFixture();
    ~RegisterFixture();

    TestDatabase db;

    // Fills the host context the way Show does.
    void setContext(std::int16_t user = userId, std::int16_t company = companyId);
    // Creates the register's default instance (its load runs).
    ZQ5Reimbursement::FrmMaster& open();
    // Shows it, laid out and exposed, for mouse and keys.
    ZQ5Reimbursement::FrmMaster& openShown();

    // Adds a claim of company 1: employee 11 or 12, type 1 or 2.
    void addClaim(int id, const QString& number, const QString& date, int employee = 11, int type = 1,
                  int cancelled = 0, int company = companyId);

    // Data rows of the grid, cells joined by "|".
    static QStringList gridRows(const ZQ5Reimbursement::FlexGrid& grid);
    static QStringList comboTexts(const class QComboBox& combo);

    // Lines of the error log beside the library.
    static QStringList logLines();
    // Statements sent that change data (anything not a select).
    QStringList writes() const;
};
