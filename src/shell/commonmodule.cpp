#include "commonmodule.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <QTreeWidget>

namespace CommonModule {

namespace {

const QString serialNumberExpression = QStringLiteral("SLNO");

QString withCondition(const QString& sql, const QString& condition) {
    return condition.isEmpty() ? sql : sql + QStringLiteral(" where ") + condition;
}

}  // namespace

const std::shared_ptr<adodb::Connection>& clsCommonDB::connection() const {
    if (!connection_)
        throw adodb::Error(adodb::adErrInvalidConnection, QStringLiteral("CommonModule.clsCommonDB"),
                           QStringLiteral("The connection cannot be used to perform this operation. "
                                          "It is either closed or invalid in this context."));
    return connection_;
}

QString clsCommonDB::fnReturnField(const QString& field, const QString& condition) {
    adodb::Recordset rs;
    rs.Open(withCondition(QStringLiteral("select ") + field + QStringLiteral(" from ") + tablename_, condition),
            connection());
    return rs.isEOF() ? QString() : rs.Fields(0).textOrEmpty();
}

std::int32_t clsCommonDB::fnGetNextMaxNo(const QString& field) {
    adodb::Recordset rs;
    rs.Open(QStringLiteral("select isnull(max(") + field + QStringLiteral("),0)+1 from ") + tablename_,
            connection());
    return static_cast<std::int32_t>(rs.Fields(0).Value().toLongLong());
}

void clsCommonDB::populateComboorList(QComboBox* combo, const QString& valueField, const QString& textField,
                                      const QString& condition) {
    adodb::Recordset rs;
    rs.Open(withCondition(QStringLiteral("select ") + valueField + QStringLiteral(", ") + textField
                              + QStringLiteral(" from ") + tablename_,
                          condition),
            connection());
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (; !rs.isEOF(); rs.MoveNext())
        combo->addItem(rs.Fields(1).textOrEmpty(), QVariant(rs.Fields(0).Value().toLongLong()));
    combo->setCurrentIndex(-1);
}

void clsCommonDB::PopulateListview(QTreeWidget* list, const QString& table, const QString& condition,
                                   const QString& column1, const QString& column2, const QString& column3,
                                   const QString& column4) {
    const QStringList columns{column1, column2, column3, column4};
    QStringList selected;
    for (const QString& column : columns)
        if (column.compare(serialNumberExpression, Qt::CaseInsensitive) != 0)
            selected << column;
    if (selected.isEmpty())
        selected << QStringLiteral("1");

    adodb::Recordset rs;
    rs.Open(withCondition(QStringLiteral("select ") + selected.join(QStringLiteral(", ")) + QStringLiteral(" from ")
                              + table,
                          condition),
            connection());
    list->clear();
    for (int serial = 1; !rs.isEOF(); rs.MoveNext(), ++serial) {
        auto* item = new QTreeWidgetItem(list);
        int field = 0;
        for (int column = 0; column < columns.size(); ++column) {
            const bool isSerial = columns[column].compare(serialNumberExpression, Qt::CaseInsensitive) == 0;
            item->setText(column, isSerial ? QString::number(serial) : rs.Fields(field++).textOrEmpty());
        }
    }
}

void clsCommonDB::fnDeleteListview(bool keepSelection, QTreeWidget* list, bool renumber) {
    QTreeWidgetItem* current = list->currentItem();
    if (!current)
        return;
    delete current;
    if (renumber)
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            list->topLevelItem(row)->setText(0, QString::number(row + 1));
    if (!keepSelection) {
        list->clearSelection();
        list->setCurrentItem(nullptr);
    } else if (QTreeWidgetItem* next = list->currentItem()) {
        next->setSelected(true);
    }
}

void clsCommonGen::SelectComboItemByValue(QComboBox* combo, qlonglong value) {
    const int index = combo->findData(QVariant(value));
    if (index >= 0)
        combo->setCurrentIndex(index);
}

void clsCommonGen::TextValidateNum(QLineEdit* box, int& keyAscii, int maxLength, int decimals) {
    if (keyAscii < 32)
        return;  // backspace, Enter and the other control keys edit, they do not spoil
    // Compared as code points: a character beyond U+FFFF is no QChar.
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!digit && keyAscii != '.') {
        keyAscii = 0;
        return;
    }
    // The text as it would read with the key typed over the selection at the caret.
    QString text = box->text();
    const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    text.replace(start, box->selectedText().size(), QChar(char16_t(keyAscii)));

    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const bool secondPoint = point >= 0 && text.indexOf(QLatin1Char('.'), point + 1) >= 0;
    const bool tooManyDecimals = point >= 0 && text.size() - point - 1 > decimals;
    if (secondPoint || tooManyDecimals || text.size() > maxLength)
        keyAscii = 0;
}

}  // namespace CommonModule
