#include "tsqltext.h"

#include <QChar>
#include <QString>

#include <string>
#include <vector>

namespace adodb {

namespace {

constexpr char32_t blank = U' ';

QStringView withoutTrailingBlanks(QStringView text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QChar(blank))
        --end;
    return text.first(end);
}

char32_t fold(char32_t c) { return QChar::toCaseFolded(c); }

// The code point at `i`, a surrogate pair taken whole; `i` moves past it.
char32_t nextCodePoint(QStringView text, qsizetype& i) {
    const QChar c = text.at(i++);
    if (c.isHighSurrogate() && i < text.size() && text.at(i).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(i++));
    return c.unicode();
}

std::u32string codePoints(QStringView text) {
    std::u32string points;
    points.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size();)
        points.push_back(nextCodePoint(text, i));
    return points;
}

bool isAscii(const char* bytes, int length) {
    for (int i = 0; i < length; ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    return true;
}

int trimmedLength(const char* bytes, int length) {
    while (length > 0 && bytes[length - 1] == ' ')
        --length;
    return length;
}

char asciiFold(char c) { return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c; }

// One place of a LIKE pattern.
struct PatternElement {
    enum Kind { AnyRun, OneCharacter, Set, Character };

    explicit PatternElement(Kind kind, char32_t character = 0) : kind(kind), character(character) {}

    Kind kind;
    char32_t character;
    std::vector<std::pair<char32_t, char32_t>> ranges;  // of a set
    bool negated = false;

    bool matches(char32_t c) const {
        switch (kind) {
        case OneCharacter:
            return true;
        case Character:
            return fold(c) == fold(character);
        case Set:
            for (const auto& [low, high] : ranges)
                if ((c >= low && c <= high) || (fold(c) >= fold(low) && fold(c) <= fold(high)))
                    return !negated;
            return negated;
        case AnyRun:
            break;
        }
        return false;
    }
};

// "[...]" from `open`; nullopt when it is not closed, and then '[' stands for itself.
std::optional<PatternElement> parseSet(const std::u32string& pattern, std::size_t& open) {
    std::size_t i = open + 1;
    PatternElement set(PatternElement::Set);
    if (i < pattern.size() && pattern[i] == U'^') {
        set.negated = true;
        ++i;
    }
    const std::size_t close = pattern.find(U']', i);
    if (close == std::u32string::npos)
        return std::nullopt;
    for (; i < close; ++i) {
        const bool range = i + 2 < close && pattern[i + 1] == U'-';
        set.ranges.emplace_back(pattern[i], range ? pattern[i + 2] : pattern[i]);
        if (range)
            i += 2;
    }
    open = close;
    return set;
}

std::vector<PatternElement> parsePattern(const std::u32string& pattern, std::optional<char32_t> escape) {
    std::vector<PatternElement> elements;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char32_t c = pattern[i];
        if (escape && c == *escape && i + 1 < pattern.size()) {
            elements.emplace_back(PatternElement::Character, pattern[++i]);
        } else if (c == U'%') {
            if (elements.empty() || elements.back().kind != PatternElement::AnyRun)
                elements.emplace_back(PatternElement::AnyRun);
        } else if (c == U'_') {
            elements.emplace_back(PatternElement::OneCharacter);
        } else if (c == U'[') {
            if (std::optional<PatternElement> set = parseSet(pattern, i))
                elements.push_back(std::move(*set));
            else
                elements.emplace_back(PatternElement::Character, c);
        } else {
            elements.emplace_back(PatternElement::Character, c);
        }
    }
    return elements;
}

// Every element matched in turn; a mismatch goes back to the last % and lets
// it take one more character, which is enough when all else is one character wide.
bool matchesPattern(const std::u32string& value, const std::vector<PatternElement>& elements) {
    std::size_t v = 0;
    std::size_t e = 0;
    std::optional<std::size_t> lastRun;
    std::size_t runStart = 0;
    while (v < value.size()) {
        if (e < elements.size() && elements[e].kind == PatternElement::AnyRun) {
            lastRun = e++;
            runStart = v;
        } else if (e < elements.size() && elements[e].matches(value[v])) {
            ++v;
            ++e;
        } else if (lastRun) {
            e = *lastRun + 1;
            v = ++runStart;
        } else {
            return false;
        }
    }
    while (e < elements.size() && elements[e].kind == PatternElement::AnyRun)
        ++e;
    return e == elements.size();
}

}  // namespace

int compareTsqlText(QStringView a, QStringView b) {
    a = withoutTrailingBlanks(a);
    b = withoutTrailingBlanks(b);
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = fold(nextCodePoint(a, i));
        const char32_t y = fold(nextCodePoint(b, j));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return (i < a.size()) - (j < b.size());
}

int compareTsqlTextUtf8(const char* a, int aLength, const char* b, int bLength) {
    if (!isAscii(a, aLength) || !isAscii(b, bLength))
        return compareTsqlText(QString::fromUtf8(a, aLength), QString::fromUtf8(b, bLength));
    aLength = trimmedLength(a, aLength);
    bLength = trimmedLength(b, bLength);
    for (int i = 0; i < aLength && i < bLength; ++i) {
        const char x = asciiFold(a[i]);
        const char y = asciiFold(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return (aLength > bLength) - (aLength < bLength);
}

bool likeTsql(QStringView value, QStringView pattern, std::optional<char32_t> escape) {
    const std::vector<PatternElement> elements = parsePattern(codePoints(pattern), escape);
    return matchesPattern(codePoints(value), elements) ||
           matchesPattern(codePoints(withoutTrailingBlanks(value)), elements);
}

}  // namespace adodb
