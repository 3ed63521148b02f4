// The register's rows: one per claim, its cell texts together in a TextArena,
// its cells' text colours as one shared colour pattern, and a row order for
// sorting. No object per row or cell, so a million claims stay small and quick.
#pragma once

#include "textarena.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <span>
#include <vector>

namespace ZQ5Reimbursement {

class ClaimListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ClaimListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The grid's generic sort: empty cells first, then numbers by value, then
    // other texts in capitals by character code; equal keys keep their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // One column per caption; rows keep the cells of the columns that remain.
    void setCaptions(const QStringList& captions);
    QString caption(int column) const { return captions_.value(column); }
    void setCaption(int column, const QString& caption);

    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    // The first cells of a row at once, in UTF-8 stored as it is: the quick
    // way to fill many rows. More cells than columns: "Subscript out of range".
    void setRowUtf8(int row, std::span<const std::string_view> cells);
    void setForeColor(int row, int column, const QColor& color);
    // The same for every cell of the row.
    void setRowForeColor(int row, const QColor& color);
    // Left, right or "general" (numbers right, other texts left) when unset.
    void setAlignment(int column, Qt::Alignment alignment);

    void appendRow(const QStringList& cells = {});

    // Rows appended and cells written while a BulkFill lives reach the views
    // once, when it ends, whether the filling finished or failed.
    class BulkFill {
    public:
        explicit BulkFill(ClaimListModel& model);
        ~BulkFill();
        BulkFill(const BulkFill&) = delete;
        BulkFill& operator=(const BulkFill&) = delete;

    private:
        ClaimListModel& model_;
    };

    // Bytes the model holds for its rows, and the UTF-8 bytes of the texts in them.
    std::size_t memoryBytes() const;
    std::size_t textBytes() const { return textBytes_; }

private:
    using ColourPattern = std::vector<quint8>;  // per column an index into palette_, 0 = default

    std::size_t storageRow(int row) const;
    std::string_view cellBytes(std::size_t storageRow, int column) const;
    // The storage row's cells with `cells` written over its first ones.
    void storeRow(std::size_t storageRow, int firstColumn, std::span<const std::string_view> cells);
    quint8 paletteIndex(const QColor& color);
    // The pattern's index, added when new; 65,535 at most, past that the newest is overwritten.
    quint16 patternIndex(ColourPattern pattern);
    void relayout(int columns);

    int columns_ = 0;
    int rows_ = 0;
    QStringList captions_;
    std::vector<Qt::Alignment> alignments_;
    TextArena arena_;
    ChunkedArray<TextArena::Ref> cells_;  // storage row -> its texts, one per column
    ChunkedArray<quint16> colours_;       // storage row -> index into patterns_
    std::vector<ColourPattern> patterns_{ColourPattern()};  // [0]: every cell default
    std::vector<QColor> palette_{QColor()};
    std::vector<quint32> order_;  // view row -> storage row; empty = unsorted
    int sortedColumn_ = -1;  // the rows are in this column's order, -1 when not known
    Qt::SortOrder sortedOrder_ = Qt::AscendingOrder;
    std::size_t textBytes_ = 0;
    bool bulk_ = false;
};

}  // namespace ZQ5Reimbursement
