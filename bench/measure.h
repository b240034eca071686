#pragma once

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace bench {

class Stopwatch
{
public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    double ms() const
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start)
            .count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline QJsonArray toJson(const std::vector<double>& values)
{
    QJsonArray array;
    for (double v : values)
        array.append(v);
    return array;
}

// Runs and medians of one measured thing.
struct Timing
{
    std::vector<double> runs;
    double median() const { return bench::median(runs); }
    QJsonObject json() const
    {
        return {{QStringLiteral("ms"), bench::median(runs)},
                {QStringLiteral("runs"), toJson(runs)}};
    }
};

// The order and content of a result in one number: FNV-1a over the key
// column's text, row after row.
class KeyHash
{
public:
    void add(std::string_view key)
    {
        for (unsigned char c : key)
            step(c);
        step(0xff);
    }
    std::uint64_t value() const { return m_hash; }
    QString text() const { return QString::number(m_hash, 16); }

private:
    void step(unsigned char c)
    {
        m_hash ^= c;
        m_hash *= 0x100000001b3ull;
    }
    std::uint64_t m_hash = 0xcbf29ce484222325ull;
};

// CPU time and page faults of this process so far.
struct Usage
{
    double userMs = 0;
    double systemMs = 0;
    long minorFaults = 0;

    static Usage now()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        auto ms = [](const timeval& t) {
            return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
        };
        return {ms(usage.ru_utime), ms(usage.ru_stime), usage.ru_minflt};
    }
    Usage operator-(const Usage& o) const
    {
        return {userMs - o.userMs, systemMs - o.systemMs, minorFaults - o.minorFaults};
    }
    QJsonObject json() const
    {
        return {{QStringLiteral("userMs"), userMs},
                {QStringLiteral("systemMs"), systemMs},
                {QStringLiteral("minorFaults"), double(minorFaults)}};
    }
};

// Peak resident memory of this process so far, in KiB.
inline long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Resident memory now, in KiB.
inline long currentRssKiB()
{
    long pages = 0;
    long resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace bench
