// The data cells of one grid column, top to bottom.
#pragma once

#include "register/flexgrid.h"

#include <QStringList>

inline QStringList gridColumn(const ZQ5Reimbursement::FlexGrid& grid, int col) {
    QStringList cells;
    for (int row = 1; row < grid.Rows(); ++row)
        cells << grid.TextMatrix(row, col);
    return cells;
}
