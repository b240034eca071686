#pragma once

#include <cstdio>
#include <string>
#include <vector>

// A streaming reader of UTF-8 CSV (RFC 4180): fields separated by commas,
// quoted with '"' when they hold commas, quotes or line breaks. An empty
// unquoted field is null; "" is an empty text.
class CsvReader
{
public:
    struct Field
    {
        std::string text;
        bool null = false;
    };

    explicit CsvReader(std::FILE* file);

    // The next record; false at the end of the input.
    bool next(std::vector<Field>& record);
    long line() const { return m_line; }

private:
    int get();
    void unget(int c) { m_pushback = c; }

    std::FILE* m_file;
    int m_pushback = -2;
    long m_line = 1;
    bool m_start = true;
};
