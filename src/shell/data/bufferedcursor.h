// Every row of another cursor, read at once: the keyset and static cursors,
// which leave no statement open on the engine.
#pragma once

#include "provider.h"

#include <QStringList>

#include <vector>

namespace adodb {

class BufferedCursor final : public Cursor {
public:
    explicit BufferedCursor(Cursor& source);

    bool atEnd() const override { return row_ >= rowCount_; }
    void next() override { ++row_; }
    int columnCount() const override { return int(names_.size()); }
    const QString& columnName(int column) const override { return names_.at(column); }
    QVariant value(int column) const override { return cells_[row_ * names_.size() + column]; }

private:
    QStringList names_;
    std::vector<QVariant> cells_;
    size_t rowCount_ = 0;
    size_t row_ = 0;
};

}  // namespace adodb
