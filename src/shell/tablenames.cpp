#include "tablenames.h"

namespace ZQ5Reimbursement {

namespace {

// The position of `logical` among the logical names, or Count when unknown.
std::size_t indexOf(const QString& logical) {
    const auto& names = TableNames::logicalNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].compare(logical, Qt::CaseInsensitive) == 0)
            return i;
    return TableNames::Count;
}

}  // namespace

const std::array<QString, TableNames::Count>& TableNames::logicalNames() {
    static const std::array<QString, Count> names = {
        QStringLiteral("pusers"),
        QStringLiteral("pfacilitymaster"),
        QStringLiteral("pemployee"),
        QStringLiteral("pfacilitydetails"),
        QStringLiteral("pReimbursedetail"),
        QStringLiteral("pReimburseHeader"),
        QStringLiteral("ptables"),
        QStringLiteral("ptablecolumns"),
        QStringLiteral("puserrights"),
        QStringLiteral("pSettings"),
        QStringLiteral("pPrefix"),
        QStringLiteral("pcurrencymaster"),
        QStringLiteral("preimbursementmaster"),
        QStringLiteral("preimeligibilityheader"),
        QStringLiteral("preimeligibilitydetail"),
    };
    return names;
}

QString TableNames::operator[](const QString& logical) const {
    const std::size_t i = indexOf(logical);
    return i < Count ? physical_[i] : QString();
}

void TableNames::set(const QString& logical, const QString& physical) {
    const std::size_t i = indexOf(logical);
    if (i < Count)
        physical_[i] = physical;
}

}  // namespace ZQ5Reimbursement
