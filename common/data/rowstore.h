#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace data {

// Append-only storage for result rows, kept compact so that a million rows
// cost little more than their text. A row is a run of cells; each cell is a
// varint (byte length + 1, or 0 for null) followed by its UTF-8 bytes. Rows
// never move once written, so a row is addressed by a plain pointer.
class RowStore
{
public:
    RowStore() = default;
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // Room for a row of `bytes` bytes; valid until the next reserve().
    char* reserve(std::size_t bytes);
    // Seals the row last reserved; returns its address.
    const char* commit(std::size_t bytes);

    // Encodes a whole row; a null entry in `nulls` (or nulls == nullptr)
    // means no nulls.
    const char* add(const std::vector<std::string_view>& cells, const std::vector<bool>* nulls);

    std::size_t bytesAllocated() const { return m_allocated; }

    static std::size_t varintSize(std::uint64_t value)
    {
        std::size_t n = 1;
        while (value >= 0x80) {
            value >>= 7;
            ++n;
        }
        return n;
    }
    static char* putVarint(char* out, std::uint64_t value)
    {
        while (value >= 0x80) {
            *out++ = char(0x80 | (value & 0x7f));
            value >>= 7;
        }
        *out++ = char(value);
        return out;
    }
    static const char* getVarint(const char* in, std::uint64_t* value)
    {
        std::uint64_t v = 0;
        int shift = 0;
        unsigned char b;
        do {
            b = static_cast<unsigned char>(*in++);
            v |= std::uint64_t(b & 0x7f) << shift;
            shift += 7;
        } while (b & 0x80);
        *value = v;
        return in;
    }

    // The bytes of cell `column` of a row; isNull tells null from empty.
    static std::string_view cell(const char* row, int column, bool* isNull = nullptr)
    {
        std::uint64_t len = 0;
        for (int c = 0;; ++c) {
            row = getVarint(row, &len);
            if (c == column)
                break;
            if (len)
                row += len - 1;
        }
        if (isNull)
            *isNull = len == 0;
        return len ? std::string_view(row, std::size_t(len - 1)) : std::string_view();
    }

private:
    // Large chunks, few allocations. Ordinary pages, not huge ones: where
    // memory is first backed on use (a virtual machine), faulting in 2 MB
    // pages made the first read of a million rows a second slower.
    static constexpr std::size_t chunkSize = std::size_t(4) << 20;

    struct Free
    {
        void operator()(char* p) const;
    };
    static char* allocate(std::size_t bytes);

    std::vector<std::unique_ptr<char[], Free>> m_chunks;
    char* m_cursor = nullptr;
    std::size_t m_left = 0;
    std::size_t m_allocated = 0;
    // A reserve() too large for a chunk gets a block of its own.
    char* m_large = nullptr;
};

} // namespace data
