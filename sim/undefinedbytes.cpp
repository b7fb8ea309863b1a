#include "undefinedbytes.h"

#include <cstring>

UndefinedBytes UndefinedBytes::noise(quint32 seed)
{
    UndefinedBytes u;
    u.m_random.emplace(seed);
    u.m_seed = seed;
    return u;
}

void UndefinedBytes::fill(char *bytes, qsizetype count)
{
    if (!m_random) {
        std::memset(bytes, 0, size_t(count));
        return;
    }
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = char(m_random->bounded(256));
}
