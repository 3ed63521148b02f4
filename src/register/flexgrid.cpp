#include "flexgrid.h"

#include "claimlistmodel.h"
#include "conversions.h"
#include "shell/basreimbursement.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace ZQ5Reimbursement {

namespace {
// Room around a caption, as the grid's cells leave it.
constexpr int cellPadding = 8;
}

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new ClaimListModel(this)) {
    // As the grid starts: two columns, the header row and one empty data row.
    model_->setCaptions({QString(), QString()});
    model_->appendRow();
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setMouseTracking(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &FlexGrid::currentCellChanged);
}

int FlexGrid::Rows() const { return model_->rowCount() + 1; }

int FlexGrid::Cols() const { return model_->columnCount(); }

int FlexGrid::Row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

int FlexGrid::Col() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 0;
}

void FlexGrid::requireCell(int row, int col) const {
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        raiseRegisterError(errSubscriptOutOfRange);
}

void FlexGrid::setRow(int row) {
    requireCell(row, Col());
    if (row == 0)
        raiseRegisterError(errSubscriptOutOfRange);  // the header row cannot be current
    setCurrentIndex(model_->index(row - 1, Col()));
}

void FlexGrid::setCol(int col) {
    requireCell(Row(), col);
    setCurrentIndex(model_->index(Row() - 1, col));
}

QString FlexGrid::TextMatrix(int row, int col) const {
    requireCell(row, col);
    return row == 0 ? model_->caption(col) : model_->text(row - 1, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    requireCell(row, col);
    if (row == 0)
        model_->setCaption(col, text);
    else
        model_->setText(row - 1, col, text);
}

void FlexGrid::setRowTextMatrixUtf8(int row, std::span<const std::string_view> texts) {
    requireCell(row, int(texts.size()) - 1);
    if (row > 0) {
        model_->setRowUtf8(row - 1, texts);
        return;
    }
    for (std::size_t col = 0; col < texts.size(); ++col)
        model_->setCaption(int(col), QString::fromUtf8(texts[col]));
}

void FlexGrid::setCellForeColor(int row, int col, const QColor& color) {
    requireCell(row, col);
    if (row > 0)
        model_->setForeColor(row - 1, col, color);
}

void FlexGrid::setRowForeColor(int row, const QColor& color) {
    requireCell(row, 0);
    if (row > 0)
        model_->setRowForeColor(row - 1, color);
}

void FlexGrid::AddItem(const QString& tabSeparated) { model_->appendRow(tabSeparated.split(QLatin1Char('\t'))); }

void FlexGrid::selectCurrentRow() {
    setCol(0);
    const int row = Row() - 1;
    selectionModel()->select(QItemSelection(model_->index(row, 0), model_->index(row, Cols() - 1)),
                             QItemSelectionModel::ClearAndSelect);
}

void FlexGrid::setTopRow(int row) {
    requireCell(row, 0);
    if (row > 0)
        scrollTo(model_->index(row - 1, Col()), QAbstractItemView::PositionAtTop);
}

void FlexGrid::setFormatString(const QString& format) {
    const QStringList pieces = format.split(QLatin1Char('|'));
    QStringList captions;
    for (const QString& piece : pieces) {
        QString caption = piece;
        while (caption.endsWith(QLatin1Char(' ')))
            caption.chop(1);
        captions << caption;
    }
    model_->setCaptions(captions);
    for (int col = 0; col < pieces.size(); ++col)
        setColumnWidth(col, horizontalHeader()->fontMetrics().horizontalAdvance(pieces[col]) + cellPadding);
}

int FlexGrid::ColWidth(int col) const {
    requireCell(0, col);
    return columnWidth(col) * 15;
}

void FlexGrid::setColWidth(int col, int width) {
    requireCell(0, col);
    // A zero-wide column is still there: keys move the rows when it is current.
    setColumnWidth(col, twips(std::max(width, 0)));
}

void FlexGrid::setColAlignment(int col, Qt::Alignment alignment) {
    requireCell(0, col);
    model_->setAlignment(col, alignment);
}

void FlexGrid::Sort(int col, Qt::SortOrder order) {
    requireCell(0, col);
    model_->sort(col, order);
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(event->key());
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit KeyPress(event->modifiers().testFlag(Qt::ControlModifier) ? 10 : 13);
        event->accept();  // Enter belongs to the grid, not to a default button
        return;
    }
    QTableView::keyPressEvent(event);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit Click();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
    const QModelIndex under = indexAt(event->position().toPoint());
    setToolTip(under.isValid() ? model_->text(under.row(), under.column()) : QString());
    QTableView::mouseMoveEvent(event);
}

}  // namespace ZQ5Reimbursement
