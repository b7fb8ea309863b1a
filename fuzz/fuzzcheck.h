#pragma once

#include <cstddef>
#include <cstdint>

// What the fuzz targets share: an invariant that must hold for every input
// (a violation stops the fuzzer like a crash), and a reader that takes the
// fields of a test case from the front of the fuzzer's input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (false)

class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    size_t left() const { return m_size - m_pos; }
    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    uint16_t word() { return uint16_t(byte() | byte() << 8); }
    uint32_t dword() { return uint32_t(word()) | uint32_t(word()) << 16; }
    // Up to n bytes (fewer at the end of the input).
    const uint8_t *take(size_t n, size_t *got)
    {
        *got = n < left() ? n : left();
        const uint8_t *p = m_data + m_pos;
        m_pos += *got;
        return p;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
