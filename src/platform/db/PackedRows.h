#pragma once

#include "platform/values/Value.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace platform::db {

// One row's cells as compact bytes, built cell by cell in column order. Written for every cell of a table
// being read, so kept inline.
class RowBytes {
public:
    enum Tag : char { Null, RowKey, Text, Integer, Real, Date, WholeDate };

    void clear() { size_ = 0; }
    void null() { tag(Null); }
    // The row's own key (a key column that only names the row number): nothing more is kept for it.
    void rowKey() { tag(RowKey); }
    void text(const char* utf8, size_t size) {
        char* at = room(11 + size);
        *at++ = Text;
        at = varint(at, size);
        std::memcpy(at, utf8, size);
        size_ = size_t(at + size - bytes_.get());
    }
    void integer(qint64 number) {
        char* at = room(11);
        *at++ = Integer;
        size_ = size_t(varint(at, zigzag(number)) - bytes_.get());
    }
    void real(double number) { eightBytes(Real, number); }
    void date(double days) {
        // Most dates are whole days: a few bytes.
        if (days > -0x1p40 && days < 0x1p40 && double(qint64(days)) == days) {
            char* at = room(11);
            *at++ = WholeDate;
            size_ = size_t(varint(at, zigzag(qint64(days))) - bytes_.get());
            return;
        }
        eightBytes(Date, days);
    }
    void value(const Value& value);
    const char* data() const { return bytes_.get(); }
    size_t size() const { return size_; }

    static quint64 zigzag(qint64 n) { return (quint64(n) << 1) ^ quint64(n >> 63); }
    static char* varint(char* at, quint64 number) {
        while (number >= 0x80) {
            *at++ = char(number | 0x80);
            number >>= 7;
        }
        *at++ = char(number);
        return at;
    }

private:
    void tag(Tag tag) {
        *room(1) = tag;
        ++size_;
    }
    void eightBytes(Tag tag, double number) {
        char* at = room(9);
        *at++ = tag;
        std::memcpy(at, &number, sizeof number);
        size_ += 9;
    }
    // Room for a cell of that many bytes at most.
    char* room(size_t bytes) { return capacity_ - size_ >= bytes ? bytes_.get() + size_ : grow(bytes); }
    char* grow(size_t bytes);
    std::unique_ptr<char[]> bytes_;
    size_t size_ = 0;
    size_t capacity_ = 0;
    // Set by value(): a text reaches it as UTF-16 and is kept as UTF-8.
    QByteArray utf8_;
};

// PackedRows' blocks are taken with malloc.
struct FreeBlock {
    void operator()(void* bytes) const { std::free(bytes); }
};

// Rows held as the bytes they were read as, each cell decoded when it is looked at: a large table costs about
// what its file does. A row is found by its sequence, the order in which it was added.
class PackedRows {
public:
    PackedRows() = default;
    PackedRows(const PackedRows&) = delete;
    PackedRows& operator=(const PackedRows&) = delete;
    ~PackedRows() { clear(); }
    // Gives the new row's sequence.
    // Inline: every row read passes here; a new block is the rare case.
    size_t append(qint64 key, const RowBytes& row) {
        if ((count_ & ((size_t(1) << IndexBlockBits) - 1)) == 0 || blockSize_ - used_ < MaxKeyBytes + row.size())
            return appendToNewBlock(key, row);
        index(count_) = write(key, row);
        return count_++;
    }
    // The row's new cells; its old bytes stay unused until the rows go.
    void replace(size_t sequence, const RowBytes& row);
    // The blocks are kept for the next read (see PackedRows.cpp).
    void clear();
    // Gives back the room the last rows left unused, once no more are expected, and the blocks kept for this
    // read that it did not take.
    void trim();
    // What is kept for the next read.
    static size_t spareBytes();

    size_t size() const { return count_; }
    qint64 key(size_t sequence) const {
        const char* p = row(sequence);
        return unzigzag(readVarint(p));
    }
    Value value(size_t sequence, int column) const;
    // A cell as a number, for sorting without making a value of it: a date counts as its day number.
    struct Number {
        enum Kind { None, Whole, Fraction, NotANumber } kind;
        double value;
        qint64 whole = 0;
    };
    // Inline: a sort asks it of every row.
    Number number(size_t sequence, int column) const {
        const char* p = cell(sequence, column);
        switch (*p++) {
        case RowBytes::Null:
            return {Number::None, 0};
        case RowBytes::RowKey:
            return {Number::Whole, double(key(sequence)), key(sequence)};
        case RowBytes::Integer: {
            const qint64 n = unzigzag(readVarint(p));
            return {Number::Whole, double(n), n};
        }
        case RowBytes::Real:
        case RowBytes::Date:
            return {Number::Fraction, readDouble(p)};
        case RowBytes::WholeDate:
            return {Number::Fraction, double(unzigzag(readVarint(p)))};
        }
        return {Number::NotANumber, 0};
    }

private:
    static qint64 unzigzag(quint64 n) { return qint64(n >> 1) ^ -qint64(n & 1); }
    static quint64 readVarint(const char*& p) {
        quint64 n = 0;
        for (int shift = 0;; shift += 7) {
            const auto byte = quint8(*p++);
            n |= quint64(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return n;
        }
    }
    static double readDouble(const char*& p) {
        double d;
        std::memcpy(&d, p, sizeof d);
        p += sizeof d;
        return d;
    }
    // A row's bytes: its key, then its cells.
    const char* row(size_t sequence) const {
        const quint64 at = index(sequence);
        return blocks_[at >> 32].get() + (at & 0xFFFFFFFF);
    }
    // Where the cell's tag is.
    const char* cell(size_t sequence, int column) const {
        const char* p = row(sequence);
        readVarint(p);
        return column == 0 ? p : skipCells(p, column);
    }
    static const char* skipCells(const char* p, int cells);
    // Where each row's bytes start: the block in the high half, the offset in it in the low half. The key
    // is kept in the row's bytes, so that the index takes 8 bytes a row.
    static constexpr int IndexBlockBits = 12;
    quint64 index(size_t sequence) const {
        return indexBlocks_[sequence >> IndexBlockBits][sequence & ((1 << IndexBlockBits) - 1)];
    }
    quint64& index(size_t sequence) {
        return indexBlocks_[sequence >> IndexBlockBits][sequence & ((1 << IndexBlockBits) - 1)];
    }
    static constexpr size_t MaxKeyBytes = 10;
    quint64 place(qint64 key, const RowBytes& row);
    size_t appendToNewBlock(qint64 key, const RowBytes& row);
    // Into the last block, which has room for it.
    quint64 write(qint64 key, const RowBytes& row) {
        char* const start = blocks_.back().get() + used_;
        char* const cells = RowBytes::varint(start, RowBytes::zigzag(key));
        std::memcpy(cells, row.data(), row.size());
        const quint64 place = quint64(blocks_.size() - 1) << 32 | used_;
        used_ += size_t(cells - start) + row.size();
        return place;
    }

    // Nothing is ever moved or grown, so no table is copied to make room and no room is taken on a guess:
    // the index and the bytes come in blocks, taken as they fill.
    std::vector<std::unique_ptr<quint64[], FreeBlock>> indexBlocks_;
    size_t count_ = 0;
    // Taken with malloc, so that the last can shrink in place.
    std::vector<std::unique_ptr<char[], FreeBlock>> blocks_;
    // Those of other sizes than the usual, in order: a large row's, a trimmed one.
    std::vector<size_t> oddBlocks_;
    size_t blockSize_ = 0;
    size_t used_ = 0;
};

} // namespace platform::db
