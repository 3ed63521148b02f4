// Compact storage for many short texts: UTF-8 bytes, each behind its length,
// a row's texts one after another, in blocks that never move, so a million
// rows cost little more than their text and growing never copies what is stored.
#pragma once

#include <QString>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace ZQ5Reimbursement {

class TextArena {
public:
    using Ref = std::uint32_t;
    static constexpr Ref EmptyText = 0;

    TextArena();

    // Stores the texts one after another and returns where they start; texts
    // that are all empty are EmptyText and cost nothing.
    Ref add(std::span<const std::string_view> texts);
    // The index-th of the texts stored together at `ref`.
    std::string_view bytes(Ref ref, std::size_t index = 0) const {
        if (ref == EmptyText)
            return {};
        const char* at = blocks_[ref >> OffsetBits].data.get() + (ref & (BlockSize - 1));
        for (;; --index) {
            std::size_t length = 0;
            for (int shift = 0;; shift += 7) {
                const auto byte = static_cast<unsigned char>(*at++);
                length |= std::size_t{byte & 0x7Fu} << shift;
                if ((byte & 0x80) == 0)
                    break;
            }
            if (index == 0)
                return {at, length};
            at += length;
        }
    }
    QString text(Ref ref, std::size_t index = 0) const { return QString::fromUtf8(bytes(ref, index)); }

    void clear();
    std::size_t allocatedBytes() const { return allocated_; }

private:
    static constexpr int OffsetBits = 20;
    static constexpr std::size_t BlockSize = std::size_t{1} << OffsetBits;
    static constexpr std::size_t MaxBlocks = std::size_t{1} << (32 - OffsetBits);

    char* reserve(std::size_t size, Ref& ref);

    struct Block {
        std::unique_ptr<char[]> data;
        std::size_t capacity = 0;
    };
    std::vector<Block> blocks_;
    std::size_t used_ = 0;  // bytes used in the last block
    std::size_t allocated_ = 0;
};

// A growable array in fixed blocks: appending never moves what is stored.
template <class T>
class ChunkedArray {
public:
    std::size_t size() const { return size_; }
    T& operator[](std::size_t i) { return blocks_[i >> Bits][i & Mask]; }
    const T& operator[](std::size_t i) const { return blocks_[i >> Bits][i & Mask]; }

    void append(std::size_t count, const T& value) {
        while (count > 0) {
            if ((size_ & Mask) == 0 && (size_ >> Bits) == blocks_.size())
                blocks_.push_back(std::make_unique_for_overwrite<T[]>(BlockLength));
            const std::size_t inBlock = std::min(count, BlockLength - (size_ & Mask));
            std::fill_n(&(*this)[size_], inBlock, value);
            size_ += inBlock;
            count -= inBlock;
        }
    }
    void clear() {
        blocks_.clear();
        size_ = 0;
    }
    std::size_t allocatedBytes() const {
        return blocks_.size() * BlockLength * sizeof(T) + blocks_.capacity() * sizeof(blocks_[0]);
    }

private:
    static constexpr int Bits = 16;
    static constexpr std::size_t BlockLength = std::size_t{1} << Bits;
    static constexpr std::size_t Mask = BlockLength - 1;
    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
};

}  // namespace ZQ5Reimbursement
