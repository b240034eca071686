#include "likepattern.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
        prepare(current);
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
    m_single = floating() && m_segments.size() == 3;
}

void LikePattern::prepare(Segment& segment)
{
    const std::string& s = segment.text;
    if (s.empty())
        return;
    segment.first = static_cast<unsigned char>(s.front());
    segment.last = static_cast<unsigned char>(s.back());
    // An ASCII byte or a lead byte in the text always starts a character, so
    // a byte search finds only whole characters.
    segment.exact = !segment.wildcards && (segment.first < 0x80 || segment.first >= 0xc0);
    // Setting bit 5 lowers an upper-case letter.
    segment.firstFold = segment.first >= 'a' && segment.first <= 'z' ? 0x20 : 0;
    segment.lastFold = segment.last >= 'a' && segment.last <= 'z' ? 0x20 : 0;
    std::size_t lead = s.size();
    while (lead > 0 && (static_cast<unsigned char>(s[lead - 1]) & 0xc0) == 0x80)
        --lead;
    segment.multibyteEnd = lead > 0 && static_cast<unsigned char>(s[lead - 1]) >= 0xc0;
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

std::size_t LikePattern::findExact(const Segment& segment, std::string_view text, std::size_t from,
                                   std::size_t* end)
{
    const std::string& s = segment.text;
    const std::size_t n = s.size();
    if (from > text.size() || text.size() - from < n)
        return std::string_view::npos;
    const unsigned char first = segment.first;
    const unsigned char last = segment.last;
    const unsigned char firstFold = segment.firstFold;
    const unsigned char lastFold = segment.lastFold;
    // First and last byte fit already.
    auto matchesAt = [&](std::size_t at) {
        if (segment.letters) {
            if (matchAt(segment, text, at) == std::string_view::npos)
                return false;
        } else {
            const char* t = text.data() + at;
            for (std::size_t k = 1; k + 1 < n; ++k) {
                if (t[k] != s[k])
                    return false;
            }
        }
        // The engine reads a lead byte and every continuation byte after it
        // as one character: a text character that goes on past the segment's
        // last byte is another character.
        return !segment.multibyteEnd || at + n == text.size() ||
               (static_cast<unsigned char>(text[at + n]) & 0xc0) != 0x80;
    };
    const std::size_t lastStart = text.size() - n;
    std::size_t at = from;
#if defined(__SSE2__)
    const __m128i firstBytes = _mm_set1_epi8(static_cast<char>(first));
    const __m128i lastBytes = _mm_set1_epi8(static_cast<char>(last));
    const __m128i firstBits = _mm_set1_epi8(static_cast<char>(firstFold));
    const __m128i lastBits = _mm_set1_epi8(static_cast<char>(lastFold));
    // Sixteen start places at a time, each load within the text.
    while (at + 15 <= lastStart) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
        const __m128i tail =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at + n - 1));
        const __m128i fit = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(head, firstBits), firstBytes),
                                          _mm_cmpeq_epi8(_mm_or_si128(tail, lastBits), lastBytes));
        for (unsigned mask = unsigned(_mm_movemask_epi8(fit)); mask; mask &= mask - 1) {
            const std::size_t candidate = at + std::size_t(__builtin_ctz(mask));
            if (matchesAt(candidate)) {
                *end = candidate + n;
                return candidate;
            }
        }
        at += 16;
    }
#endif
    for (; at <= lastStart; ++at) {
        if ((static_cast<unsigned char>(text[at]) | firstFold) == first &&
            (static_cast<unsigned char>(text[at + n - 1]) | lastFold) == last && matchesAt(at)) {
            *end = at + n;
            return at;
        }
    }
    return std::string_view::npos;
}

std::size_t LikePattern::find(const Segment& segment, std::string_view text, std::size_t from,
                              std::size_t* end)
{
    const std::string& s = segment.text;
    if (s.empty()) {
        *end = from;
        return from;
    }
    if (segment.exact)
        return findExact(segment, text, from, end);
    const unsigned char first = segment.first;
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
    if (m_single) {
        std::size_t end = 0;
        return find(m_segments[1], text, 0, &end) != std::string_view::npos;
    }
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
