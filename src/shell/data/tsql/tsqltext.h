// SQL Server's default text comparison, whatever collation a file declares:
// letter case does not count (Unicode case folding) and trailing blanks are
// ignored, so 'abc' = 'ABC  '. Engines that compare otherwise register these
// rules under tsqlTextCollation and as LIKE.
#pragma once

#include <QStringView>

#include <optional>

namespace adodb {

// The collation name the translation puts on text comparisons.
inline constexpr char tsqlTextCollation[] = "zq_text";

// Negative, zero or positive as `a` sorts before, with or after `b`.
int compareTsqlText(QStringView a, QStringView b);
// The same on UTF-8 bytes, without decoding plain ASCII.
int compareTsqlTextUtf8(const char* a, int aLength, const char* b, int bLength);

// `value` LIKE `pattern` [ESCAPE `escape`]: % any run, _ one character,
// [abc], [a-f] and [^abc] sets, letter case not counting; blanks trailing the
// value are ignored, those trailing the pattern are not.
bool likeTsql(QStringView value, QStringView pattern, std::optional<char32_t> escape = std::nullopt);

}  // namespace adodb
