#include "textarena.h"

#include <ZQ5Reimbursement/adodb.h>

#include <algorithm>
#include <cstring>

namespace ZQ5Reimbursement {

namespace {

// UTF-8 length of UTF-16 text; an unpaired surrogate becomes U+FFFD (3 bytes).
std::size_t utf8Length(const QChar* text, qsizetype length) {
    std::size_t bytes = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80)
            bytes += 1;
        else if (c < 0x800)
            bytes += 2;
        else if (QChar::isHighSurrogate(c) && i + 1 < length && QChar::isLowSurrogate(text[i + 1].unicode())) {
            bytes += 4;
            ++i;
        } else
            bytes += 3;
    }
    return bytes;
}

char* writeUtf8(const QChar* text, qsizetype length, char* out) {
    for (qsizetype i = 0; i < length; ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x80) {
            *out++ = static_cast<char>(c);
            continue;
        }
        if (c < 0x800) {
            *out++ = static_cast<char>(0xC0 | (c >> 6));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < length && QChar::isLowSurrogate(text[i + 1].unicode())) {
            c = QChar::surrogateToUcs4(static_cast<char16_t>(c), text[++i].unicode());
            *out++ = static_cast<char>(0xF0 | (c >> 18));
            *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        } else {
            if (QChar::isSurrogate(c))
                c = QChar::ReplacementCharacter;
            *out++ = static_cast<char>(0xE0 | (c >> 12));
        }
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::size_t lengthPrefixSize(std::size_t length) {
    std::size_t size = 1;
    for (; length >= 0x80; length >>= 7)
        ++size;
    return size;
}

}  // namespace

TextArena::TextArena() { clear(); }

void TextArena::clear() {
    blocks_.clear();
    allocated_ = 0;
    Ref unused = 0;
    reserve(1, unused)[0] = 0;  // EmptyText: a zero length at offset 0
}

char* TextArena::reserve(std::size_t size, Ref& ref) {
    if (blocks_.empty() || used_ + size > blocks_.back().capacity) {
        if (blocks_.size() == MaxBlocks)
            throw adodb::Error(7, QStringLiteral("ZQ5Reimbursement"), QStringLiteral("Out of memory"));
        const std::size_t capacity = std::max(size, BlockSize);
        blocks_.push_back({std::make_unique_for_overwrite<char[]>(capacity), capacity});
        allocated_ += capacity;
        used_ = 0;
    }
    ref = static_cast<Ref>(((blocks_.size() - 1) << OffsetBits) | used_);
    char* start = blocks_.back().data.get() + used_;
    used_ += size;
    // A text larger than a block has a block of its own; nothing follows it there.
    if (used_ >= BlockSize)
        used_ = blocks_.back().capacity;
    return start;
}

char* TextArena::reserveText(std::size_t length, Ref& ref) {
    char* out = reserve(lengthPrefixSize(length) + length, ref);
    for (; length >= 0x80; length >>= 7)
        *out++ = static_cast<char>(0x80 | (length & 0x7F));
    *out++ = static_cast<char>(length);
    return out;
}

TextArena::Ref TextArena::add(const QString& text) {
    if (text.isEmpty())
        return EmptyText;
    Ref ref = 0;
    writeUtf8(text.constData(), text.size(), reserveText(utf8Length(text.constData(), text.size()), ref));
    return ref;
}

TextArena::Ref TextArena::add(std::string_view utf8) {
    if (utf8.empty())
        return EmptyText;
    Ref ref = 0;
    std::memcpy(reserveText(utf8.size(), ref), utf8.data(), utf8.size());
    return ref;
}

std::string_view TextArena::bytes(Ref ref) const {
    const char* at = blocks_[ref >> OffsetBits].data.get() + (ref & (BlockSize - 1));
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*at++);
        length |= std::size_t{byte & 0x7Fu} << shift;
        if ((byte & 0x80) == 0)
            break;
    }
    return {at, length};
}

}  // namespace ZQ5Reimbursement
