#include "platform/db/PackedRows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace platform::db {
namespace {

using Tag = RowBytes::Tag;

// Blocks large enough that taking one is rare, small enough that the last one's unused end does not count.
constexpr size_t BlockBytes = 1 << 20;

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
        blockSize_ = std::max(BlockBytes, size);
        auto* const block = static_cast<char*>(std::malloc(blockSize_));
        if (!block)
            throw std::bad_alloc();
        blocks_.emplace_back(block);
        used_ = 0;
    }
    return write(key, row);
}

size_t PackedRows::appendToNewBlock(qint64 key, const RowBytes& row) {
    if ((count_ >> IndexBlockBits) == indexBlocks_.size())
        indexBlocks_.push_back(std::make_unique_for_overwrite<quint64[]>(size_t(1) << IndexBlockBits));
    index(count_) = place(key, row);
    return count_++;
}

void PackedRows::replace(size_t sequence, const RowBytes& row) {
    index(sequence) = place(key(sequence), row);
}

void PackedRows::clear() {
    // Swapped with empty ones, so that the memory itself goes too.
    std::vector<std::unique_ptr<quint64[]>>().swap(indexBlocks_);
    std::vector<std::unique_ptr<char[], Free>>().swap(blocks_);
    count_ = blockSize_ = used_ = 0;
}

void PackedRows::trim() {
    if (blocks_.empty() || used_ == blockSize_)
        return;
    // Shrinking keeps the bytes where they are; should it fail, the block stays as it was.
    if (auto* const smaller = static_cast<char*>(std::realloc(blocks_.back().get(), std::max(used_, size_t(1))))) {
        [[maybe_unused]] char* const old = blocks_.back().release();
        blocks_.back().reset(smaller);
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
