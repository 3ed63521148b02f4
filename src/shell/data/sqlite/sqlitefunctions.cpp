#include "sqlitefunctions.h"

#include "sqlitequickfunctions.h"
#include "sqlitestatement.h"
#include "tsql/tsqlfunctions.h"
#include "tsql/tsqltext.h"

#include <exception>

namespace adodb {

namespace {

using TsqlFunction = QVariant (*)(const QVariantList&);

template <TsqlFunction function, QuickFunction quick = nullptr>
void call(sqlite3_context* context, int count, sqlite3_value** values) {
    if constexpr (quick != nullptr)
        if (quick(context, values))
            return;
    QVariantList arguments;
    arguments.reserve(count);
    for (int i = 0; i < count; ++i)
        arguments << engineValue(values[i]);
    try {
        setResult(context, function(arguments));
    } catch (const std::exception& failure) {
        sqlite3_result_error(context, failure.what(), -1);
    }
}

// SQLite calls like(pattern, value [, escape]) for "value LIKE pattern".
QVariant likeWithPatternFirst(const QVariantList& arguments) {
    QVariantList reordered = arguments;
    reordered.swapItemsAt(0, 1);
    return tsqlLike(reordered);
}

int compareText(void*, int aLength, const void* a, int bLength, const void* b) {
    return compareTsqlTextUtf8(static_cast<const char*>(a), aLength, static_cast<const char*>(b), bLength);
}

struct Definition {
    const char* name;
    int arguments;
    void (*call)(sqlite3_context*, int, sqlite3_value**);
};

constexpr Definition definitions[] = {
    {"len", 1, call<tsqlLen, quickLen>},
    {"zq_left", 2, call<tsqlLeft, quickLeft>},
    {"zq_right", 2, call<tsqlRight, quickRight>},
    {"substring", 3, call<tsqlSubstring, quickSubstring>},
    {"isnumeric", 1, call<tsqlIsNumeric, quickIsNumeric>},
    {"zq_convert", 2, call<tsqlConvert, quickConvert>},
    {"like", 2, call<likeWithPatternFirst>},
    {"like", 3, call<likeWithPatternFirst>},
};

}  // namespace

void registerTsqlFunctions(sqlite3* db) {
    for (const Definition& definition : definitions)
        if (sqlite3_create_function_v2(db, definition.name, definition.arguments,
                                       SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, definition.call, nullptr,
                                       nullptr, nullptr) != SQLITE_OK)
            raiseEngineError(db);
    if (sqlite3_create_collation_v2(db, tsqlTextCollation, SQLITE_UTF8, nullptr, compareText, nullptr) != SQLITE_OK)
        raiseEngineError(db);
}

}  // namespace adodb
