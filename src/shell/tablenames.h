// The physical name of each logical table name, read from linktable.
#pragma once

#include <QString>

#include <array>

namespace ZQ5Reimbursement {

class TableNames {
public:
    static constexpr std::size_t Count = 15;
    // The logical names, in the order the linktable statement lists them.
    static const std::array<QString, Count>& logicalNames();

    // The physical name of `logical` (case-insensitive); empty until mapped.
    QString operator[](const QString& logical) const;
    // Names outside the fifteen are ignored.
    void set(const QString& logical, const QString& physical);

private:
    std::array<QString, Count> physical_;
};

}  // namespace ZQ5Reimbursement
