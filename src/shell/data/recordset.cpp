#include "errors.h"
#include "provider.h"

namespace adodb {

Recordset::Recordset() = default;

Recordset::~Recordset() = default;

void Recordset::Open(const QString& sql, const std::shared_ptr<Connection>& connection, CursorTypeEnum cursorType,
                     LockTypeEnum lockType) {
    // Rows are never changed through a recordset, so every lock type reads alike.
    Q_UNUSED(lockType);
    if (cursor_)
        raiseObjectOpen();
    if (!connection)
        raiseInvalidConnection();
    const bool buffered = cursorType == adOpenKeyset || cursorType == adOpenStatic || cursorType == adOpenDynamic;
    cursor_ = connection->providerFor(sql).query(sql, buffered);
}

void Recordset::Close() {
    if (!cursor_)
        raiseObjectClosed();
    cursor_.reset();
}

long Recordset::State() const { return cursor_ ? adStateOpen : adStateClosed; }

bool Recordset::isEOF() const {
    if (!cursor_)
        raiseObjectClosed();
    return cursor_->atEnd();
}

void Recordset::MoveNext() {
    requireRecord();
    cursor_->next();
}

int Recordset::FieldCount() const {
    if (!cursor_)
        raiseObjectClosed();
    return cursor_->columnCount();
}

Field Recordset::Fields(int index) const {
    requireField(index);
    return Field(cursor_->columnName(index), cursor_->value(index));
}

Field Recordset::Fields(const QString& name) const {
    for (int index = 0; index < FieldCount(); ++index)
        if (cursor_->columnName(index).compare(name, Qt::CaseInsensitive) == 0)
            return Fields(index);
    raiseItemNotFound();
}

std::string_view Recordset::fieldTextUtf8(int index) const {
    requireField(index);
    const std::optional<std::string_view> text = cursor_->utf8Text(index);
    if (!text)
        raiseInvalidUseOfNull();
    return *text;
}

void Recordset::fieldTextsUtf8(std::span<std::string_view> texts) const {
    if (!texts.empty())
        requireField(int(texts.size()) - 1);
    if (!cursor_->utf8Texts(texts))
        raiseInvalidUseOfNull();
}

void Recordset::requireRecord() const {
    if (isEOF())
        raiseNoCurrentRecord();
}

void Recordset::requireField(int index) const {
    if (index < 0 || index >= FieldCount())
        raiseItemNotFound();
    requireRecord();
}

}  // namespace adodb
