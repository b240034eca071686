#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace data {

// The engine's LIKE without ESCAPE, over UTF-8 text: '%' matches any run of
// characters, '_' exactly one character, ASCII letters match without regard
// to case, every other character only itself. The common "%text%" search
// becomes a plain substring search.
class LikePattern
{
public:
    explicit LikePattern(std::string_view pattern);

    bool matches(std::string_view text) const;
    const std::string& pattern() const { return m_pattern; }
    // Starts and ends with '%': a match in a text is a match in any longer
    // text that begins with it.
    bool floating() const { return !m_anchoredStart && !m_anchoredEnd; }

private:
    struct Segment
    {
        std::string text;       // the segment, ASCII letters folded to lower case
        bool wildcards = false; // holds '_'
        bool letters = false;   // holds ASCII letters
        int characters = 0;
        // Without '_' and starting a character, the segment is a fixed run of
        // bytes, found by its first and last byte (a letter's in either case).
        bool exact = false;
        unsigned char first = 0;
        unsigned char last = 0;
        unsigned char firstFold = 0;
        unsigned char lastFold = 0;
        // Ends in a character of several bytes.
        bool multibyteEnd = false;
    };

    static void prepare(Segment& segment);

    // Where the segment matches when it starts at `at`: the end, or npos.
    static std::size_t matchAt(const Segment& segment, std::string_view text, std::size_t at);
    // The first place at or after `from` where the segment matches; its end
    // goes to `end`.
    static std::size_t find(const Segment& segment, std::string_view text, std::size_t from,
                            std::size_t* end);
    // The same for a segment without '_' that starts a character.
    static std::size_t findExact(const Segment& segment, std::string_view text, std::size_t from,
                                 std::size_t* end);

    std::string m_pattern;
    std::vector<Segment> m_segments;
    bool m_anchoredStart = true;
    bool m_anchoredEnd = true;
    // "%text%": one segment to find anywhere.
    bool m_single = false;
};

} // namespace data
