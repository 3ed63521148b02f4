#include "claimlistmodel.h"

#include "gridsearch.h"

#include <algorithm>
#include <numeric>

namespace ZQ5Reimbursement {

namespace {

constexpr Qt::Alignment generalAlignment{};

}  // namespace

ClaimListModel::ClaimListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ClaimListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ClaimListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

std::size_t ClaimListModel::cell(int row, int column) const {
    const std::size_t storageRow = order_.empty() ? std::size_t(row) : order_[std::size_t(row)];
    return storageRow * std::size_t(columns_) + std::size_t(column);
}

std::string_view ClaimListModel::cellBytes(std::size_t storageRow, int column) const {
    return arena_.bytes(cells_[storageRow * std::size_t(columns_) + std::size_t(column)]);
}

QString ClaimListModel::text(int row, int column) const { return arena_.text(cells_[cell(row, column)]); }

QVariant ClaimListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(index.row(), index.column());
    case Qt::ForegroundRole:
        if (const quint8 colour = colours_[cell(index.row(), index.column())])
            return palette_[colour];
        return {};
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
    ChunkedArray<TextArena::Ref> cells;
    ChunkedArray<quint8> colours;
    for (int row = 0; row < rows_; ++row) {
        for (int column = 0; column < columns; ++column) {
            const bool kept = column < columns_;
            cells.append(1, kept ? cells_[std::size_t(row) * columns_ + column] : TextArena::EmptyText);
            colours.append(1, kept ? colours_[std::size_t(row) * columns_ + column] : quint8(0));
        }
        for (int column = columns; column < columns_; ++column)
            textBytes_ -= cellBytes(std::size_t(row), column).size();
    }
    cells_ = std::move(cells);
    colours_ = std::move(colours);
    sortedColumn_ = -1;
    alignments_.resize(std::size_t(columns), generalAlignment);
    columns_ = columns;
}

void ClaimListModel::setText(int row, int column, const QString& text) {
    const TextArena::Ref ref = arena_.add(text);
    storeText(row, column, ref, arena_.bytes(ref).size());
}

void ClaimListModel::setTextUtf8(int row, int column, std::string_view utf8) {
    storeText(row, column, arena_.add(utf8), utf8.size());
}

void ClaimListModel::storeText(int row, int column, TextArena::Ref ref, std::size_t length) {
    if (column == sortedColumn_)
        sortedColumn_ = -1;
    TextArena::Ref& stored = cells_[cell(row, column)];
    if (stored != TextArena::EmptyText)
        textBytes_ -= arena_.bytes(stored).size();
    textBytes_ += length;
    stored = ref;
    if (!bulk_)
        emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole, Qt::ToolTipRole});
}

void ClaimListModel::setForeColor(int row, int column, const QColor& color) {
    auto known = std::find(palette_.begin() + 1, palette_.end(), color);
    if (known == palette_.end()) {
        // 255 colours at most; past that the newest one is overwritten.
        if (palette_.size() > 255)
            palette_.pop_back();
        known = palette_.insert(palette_.end(), color);
    }
    colours_[cell(row, column)] = quint8(known - palette_.begin());
    if (!bulk_)
        emit dataChanged(index(row, column), index(row, column), {Qt::ForegroundRole});
}

void ClaimListModel::setAlignment(int column, Qt::Alignment alignment) {
    alignments_[std::size_t(column)] = alignment & Qt::AlignHorizontal_Mask;
    if (!bulk_ && rows_ > 0)
        emit dataChanged(index(0, column), index(rows_ - 1, column), {Qt::TextAlignmentRole});
}

void ClaimListModel::appendRow(const QStringList& cells) {
    if (!bulk_)
        beginInsertRows({}, rows_, rows_);
    cells_.append(std::size_t(columns_), TextArena::EmptyText);
    colours_.append(std::size_t(columns_), 0);
    if (!order_.empty())
        order_.push_back(quint32(rows_));
    sortedColumn_ = -1;
    ++rows_;
    const bool wasBulk = std::exchange(bulk_, true);
    for (int column = 0; column < std::min(columns_, int(cells.size())); ++column)
        setText(rows_ - 1, column, cells[column]);
    bulk_ = wasBulk;
    if (!bulk_)
        endInsertRows();
}

void ClaimListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columns_ || (column == sortedColumn_ && order == sortedOrder_))
        return;  // a stable sort of sorted rows changes nothing
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    if (order_.empty()) {
        order_.resize(std::size_t(rows_));
        std::iota(order_.begin(), order_.end(), 0u);
    }
    std::vector<SortKey> keys(static_cast<std::size_t>(rows_));
    for (std::size_t row = 0; row < keys.size(); ++row)
        keys[row] = sortKeyOf(cellBytes(row, column));
    const auto less = [&](quint32 a, quint32 b) {
        return sortsBefore(keys[a], keys[b], [&] { return cellBytes(a, column); }, [&] { return cellBytes(b, column); });
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(order_.begin(), order_.end(), less);
    else
        std::stable_sort(order_.begin(), order_.end(), [&](quint32 a, quint32 b) { return less(b, a); });
    sortedColumn_ = column;
    sortedOrder_ = order;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::size_t ClaimListModel::memoryBytes() const {
    return sizeof(*this) + arena_.allocatedBytes() + cells_.allocatedBytes() + colours_.allocatedBytes()
         + order_.capacity() * sizeof(quint32) + alignments_.capacity() * sizeof(Qt::Alignment);
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
