#include "csv.h"

CsvReader::CsvReader(std::FILE* file) : m_file(file)
{
}

int CsvReader::get()
{
    if (m_pushback != -2) {
        const int c = m_pushback;
        m_pushback = -2;
        return c;
    }
    int c = std::getc(m_file);
    if (m_start) {
        m_start = false;
        // Skip a UTF-8 byte-order mark.
        if (c == 0xEF) {
            const int b = std::getc(m_file);
            const int d = std::getc(m_file);
            if (b == 0xBB && d == 0xBF)
                return get();
            std::ungetc(d, m_file);
            std::ungetc(b, m_file);
        }
    }
    return c;
}

bool CsvReader::next(std::vector<Field>& record)
{
    record.clear();
    int c = get();
    if (c == EOF)
        return false;
    unget(c);
    Field field;
    bool quoted = false;
    bool any = false;
    for (;;) {
        c = get();
        if (c == EOF || c == '\n' || c == '\r') {
            if (c == '\r') {
                const int d = get();
                if (d != '\n')
                    unget(d);
            }
            field.null = !quoted && field.text.empty();
            record.push_back(std::move(field));
            ++m_line;
            return true;
        }
        if (c == ',') {
            field.null = !quoted && field.text.empty();
            record.push_back(std::move(field));
            field = Field();
            quoted = false;
            any = false;
            continue;
        }
        if (c == '"' && !any) {
            quoted = true;
            any = true;
            for (;;) {
                c = get();
                if (c == EOF)
                    break;
                if (c == '"') {
                    const int d = get();
                    if (d == '"') {
                        field.text += '"';
                        continue;
                    }
                    unget(d);
                    break;
                }
                if (c == '\n')
                    ++m_line;
                field.text += char(c);
            }
            continue;
        }
        any = true;
        field.text += char(c);
    }
}
