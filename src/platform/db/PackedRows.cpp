#include "platform/db/PackedRows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <new>

namespace platform::db {
namespace {

using Tag = RowBytes::Tag;

// Blocks large enough that taking one is rare, small enough that the last one's unused end does not count.
constexpr size_t BlockBytes = 1 << 20;

// The blocks of rows let go of, kept for the next read: every activation of the manager and its Exit read the
// whole table again just after the old rows go, and memory already mapped is quicker to fill than fresh
// pages. Never more than the largest set let go of since the last read, which frees what it did not take:
// the new rows take the old ones' place, and the memory does not outlast the rows by more than one read.
template <class Block> class Spares {
public:
    explicit Spares(size_t bytes) : bytes_(bytes) {}
    Block take() {
        {
            const std::lock_guard lock(mutex_);
            if (!spare_.empty()) {
                Block block = std::move(spare_.back());
                spare_.pop_back();
                return block;
            }
        }
        auto* const block = static_cast<typename Block::pointer>(std::malloc(bytes_));
        if (!block)
            throw std::bad_alloc();
        return Block(block);
    }
    // Only blocks of the usual size are kept, those not listed as odd (in order).
    void keep(std::vector<Block>& blocks, const std::vector<size_t>& odd = {}) noexcept {
        const size_t whole = blocks.size() - odd.size();
        {
            const std::lock_guard lock(mutex_);
            size_t room = 0;
            try {
                spare_.reserve(whole);
                room = whole;
            } catch (const std::bad_alloc&) {
                // Nothing kept, then.
            }
            auto nextOdd = odd.begin();
            for (size_t b = 0; b < blocks.size() && spare_.size() < room; ++b) {
                if (nextOdd != odd.end() && *nextOdd == b)
                    ++nextOdd;
                else
                    spare_.push_back(std::move(blocks[b]));
            }
        }
        std::vector<Block>().swap(blocks);
    }
    void drop() {
        std::vector<Block> dropped;
        {
            const std::lock_guard lock(mutex_);
            dropped.swap(spare_);
        }
    }
    size_t bytes() {
        const std::lock_guard lock(mutex_);
        return spare_.size() * bytes_;
    }

private:
    const size_t bytes_;
    std::mutex mutex_;
    std::vector<Block> spare_;
};

using IndexBlock = std::unique_ptr<quint64[], FreeBlock>;
using ByteBlock = std::unique_ptr<char[], FreeBlock>;
constexpr size_t IndexBlockBytes = (size_t(1) << 12) * sizeof(quint64);
Spares<IndexBlock> spareIndexBlocks(IndexBlockBytes);
Spares<ByteBlock> spareBlocks(BlockBytes);

} // namespace

char* RowBytes::grow(size_t bytes) {
    capacity_ = std::max({size_ + bytes, 2 * capacity_, size_t(256)});
    auto larger = std::make_unique_for_overwrite<char[]>(capacity_);
    std::copy_n(bytes_.get(), size_, larger.get());
    bytes_ = std::move(larger);
    return bytes_.get() + size_;
}

void RowBytes::value(const Value& value) {
    switch (value.kind()) {
    case Value::Kind::Null:
        return null();
    case Value::Kind::Text:
        utf8_ = value.textData()->toUtf8();
        return text(utf8_.constData(), size_t(utf8_.size()));
    case Value::Kind::Number:
        return real(value.number());
    case Value::Kind::Integer:
        return integer(value.integer());
    case Value::Kind::DateTime:
        return date(value.dateTime().days());
    }
}

quint64 PackedRows::place(qint64 key, const RowBytes& row) {
    const size_t size = MaxKeyBytes + row.size();
    if (blocks_.empty() || blockSize_ - used_ < size) {
        // A row larger than a block gets a block of its own size.
        const size_t blockSize = std::max(BlockBytes, size);
        // Room for this block's place among the odd ones, and for the trimmed last one's.
        if (oddBlocks_.capacity() < oddBlocks_.size() + 2)
            oddBlocks_.reserve(2 * oddBlocks_.size() + 2);
        if (blockSize == BlockBytes) {
            blocks_.push_back(spareBlocks.take());
        } else {
            ByteBlock block(static_cast<char*>(std::malloc(blockSize)));
            if (!block)
                throw std::bad_alloc();
            blocks_.push_back(std::move(block));
            oddBlocks_.push_back(blocks_.size() - 1);
        }
        blockSize_ = blockSize;
        used_ = 0;
    }
    return write(key, row);
}

size_t PackedRows::appendToNewBlock(qint64 key, const RowBytes& row) {
    if ((count_ >> IndexBlockBits) == indexBlocks_.size())
        indexBlocks_.push_back(spareIndexBlocks.take());
    static_assert(IndexBlockBytes == sizeof(quint64) << IndexBlockBits);
    index(count_) = place(key, row);
    return count_++;
}

void PackedRows::replace(size_t sequence, const RowBytes& row) {
    index(sequence) = place(key(sequence), row);
}

void PackedRows::clear() {
    spareIndexBlocks.keep(indexBlocks_);
    spareBlocks.keep(blocks_, oddBlocks_);
    std::vector<size_t>().swap(oddBlocks_);
    count_ = blockSize_ = used_ = 0;
}

size_t PackedRows::spareBytes() {
    return spareIndexBlocks.bytes() + spareBlocks.bytes();
}

void PackedRows::trim() {
    spareIndexBlocks.drop();
    spareBlocks.drop();
    if (blocks_.empty() || used_ == blockSize_)
        return;
    // Shrinking keeps the bytes where they are; should it fail, the block stays as it was.
    if (auto* const smaller = static_cast<char*>(std::realloc(blocks_.back().get(), std::max(used_, size_t(1))))) {
        [[maybe_unused]] char* const old = blocks_.back().release();
        blocks_.back().reset(smaller);
        if (blockSize_ == BlockBytes)
            oddBlocks_.push_back(blocks_.size() - 1);
        blockSize_ = std::max(used_, size_t(1));
    }
}

const char* PackedRows::skipCells(const char* p, int cells) {
    for (int c = 0; c < cells; ++c) {
        switch (*p++) {
        case Tag::Text:
            p += readVarint(p);
            break;
        case Tag::Integer:
        case Tag::WholeDate:
            readVarint(p);
            break;
        case Tag::Real:
        case Tag::Date:
            p += sizeof(double);
            break;
        }
    }
    return p;
}

Value PackedRows::value(size_t sequence, int column) const {
    const char* p = cell(sequence, column);
    switch (const char tag = *p++) {
    case Tag::RowKey:
        return Value(key(sequence));
    case Tag::Text: {
        const auto size = qsizetype(readVarint(p));
        return Value(QString::fromUtf8(p, size));
    }
    case Tag::Integer:
        return Value(unzigzag(readVarint(p)));
    case Tag::Real:
    case Tag::Date: {
        const double d = readDouble(p);
        return tag == Tag::Real ? Value(d) : Value(DateTime(d));
    }
    case Tag::WholeDate:
        return Value(DateTime(double(unzigzag(readVarint(p)))));
    }
    return Value();
}

} // namespace platform::db
