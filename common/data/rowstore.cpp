#include "rowstore.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace data {

void RowStore::Free::operator()(char* p) const
{
    std::free(p);
}

char* RowStore::allocate(std::size_t bytes)
{
    auto* p = static_cast<char*>(std::malloc(bytes));
    if (!p)
        throw std::bad_alloc();
    return p;
}

char* RowStore::reserve(std::size_t bytes)
{
    m_large = nullptr;
    if (bytes <= m_left)
        return m_cursor;
    if (bytes > chunkSize / 4) {
        m_chunks.emplace_back(allocate(bytes));
        m_allocated += bytes;
        m_large = m_chunks.back().get();
        return m_large;
    }
    // The tail of the old chunk is given up: rows never straddle chunks.
    m_chunks.emplace_back(allocate(chunkSize));
    m_allocated += chunkSize;
    m_cursor = m_chunks.back().get();
    m_left = chunkSize;
    return m_cursor;
}

const char* RowStore::commit(std::size_t bytes)
{
    if (m_large) {
        const char* row = m_large;
        m_large = nullptr;
        return row;
    }
    const char* row = m_cursor;
    m_cursor += bytes;
    m_left -= bytes;
    return row;
}

const char* RowStore::add(const std::vector<std::string_view>& cells,
                          const std::vector<bool>* nulls)
{
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const bool null = nulls && (*nulls)[i];
        bytes += null ? 1 : varintSize(cells[i].size() + 1) + cells[i].size();
    }
    char* out = reserve(bytes);
    char* p = out;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (nulls && (*nulls)[i]) {
            *p++ = 0;
            continue;
        }
        p = putVarint(p, cells[i].size() + 1);
        if (!cells[i].empty())
            std::memcpy(p, cells[i].data(), cells[i].size());
        p += cells[i].size();
    }
    return commit(bytes);
}

} // namespace data
