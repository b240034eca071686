#include "likepattern.h"

#include <cstring>

namespace data {

namespace {

inline unsigned char fold(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

// The next character boundary after `at`, never past the end. The engine
// takes a lead byte and every continuation byte after it as one character.
inline std::size_t nextCharacter(std::string_view text, std::size_t at)
{
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    ++at;
    if (lead >= 0xc0) {
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xc0) == 0x80)
            ++at;
    }
    return at;
}

} // namespace

LikePattern::LikePattern(std::string_view pattern) : m_pattern(pattern)
{
    Segment current;
    m_anchoredStart = pattern.empty() || pattern.front() != '%';
    m_anchoredEnd = pattern.empty() || pattern.back() != '%';
    std::size_t i = 0;
    auto close = [&] {
        m_segments.push_back(current);
        current = Segment();
    };
    while (i < pattern.size()) {
        const unsigned char c = static_cast<unsigned char>(pattern[i]);
        if (c == '%') {
            close();
            while (i < pattern.size() && pattern[i] == '%')
                ++i;
            continue;
        }
        const std::size_t next = nextCharacter(pattern, i);
        if (c == '_')
            current.wildcards = true;
        else if (fold(c) >= 'a' && fold(c) <= 'z')
            current.letters = true;
        for (std::size_t j = i; j < next; ++j)
            current.text += char(fold(static_cast<unsigned char>(pattern[j])));
        ++current.characters;
        i = next;
    }
    close();
}

std::size_t LikePattern::matchAt(const Segment& segment, std::string_view text, std::size_t at)
{
    const std::string& s = segment.text;
    std::size_t p = 0;
    while (p < s.size()) {
        if (at >= text.size())
            return std::string_view::npos;
        const unsigned char c = static_cast<unsigned char>(s[p]);
        if (c == '_') {
            at = nextCharacter(text, at);
            ++p;
            continue;
        }
        if (c < 0x80) {
            if (fold(static_cast<unsigned char>(text[at])) != c)
                return std::string_view::npos;
            ++at;
            ++p;
            continue;
        }
        // A character of the pattern matches only a whole, equal character.
        const std::size_t n = nextCharacter(s, p) - p;
        const std::size_t next = nextCharacter(text, at);
        if (next - at != n || std::memcmp(text.data() + at, s.data() + p, n) != 0)
            return std::string_view::npos;
        at = next;
        p += n;
    }
    return at;
}

std::size_t LikePattern::find(const Segment& segment, std::string_view text, std::size_t from,
                              std::size_t* end)
{
    const std::string& s = segment.text;
    if (s.empty()) {
        *end = from;
        return from;
    }
    if (!segment.wildcards && !segment.letters) {
        // Exact bytes: UTF-8 lets a byte search find only whole characters.
        const void* hit = memmem(text.data() + from, text.size() - from, s.data(), s.size());
        if (!hit)
            return std::string_view::npos;
        const std::size_t at = std::size_t(static_cast<const char*>(hit) - text.data());
        *end = at + s.size();
        return at;
    }
    const unsigned char first = static_cast<unsigned char>(s.front());
    for (std::size_t at = from; at < text.size(); at = nextCharacter(text, at)) {
        if (first != '_' && fold(static_cast<unsigned char>(text[at])) != first)
            continue;
        const std::size_t e = matchAt(segment, text, at);
        if (e != std::string_view::npos) {
            *end = e;
            return at;
        }
    }
    return std::string_view::npos;
}

bool LikePattern::matches(std::string_view text) const
{
    const std::size_t count = m_segments.size();
    if (count == 1) {
        // No '%' at all: the whole text.
        return matchAt(m_segments.front(), text, 0) == text.size();
    }
    std::size_t at = 0;
    std::size_t first = 0;
    if (m_anchoredStart) {
        at = matchAt(m_segments.front(), text, 0);
        if (at == std::string_view::npos)
            return false;
        first = 1;
    }
    const std::size_t lastFree = m_anchoredEnd ? count - 1 : count;
    for (std::size_t i = first; i < lastFree; ++i) {
        std::size_t end = 0;
        if (find(m_segments[i], text, at, &end) == std::string_view::npos)
            return false;
        at = end;
    }
    if (!m_anchoredEnd)
        return true;
    // The last segment ends the text: it starts that many characters back.
    const Segment& last = m_segments.back();
    std::size_t start = text.size();
    for (int k = 0; k < last.characters; ++k) {
        if (start == 0)
            return false;
        --start;
        while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xc0) == 0x80)
            --start;
    }
    return start >= at && matchAt(last, text, start) == text.size();
}

} // namespace data
