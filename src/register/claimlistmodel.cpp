#include "claimlistmodel.h"

#include "conversions.h"
#include "gridsearch.h"

#include <algorithm>

namespace ZQ5Reimbursement {

namespace {

constexpr Qt::Alignment generalAlignment{};

}  // namespace

ClaimListModel::ClaimListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ClaimListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ClaimListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

std::size_t ClaimListModel::storageRow(int row) const {
    return order_.empty() ? std::size_t(row) : order_[std::size_t(row)];
}

std::string_view ClaimListModel::cellBytes(std::size_t storageRow, int column) const {
    return arena_.bytes(cells_[storageRow], std::size_t(column));
}

QString ClaimListModel::text(int row, int column) const { return QString::fromUtf8(cellBytes(storageRow(row), column)); }

QVariant ClaimListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(index.row(), index.column());
    case Qt::ForegroundRole: {
        const ColourPattern& pattern = patterns_[colours_[storageRow(index.row())]];
        if (const std::size_t column = std::size_t(index.column()); column < pattern.size() && pattern[column])
            return palette_[pattern[column]];
        return {};
    }
    case Qt::TextAlignmentRole: {
        Qt::Alignment horizontal = alignments_[std::size_t(index.column())];
        if (horizontal == generalAlignment)
            horizontal = isNumericText(text(index.row(), index.column())) ? Qt::AlignRight : Qt::AlignLeft;
        return int(horizontal | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant ClaimListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return captions_.value(section);
    return {};
}

void ClaimListModel::setCaptions(const QStringList& captions) {
    if (captions.size() != columns_) {
        if (!bulk_)
            beginResetModel();
        relayout(int(captions.size()));
        captions_ = captions;
        if (!bulk_)
            endResetModel();
        return;
    }
    captions_ = captions;
    if (!bulk_ && columns_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

void ClaimListModel::setCaption(int column, const QString& caption) {
    captions_[column] = caption;
    if (!bulk_)
        emit headerDataChanged(Qt::Horizontal, column, column);
}

void ClaimListModel::relayout(int columns) {
    std::vector<std::string_view> cells(static_cast<std::size_t>(columns));
    for (std::size_t row = 0; row < std::size_t(rows_); ++row) {
        for (int column = 0; column < std::max(columns, columns_); ++column) {
            const std::string_view text = column < columns_ ? cellBytes(row, column) : std::string_view();
            if (column < columns)
                cells[std::size_t(column)] = text;
            else
                textBytes_ -= text.size();
        }
        cells_[row] = arena_.add(cells);
    }
    for (ColourPattern& pattern : patterns_)
        if (pattern.size() > std::size_t(columns))
            pattern.resize(std::size_t(columns));
    sortedColumn_ = -1;
    alignments_.resize(std::size_t(columns), generalAlignment);
    columns_ = columns;
}

void ClaimListModel::setText(int row, int column, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string_view cell(utf8.constData(), std::size_t(utf8.size()));
    storeRow(storageRow(row), column, {&cell, 1});
    if (column == sortedColumn_)
        sortedColumn_ = -1;
    if (!bulk_)
        emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole, Qt::ToolTipRole});
}

void ClaimListModel::setRowUtf8(int row, std::span<const std::string_view> cells) {
    storeRow(storageRow(row), 0, cells);
    if (std::size_t(sortedColumn_) < cells.size())
        sortedColumn_ = -1;
    if (!bulk_ && !cells.empty())
        emit dataChanged(index(row, 0), index(row, int(cells.size()) - 1), {Qt::DisplayRole, Qt::ToolTipRole});
}

void ClaimListModel::storeRow(std::size_t storageRow, int firstColumn, std::span<const std::string_view> cells) {
    if (firstColumn + cells.size() > std::size_t(columns_))
        raiseRegisterError(errSubscriptOutOfRange);
    if (cells_[storageRow] != TextArena::EmptyText)
        for (int column = firstColumn; column < firstColumn + int(cells.size()); ++column)
            textBytes_ -= cellBytes(storageRow, column).size();
    for (const std::string_view text : cells)
        textBytes_ += text.size();
    if (cells.size() == std::size_t(columns_)) {
        cells_[storageRow] = arena_.add(cells);
        return;
    }
    // A row is rewritten whole; its old texts stay unused in the arena, which
    // costs little, as rows are filled once and changed only now and then.
    std::vector<std::string_view> row(static_cast<std::size_t>(columns_));
    for (int column = 0; column < columns_; ++column) {
        const std::size_t at = std::size_t(column - firstColumn);
        row[std::size_t(column)] = column >= firstColumn && at < cells.size() ? cells[at] : cellBytes(storageRow, column);
    }
    cells_[storageRow] = arena_.add(row);
}

quint8 ClaimListModel::paletteIndex(const QColor& color) {
    auto known = std::find(palette_.begin() + 1, palette_.end(), color);
    if (known == palette_.end()) {
        // 255 colours at most; past that the newest one is overwritten.
        if (palette_.size() > 255)
            palette_.pop_back();
        known = palette_.insert(palette_.end(), color);
    }
    return quint8(known - palette_.begin());
}

quint16 ClaimListModel::patternIndex(ColourPattern pattern) {
    // Trailing default cells do not count: rows share their patterns.
    while (!pattern.empty() && pattern.back() == 0)
        pattern.pop_back();
    auto known = std::find(patterns_.begin(), patterns_.end(), pattern);
    if (known == patterns_.end()) {
        if (patterns_.size() > 0xFFFF)
            patterns_.pop_back();
        known = patterns_.insert(patterns_.end(), std::move(pattern));
    }
    return quint16(known - patterns_.begin());
}

void ClaimListModel::setForeColor(int row, int column, const QColor& color) {
    quint16& stored = colours_[storageRow(row)];
    ColourPattern pattern = patterns_[stored];
    pattern.resize(std::max(pattern.size(), std::size_t(column) + 1), 0);
    pattern[std::size_t(column)] = paletteIndex(color);
    stored = patternIndex(std::move(pattern));
    if (!bulk_)
        emit dataChanged(index(row, column), index(row, column), {Qt::ForegroundRole});
}

void ClaimListModel::setRowForeColor(int row, const QColor& color) {
    // A cancelled claim's row is one more use of the pattern "all red".
    colours_[storageRow(row)] = patternIndex(ColourPattern(std::size_t(columns_), paletteIndex(color)));
    if (!bulk_ && columns_ > 0)
        emit dataChanged(index(row, 0), index(row, columns_ - 1), {Qt::ForegroundRole});
}

void ClaimListModel::setAlignment(int column, Qt::Alignment alignment) {
    alignments_[std::size_t(column)] = alignment & Qt::AlignHorizontal_Mask;
    if (!bulk_ && rows_ > 0)
        emit dataChanged(index(0, column), index(rows_ - 1, column), {Qt::TextAlignmentRole});
}

void ClaimListModel::appendRow(const QStringList& cells) {
    if (!bulk_)
        beginInsertRows({}, rows_, rows_);
    cells_.append(1, TextArena::EmptyText);
    colours_.append(1, 0);
    if (!order_.empty())
        order_.push_back(quint32(rows_));
    sortedColumn_ = -1;
    ++rows_;
    if (!cells.isEmpty()) {
        std::vector<QByteArray> utf8;
        std::vector<std::string_view> texts;
        for (int column = 0; column < std::min(columns_, int(cells.size())); ++column)
            utf8.push_back(cells[column].toUtf8());
        for (const QByteArray& text : utf8)
            texts.emplace_back(text.constData(), std::size_t(text.size()));
        storeRow(std::size_t(rows_ - 1), 0, texts);
    }
    if (!bulk_)
        endInsertRows();
}

void ClaimListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columns_ || (column == sortedColumn_ && order == sortedOrder_))
        return;  // a stable sort of sorted rows changes nothing
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Each row's key, read in storage order, where its texts lie one after
    // another; then put in the rows' present order and sorted stably with them.
    struct Entry {
        SortKey key;
        std::string_view text;
        quint32 row;
    };
    std::vector<Entry> entries(static_cast<std::size_t>(rows_));
    for (std::size_t row = 0; row < entries.size(); ++row) {
        const std::string_view text = cellBytes(row, column);
        entries[row] = {sortKeyOf(text), text, quint32(row)};
    }
    if (!order_.empty()) {
        std::vector<Entry> present(entries.size());
        for (std::size_t place = 0; place < present.size(); ++place)
            present[place] = entries[order_[place]];
        entries.swap(present);
    }
    const auto less = [](const Entry& a, const Entry& b) {
        return sortsBefore(a.key, b.key, [&] { return a.text; }, [&] { return b.text; });
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(entries.begin(), entries.end(), less);
    else
        std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) { return less(b, a); });
    order_.resize(entries.size());
    for (std::size_t at = 0; at < entries.size(); ++at)
        order_[at] = entries[at].row;
    sortedColumn_ = column;
    sortedOrder_ = order;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::size_t ClaimListModel::memoryBytes() const {
    std::size_t patterns = patterns_.capacity() * sizeof(ColourPattern);
    for (const ColourPattern& pattern : patterns_)
        patterns += pattern.capacity();
    return sizeof(*this) + arena_.allocatedBytes() + cells_.allocatedBytes() + colours_.allocatedBytes() + patterns
         + palette_.capacity() * sizeof(QColor) + order_.capacity() * sizeof(quint32)
         + alignments_.capacity() * sizeof(Qt::Alignment);
}

ClaimListModel::BulkFill::BulkFill(ClaimListModel& model) : model_(model) {
    model_.beginResetModel();
    model_.bulk_ = true;
}

ClaimListModel::BulkFill::~BulkFill() {
    model_.bulk_ = false;
    model_.endResetModel();
}

}  // namespace ZQ5Reimbursement
