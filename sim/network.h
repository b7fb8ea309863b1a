#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

#include <optional>

// The world behind the tester's ports, as the measurements see it: the path
// under test (a forwarding capacity, a latency), the hosts and routers that
// answer pings and trace probes, and a name server. Everything is derived
// from the addresses, so that the same question always gets the same answer.
// Addresses are IPv4 values with the first dotted octet most significant.
namespace Net {

constexpr int WireOverhead = 20;            // preamble and inter-frame gap, bytes
constexpr double CapacityFps = 1.0e6;       // frames per second the path forwards
constexpr int TimeoutMs = 1000;             // ping and trace probes

// One stream of frames as a port sees it now.
struct Flow
{
    int length = 64;
    double txFps = 0;    // frames per second leaving the sending port
    double rxFps = 0;    // frames per second arriving at the receiving port
    double pauseFps = 0; // pause frames the path sends back to the sender
};

double lineFps(quint64 lineBps, int length);
// Frames per second for a configured rate: units 0 percent of the line,
// 1 bit/s, 2 kbit/s, 3 Mbit/s; never more than the line carries.
double offeredFps(quint8 units, double rate, quint64 lineBps, int length);
// Share of the frames the path delivers when fps frames per second of the
// given length are offered in total.
double deliveredShare(double fps);
// One-way latency through the path, nanoseconds.
double latencyNs(int length, quint64 lineBps, double fps);

// A sample of a Poisson distribution, for rare events in a time step.
quint64 poisson(double mean, QRandomGenerator &random);

struct Interface
{
    quint32 address = 0;
    quint32 mask = 0;
    quint32 gateway = 0;
};

struct Hop
{
    quint32 address = 0;
    bool answers = true;
    int latencyMs = 1;
};

// Whether a ping to the address gets an answer, and after how long.
std::optional<int> pingLatencyMs(const Interface &from, quint32 destination);
// The routers on the way to the destination, the destination last (when it
// answers at all); at most maxHops.
QList<Hop> route(const Interface &from, quint32 destination, int maxHops);
// The address of a host name; nothing for names that do not resolve.
std::optional<quint32> resolve(const QByteArray &name);

} // namespace Net
