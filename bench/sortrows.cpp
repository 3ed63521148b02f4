// Sorting the 100,000-claim register by each column the sort combo offers,
// ascending and descending.
//
// Floor: std::stable_sort of that column's values, in the order the pick
//   finds them, with the same comparison (gridsearch.h), their sort keys
//   already made.
// Module: picking the column in cboColNames, as a clerk does: the keys made,
//   the rows reordered and the last row selected (painting is not counted).
#include "benchdatabase.h"
#include "benchrows.h"
#include "registersession.h"
#include "sqlitefloor.h"

#include "register/claimlistmodel.h"
#include "register/flexgrid.h"
#include "register/frmmaster.h"
#include "register/gridsearch.h"

#include <QComboBox>
#include <QRadioButton>

#include <algorithm>
#include <string>
#include <vector>

using namespace ZQ5Reimbursement;

namespace bench {

namespace {

struct Value {
    SortKey key;
    std::string text;
};

std::vector<Value> columnValues(const ClaimListModel& model, int column) {
    std::vector<Value> values;
    values.reserve(std::size_t(model.rowCount()));
    for (int row = 0; row < model.rowCount(); ++row) {
        const QByteArray text = model.text(row, column).toUtf8();
        values.push_back({sortKeyOf(std::string_view(text.constData(), std::size_t(text.size()))), text.toStdString()});
    }
    return values;
}

void stableSort(std::vector<Value>& values, bool ascending) {
    const auto less = [](const Value& a, const Value& b) {
        return sortsBefore(a.key, b.key, [&] { return std::string_view(a.text); }, [&] { return std::string_view(b.text); });
    };
    if (ascending)
        std::stable_sort(values.begin(), values.end(), less);
    else
        std::stable_sort(values.begin(), values.end(), [&](const Value& a, const Value& b) { return less(b, a); });
}

}  // namespace

void runSortRows(Bench& bench) {
    constexpr int claims = 100000;
    runRegister(bench.databases.registerFile(claims), [&](FrmMaster& master) {
        FlexGrid& grid = *master.flexMaster;
        const ClaimListModel& model = *grid.claimModel();
        for (int entry = 0; entry < master.cboColNames->count(); ++entry) {
            const QString caption = master.cboColNames->itemText(entry);
            // What the register sorts on for this entry: a date entry sorts the claim numbers.
            const int key = caption.contains(QLatin1String("date"), Qt::CaseInsensitive)
                                ? 1
                                : master.cboColNames->itemData(entry).toInt();
            for (const bool ascending : {true, false}) {
                // Another order first, so that the pick has rows to move.
                const auto unsort = [&] {
                    grid.Sort((key + 1) % grid.Cols(), Qt::AscendingOrder);
                    (ascending ? master.optAscend : master.optDescend)->click();
                };
                unsort();
                const std::vector<Value> values = columnValues(model, key);
                std::vector<Value> sorted;
                const Best best = bestInTurns(
                    bench.options.runs,
                    [&] { return timeMs([&] { stableSort(sorted, ascending); }, [&] { sorted = values; }); },
                    [&] { return timeMs([&] { master.cboColNames->setCurrentIndex(entry); }, unsort); });
                unsort();
                master.cboColNames->setCurrentIndex(entry);
                for (int row = 0; row < model.rowCount(); ++row)
                    if (model.text(row, key).toStdString() != sorted[std::size_t(row)].text)
                        fail(QStringLiteral("the register sorted %1 otherwise than std::stable_sort").arg(caption));
                const QString sortedOn = key == master.cboColNames->itemData(entry).toInt()
                                             ? caption
                                             : caption + QStringLiteral(" (on ") + model.caption(key) + QLatin1Char(')');
                printRow(QStringLiteral("sort %1 %2 %3").arg(sizeName(claims), sortedOn,
                                                              ascending ? QStringLiteral("asc") : QStringLiteral("desc")),
                         best.floor, best.module, 2.0);
            }
        }
    });
}

}  // namespace bench
