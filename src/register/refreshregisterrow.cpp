// Brings one saved claim into the open register without reading the whole
// listing again.
#include "frmmaster.h"

#include "registerstatements.h"
#include "shell/basreimbursement.h"
#include "shell/context.h"

namespace ZQ5Reimbursement {

namespace {

void copyClaimIntoGrid(Context& context, FlexGrid& grid, adodb::Recordset& claim, std::int32_t claimId) {
    const int cols = grid.Cols();
    if (context.strMode == QLatin1String("E")) {
        // Column 0 stays: the current row is the one the claim was opened from.
        for (int col = 1; col < cols; ++col)
            grid.setTextMatrix(grid.Row(), col, claim.Fields(col).textOrEmpty());
        return;
    }
    if (grid.TextMatrix(1, 0).isEmpty() && grid.Rows() == 2) {
        for (int col = 0; col < cols; ++col)
            grid.setTextMatrix(1, col, claim.Fields(col).textOrEmpty());
        return;
    }
    QString row = QString::number(claimId);
    for (int col = 1; col < cols; ++col)
        row += QLatin1Char('\t') + claim.Fields(col).textOrEmpty();
    grid.AddItem(row);
    grid.setRow(grid.Rows() - 1);
    grid.setTopRow(grid.Row());
    grid.selectCurrentRow();
}

}  // namespace

void RefreshRegisterRow(const QString& condition, std::int32_t claimId) {
    Context& context = Context::instance();
    FrmMaster* master = context.frmMaster;
    if (!master)
        return;  // no register open: nothing to bring up to date
    try {
        adodb::Recordset claim;
        claim.Open(refreshRowStatement(context.strListSQL, condition), context.gAdoCon(), adodb::adOpenKeyset,
                   adodb::adLockReadOnly);
        if (!claim.isEOF())
            copyClaimIntoGrid(context, *master->flexMaster, claim, claimId);
        claim.Close();
    } catch (const std::exception& exception) {
        showFailure(master, QStringLiteral("basReimbursement"), QStringLiteral("RefreshRegisterRow"), toError(exception));
    }
}

}  // namespace ZQ5Reimbursement
