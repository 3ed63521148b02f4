// The register grid: a table view over a compact claim model, addressed the
// way the register's procedures think of it. Grid row 0 is the header (the
// view's horizontal header); grid data row r is model row r - 1. The current
// row and column are the view's current index.
#pragma once

#include <QColor>
#include <QStringList>
#include <QTableView>

#include <span>
#include <string_view>

class QKeyEvent;
class QMouseEvent;

namespace ZQ5Reimbursement {

class ClaimListModel;

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    // Header row plus data rows; an empty register has one empty data row.
    int Rows() const;
    int Cols() const;
    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // The first cells of `row` at once from UTF-8 text, kept as it is: the
    // quick way to fill many rows.
    void setRowTextMatrixUtf8(int row, std::span<const std::string_view> texts);
    // Text colour of one cell, or of every cell of a row: the register marks
    // cancelled claims red.
    void setCellForeColor(int row, int col, const QColor& color);
    void setRowForeColor(int row, const QColor& color);

    // Appends a data row from tab-separated texts.
    void AddItem(const QString& tabSeparated);
    // Current column 0, the selection extended to the last column of the current row.
    void selectCurrentRow();
    // Scrolls so that `row` is the top visible row, as far as the view can.
    void setTopRow(int row);

    // Captions and starting widths from "Caption<blanks>|Caption<blanks>|...":
    // one column per piece, as wide as the piece (blanks included).
    void setFormatString(const QString& format);
    int ColWidth(int col) const;  // twips
    void setColWidth(int col, int twips);  // 0 leaves the column out of sight
    void setColAlignment(int col, Qt::Alignment alignment);
    // Sorts the data rows on `col` (the generic sort of ClaimListModel).
    void Sort(int col, Qt::SortOrder order);

    ClaimListModel* claimModel() const { return model_; }

signals:
    // The current cell moved (by mouse, keys or the program).
    void currentCellChanged();
    void Click();
    void DblClick();
    // Every key pressed in the grid, as its Qt key.
    void KeyDown(int key);
    // Enter as character 13, Ctrl+Enter as character 10.
    void KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void requireCell(int row, int col) const;

    ClaimListModel* model_;
};

}  // namespace ZQ5Reimbursement
