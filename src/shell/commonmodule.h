// The suite's common services, in the least form the module's callers need:
// single-value reads, next IDs, combo and list filling, and a numeric key
// filter. Created by ProgID ("CommonModule.clsCommonDB", "CommonModule.clsCommonGen").
#pragma once

#include <ZQ5Reimbursement/clsReimbursement.h>

#include <QString>

#include <cstdint>
#include <memory>

class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace CommonModule {

class clsCommonDB : public ZQ5Reimbursement::ComObject {
public:
    std::shared_ptr<adodb::Connection> adocon() const { return connection_; }
    void setadocon(std::shared_ptr<adodb::Connection> connection) { connection_ = std::move(connection); }

    // The from-text of the next read: a table, or tables with aliases and
    // " where " plus a condition.
    QString strTablename() const { return tablename_; }
    void setstrTablename(QString from) { tablename_ = std::move(from); }

    // The field's value, as text, in the first row of strTablename matching
    // `condition`; empty when no row matches or the value is NULL.
    QString fnReturnField(const QString& field, const QString& condition = {});
    // A value of `field` that no row of strTablename holds yet (max + 1).
    std::int32_t fnGetNextMaxNo(const QString& field);
    // Replaces the combo's items by one per row: `textField` shown, `valueField`
    // (which may start with "distinct") as the item's Qt::UserRole data. No
    // item is selected afterwards, and no signal reports the refill.
    void populateComboorList(QComboBox* combo, const QString& valueField, const QString& textField,
                             const QString& condition = {});
    // Replaces the list's rows by one per table row, in the order read; the
    // expression "SLNO" yields 1, 2, 3 ..., NULL values give "".
    void PopulateListview(QTreeWidget* list, const QString& table, const QString& condition,
                          const QString& column1, const QString& column2, const QString& column3,
                          const QString& column4);
    // Removes the current row; with `renumber` the first column is numbered
    // 1, 2, 3 ... again. With `keepSelection` the row that takes its place is
    // selected, otherwise nothing is. No current row: nothing happens.
    void fnDeleteListview(bool keepSelection, QTreeWidget* list, bool renumber);

private:
    // The assigned connection; raises when none was assigned.
    const std::shared_ptr<adodb::Connection>& connection() const;

    std::shared_ptr<adodb::Connection> connection_;
    QString tablename_;
};

class clsCommonGen : public ZQ5Reimbursement::ComObject {
public:
    // Makes the item whose data equals `value` current, which runs the
    // combo's handling as a user's choice would (currentIndexChanged). A value
    // no item carries leaves the combo as it is.
    void SelectComboItemByValue(QComboBox* combo, qlonglong value);
    // Key filter for amount boxes: a key that would spoil a number of at
    // most `maxLength` characters and `decimals` decimals comes back as 0.
    // Digits and one '.' pass, as do control keys (backspace 8, Enter 13).
    void TextValidateNum(QLineEdit* box, int& keyAscii, int maxLength, int decimals);
};

}  // namespace CommonModule
