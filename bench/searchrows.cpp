// One keystroke of the incremental search in the 100,000-claim register, on a
// number column and on text columns.
//
// Floor: one pass over the column's texts, in the grid's order, with the
//   search's match rule (trimmed cell cut to the typed length, equal by
//   number or in capitals).
// Module: the last key of the search text typed into txtsearch, the column
//   already sorted by the keys before it: the search runs on its release and
//   selects the row it finds.
#include "benchdatabase.h"
#include "benchrows.h"
#include "registersession.h"
#include "sqlitefloor.h"

#include "register/claimlistmodel.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "register/gridsearch.h"
#include "shell/basreimbursement.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <vector>

using namespace ZQ5Reimbursement;

namespace bench {

namespace {

// The rows that match, counted in one pass, and the first of them (-1 for none).
std::pair<long, long> matchingRows(const std::vector<QString>& cells, const QString& typed) {
    const QString wanted = typed.trimmed();
    const bool byNumber = !cells.empty() && isNumericText(cells[(cells.size() - 1) / 2]);
    const double wantedNumber = numericValue(wanted);
    long count = 0;
    long first = -1;
    for (std::size_t row = 0; row < cells.size(); ++row) {
        const QString part = cells[row].trimmed().left(typed.size());
        if (byNumber ? numericValue(part) == wantedNumber : compareInCapitals(part, wanted) == 0) {
            if (first < 0)
                first = long(row);
            ++count;
        }
    }
    return {count, first};
}

}  // namespace

void runSearchRows(Bench& bench) {
    constexpr int claims = 100000;
    const struct {
        const char* caption;
        const char* typed;
    } cases[] = {{"ID", "5000"}, {"Claim No", "rb5000"}, {"Employee", "employee 250"}, {"Type", "type 7"}};
    runRegister(bench.databases.registerFile(claims), [&](FrmMaster& master) {
        const ClaimListModel& model = *master.flexMaster->claimModel();
        for (const auto& search : cases) {
            const QString typed = QLatin1String(search.typed);
            master.cboSearch->setCurrentIndex(master.cboSearch->findText(QLatin1String(search.caption)));
            const int column = master.cboSearch->currentData().toInt();
            master.txtsearch->clear();
            // The first keys sort the column; the rows are then in the order every later key finds.
            QTest::keyClicks(master.txtsearch, typed);
            std::vector<QString> cells;
            cells.reserve(std::size_t(model.rowCount()));
            for (int row = 0; row < model.rowCount(); ++row)
                cells.push_back(model.text(row, column));
            std::pair<long, long> matches;
            const Best best = bestInTurns(
                bench.options.runs, [&] { return timeMs([&] { matches = matchingRows(cells, typed); }); },
                [&] {
                    return timeMs([&] { QTest::keyClick(master.txtsearch, typed.back().toLatin1()); },
                                  [&] { QTest::keyClick(master.txtsearch, Qt::Key_Backspace); });
                });
            if (master.txtsearch->text() != typed)
                fail(QStringLiteral("the search box holds ") + master.txtsearch->text());
            if (matches.first == 0)
                fail(QStringLiteral("nothing matches ") + typed);
            if (!isNumericText(cells[(cells.size() - 1) / 2]) && master.flexMaster->Row() - 1 != matches.second)
                fail(QStringLiteral("the search for %1 selected row %2, the first match is %3")
                         .arg(typed)
                         .arg(master.flexMaster->Row() - 1)
                         .arg(matches.second));
            printRow(QStringLiteral("search %1 %2 one keystroke").arg(sizeName(claims), QLatin1String(search.caption)),
                     best.floor, best.module, 2.0);
        }
    });
}

}  // namespace bench
