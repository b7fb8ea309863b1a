#pragma once

#include <QByteArray>
#include <QRandomGenerator>

#include <array>
#include <optional>

// What the simulated tester leaves in the bytes its protocol does not define:
// zeros, or seeded random bytes ("noise"). A real tester may leave anything
// there, so the programs are tested against noise too: a program that reads
// such a byte, or does not carry a reserved one back unchanged, fails there.
class UndefinedBytes
{
public:
    UndefinedBytes() = default; // zeros
    static UndefinedBytes noise(quint32 seed);

    bool isNoise() const { return m_random.has_value(); }
    quint32 seed() const { return m_seed; }

    void fill(char *bytes, qsizetype count);
    void fill(QByteArray &bytes, qsizetype from, qsizetype count) { fill(bytes.data() + from, count); }
    template <std::size_t N>
    void fill(std::array<quint8, N> &block, std::size_t from, std::size_t count)
    {
        Q_ASSERT(from + count <= N);
        fill(reinterpret_cast<char *>(block.data() + from), qsizetype(count));
    }

private:
    std::optional<QRandomGenerator> m_random;
    quint32 m_seed = 0;
};
