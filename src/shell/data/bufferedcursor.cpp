#include "bufferedcursor.h"

namespace adodb {

BufferedCursor::BufferedCursor(Cursor& source) {
    for (int column = 0; column < source.columnCount(); ++column)
        names_ << source.columnName(column);
    for (; !source.atEnd(); source.next(), ++rowCount_)
        for (int column = 0; column < source.columnCount(); ++column)
            cells_.push_back(source.value(column));
}

}  // namespace adodb
