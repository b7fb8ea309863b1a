#include "network.h"

#include <cmath>

namespace Net {

namespace {

quint32 mix(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352d;
    x ^= x >> 15;
    x *= 0x846ca68b;
    x ^= x >> 16;
    return x;
}

bool sameSubnet(const Interface &from, quint32 destination)
{
    return from.mask != 0 && (from.address & from.mask) == (destination & from.mask);
}

// Network and broadcast addresses, multicast, "this network" and the
// documentation-only blocks get no answer.
bool answers(quint32 a)
{
    const quint32 first = a >> 24;
    if (a == 0 || first == 0 || first >= 224 || first == 127)
        return false;
    if ((a & 0xFF) == 0 || (a & 0xFF) == 255)
        return false;
    if ((a & 0xFFFFFF00) == 0xC0000200 || (a & 0xFFFFFF00) == 0xC6336400 || (a & 0xFFFFFF00) == 0xCB007100)
        return false; // 192.0.2.0/24, 198.51.100.0/24, 203.0.113.0/24
    return true;
}

} // namespace

double lineFps(quint64 lineBps, int length)
{
    return double(lineBps) / (double(length + WireOverhead) * 8.0);
}

double offeredFps(quint8 units, double rate, quint64 lineBps, int length)
{
    static constexpr double scale[4] = {0, 1, 1e3, 1e6};
    const double line = double(lineBps);
    const double bps = units == 0 ? rate / 100.0 * line : rate * scale[units & 3];
    return std::min(bps, line) / (double(length + WireOverhead) * 8.0);
}

double deliveredShare(double fps)
{
    return fps <= CapacityFps ? 1.0 : CapacityFps / fps;
}

double latencyNs(int length, quint64 lineBps, double fps)
{
    const double serialisation = lineBps ? double(length + WireOverhead) * 8.0 * 1e9 / double(lineBps) : 0;
    const double load = fps / CapacityFps;
    // Queueing grows with the load and saturates with a full buffer.
    const double queueing = load < 0.95 ? 800.0 * load / (1.0 - load) : 60000.0;
    return 2500.0 + serialisation + queueing;
}

quint64 poisson(double mean, QRandomGenerator &random)
{
    if (mean <= 0)
        return 0;
    if (mean > 30) {
        const double u1 = std::max(random.generateDouble(), 1e-12);
        const double u2 = random.generateDouble();
        const double normal = std::sqrt(-2.0 * std::log(u1)) * std::cos(2 * M_PI * u2);
        return quint64(std::max(0.0, std::round(mean + std::sqrt(mean) * normal)));
    }
    const double limit = std::exp(-mean);
    quint64 k = 0;
    double p = random.generateDouble();
    while (p > limit) {
        ++k;
        p *= random.generateDouble();
    }
    return k;
}

std::optional<int> pingLatencyMs(const Interface &from, quint32 destination)
{
    if (!answers(destination))
        return std::nullopt;
    if (destination == from.address || sameSubnet(from, destination))
        return int(mix(destination) % 2); // the local segment: below a millisecond or one
    const QList<Hop> hops = route(from, destination, 30);
    if (hops.isEmpty() || hops.last().address != destination || !hops.last().answers)
        return std::nullopt;
    return hops.last().latencyMs;
}

QList<Hop> route(const Interface &from, quint32 destination, int maxHops)
{
    QList<Hop> hops;
    if (destination == from.address || sameSubnet(from, destination)) {
        hops.append({destination, answers(destination), 1});
        return hops;
    }
    const quint32 h = mix(destination);
    // Private destinations are a few routers away, public ones more.
    const quint32 first = destination >> 24;
    const bool privateNet = first == 10 || (destination & 0xFFF00000) == 0xAC100000
        || (destination & 0xFFFF0000) == 0xC0A80000;
    const int routers = privateNet ? 1 + int(h % 3) : 5 + int(h % 8);
    int latency = 1;
    hops.append({from.gateway, true, latency});
    for (int i = 1; i < routers && hops.size() < maxHops; ++i) {
        const quint32 hi = mix(h + quint32(i));
        latency += 1 + int(hi % (privateNet ? 3 : 9));
        // A router that does not answer probes (one in seven).
        const bool silent = hi % 7 == 3;
        const quint32 address = privateNet ? (0x0A000001 | ((hi & 0xFFFF) << 8))
                                           : ((hi % 200 + 11) << 24 | (hi & 0xFFFF00) | 1);
        hops.append({address, !silent, latency});
    }
    if (hops.size() < maxHops)
        hops.append({destination, answers(destination), latency + 1 + int(h % 5)});
    if (!answers(destination)) {
        // Nothing answers past the last router: the probes time out.
        while (hops.size() < maxHops)
            hops.append({0, false, 0});
    }
    return hops;
}

std::optional<quint32> resolve(const QByteArray &name)
{
    if (name.isEmpty() || name.size() > 253 || name.startsWith('.') || name.endsWith('.'))
        return std::nullopt;
    for (const char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
            || c == '.';
        if (!ok)
            return std::nullopt;
    }
    const QByteArray lower = name.toLower();
    if (lower == "localhost")
        return 0x7F000001;
    // Reserved names that never resolve.
    if (lower.endsWith(".invalid") || lower.endsWith(".test") || lower == "invalid" || !lower.contains('.'))
        return std::nullopt;
    if (lower == "example.com" || lower == "www.example.com")
        return 0x5DB8D822; // 93.184.216.34
    quint32 h = 2166136261u;
    for (const char c : lower)
        h = (h ^ quint8(c)) * 16777619u;
    h = mix(h);
    quint32 first = 1 + h % 222;
    if (first == 10 || first == 127 || first == 172 || first == 192)
        first += 1;
    return first << 24 | (h & 0x00FFFF00) | (1 + (h >> 24) % 254);
}

} // namespace Net
