// The groups of rows, one file each; zq5bench runs them in this order.
#pragma once

#include "benchrows.h"

namespace bench {

void runOpenRows(Bench& bench);
void runSortRows(Bench& bench);
void runSearchRows(Bench& bench);
void runEligibilityRows(Bench& bench);
void runSaveRows(Bench& bench);
void runCancelRows(Bench& bench);
void runOdbcRows(Bench& bench);

inline constexpr RowGroup rowGroups[] = {
    {"open", runOpenRows},         {"sort", runSortRows}, {"search", runSearchRows},
    {"eligibility", runEligibilityRows}, {"save", runSaveRows}, {"cancel", runCancelRows},
    {"odbc", runOdbcRows},
};

}  // namespace bench
