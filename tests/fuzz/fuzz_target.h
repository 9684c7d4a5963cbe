// One fuzz target per input path of the program. A target file holds
//
//     FUZZ_TARGET(name) { ... return 0; }
//
// and is built two ways: as a libFuzzer program of its own in the fuzz build (clang), and
// into fuzz_replay in every build, which runs the checked-in corpus of each target, so that
// an input that once broke a reader stays a test.
#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using FuzzFunction = int (*)(const uint8_t* data, size_t size);

#ifdef QUORVANTA_FUZZ_REPLAY
bool RegisterFuzzTarget(const char* name, FuzzFunction run);
#define FUZZ_TARGET(name)                                                                          \
    static int FuzzOne_##name(const uint8_t* data, size_t size);                                   \
    [[maybe_unused]] static const bool fuzzRegistered_##name =                                     \
        RegisterFuzzTarget(#name, FuzzOne_##name);                                                 \
    static int FuzzOne_##name(const uint8_t* data, size_t size)
#else
#define FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#endif

// A broken promise is a crash that libFuzzer keeps as a finding, in every build type.
[[noreturn]] inline void FuzzFailure(const char* condition, const char* file, int line,
                                     const QString& detail)
{
    std::fprintf(stderr, "%s:%d: broken: %s %s\n", file, line, condition,
                 detail.toUtf8().constData());
    std::abort();
}
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFailure(#condition, __FILE__, __LINE__, detail);                                   \
    } while (0)

// Reads the fuzzer's bytes from the front: small choices first, the rest as text.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_pos >= m_size; }
    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int Pick(int count) { return count > 0 ? Byte() % count : 0; }
    // Up to `max` bytes as UTF-8 text.
    QString Text(int max)
    {
        const size_t n =
            std::min(size_t(Byte()) % size_t(max + 1), m_size - std::min(m_pos, m_size));
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(n));
        m_pos += n;
        return text;
    }
    QByteArray Rest()
    {
        const size_t from = std::min(m_pos, m_size);
        m_pos = m_size;
        return QByteArray(reinterpret_cast<const char*>(m_data + from), qsizetype(m_size - from));
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// True when a shown text carries a value that is no number ("inf", "nan" in any case).
inline bool ShowsNonFinite(const QString& text)
{
    return text.contains(QLatin1String("inf"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("nan"), Qt::CaseInsensitive);
}
