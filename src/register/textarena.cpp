#include "textarena.h"

#include <ZQ5Reimbursement/adodb.h>

#include <algorithm>
#include <cstring>

namespace ZQ5Reimbursement {

namespace {

std::size_t lengthPrefixSize(std::size_t length) {
    if (length < 0x80)
        return 1;  // most texts
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
    reserve(1, unused);  // offset 0 of the first block is EmptyText
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

TextArena::Ref TextArena::add(std::span<const std::string_view> texts) {
    std::size_t size = 0;
    for (const std::string_view text : texts)
        size += lengthPrefixSize(text.size()) + text.size();
    if (size == texts.size())
        return EmptyText;  // one zero length each: nothing to keep
    Ref ref = 0;
    char* out = reserve(size, ref);
    for (const std::string_view text : texts) {
        std::size_t length = text.size();
        for (; length >= 0x80; length >>= 7)
            *out++ = static_cast<char>(0x80 | (length & 0x7F));
        *out++ = static_cast<char>(length);
        out = std::copy(text.begin(), text.end(), out);
    }
    return ref;
}


}  // namespace ZQ5Reimbursement
