#pragma once

#include "blocksizes.h"

#include <QString>
#include <QStringList>

// Values derived from result blocks that a test page and a report both
// show: computed once here so that the two never disagree. Functions that
// return lists of texts translate them when called (context "ResultValues");
// the report writer calls them on the GUI thread before its run starts.
namespace ResultValues {

// What a cell shows when a value does not exist (a division by zero, a code
// without a text).
inline QString noValue() { return QStringLiteral("---"); }

// Sub-test states "Wait" .. "RxTx", indexed by the state code.
QStringList statusTexts();
// A code with no text shows as its number.
QString statusText(const QStringList &texts, quint32 code);

// Rate units "%", "bps", "kbps", "Mbps", indexed by the units code modulo 4.
QStringList unitsTexts();
QString unitsText(const QStringList &texts, quint32 code);
// "100 %", "25 Mbps": a configured rate with its units.
QString rateText(const QStringList &units, quint32 rate, quint32 unitsCode);

// Ping request states 1..4 ("Request", "OK", "Timeout", "Interrupted").
QStringList pingStatusTexts();
// Any other status shows "---".
QString pingStatusText(const QStringList &texts, quint8 status);

// BERT pattern names by the pattern code modulo 8 ("User", "CRTP", "2E11-1"...).
QStringList bertPatternNames();
QString bertPatternName(const QStringList &names, quint32 code);

// "%1" with the shortest general format; "---" for an infinite or NaN value.
QString general(double value);
// A whole percentage with its sign and no blank: "75%".
QString percentText(quint64 value);

namespace Bert {
// Errored bits over received bits, each counter taken as a single-precision
// float as the tester's own display does; 0 when no bit was received.
float ber(quint64 rxBits, quint64 errorBits);
// The same in the shortest general form of the float ("0.001", "1e-07").
QString berText(quint64 rxBits, quint64 errorBits);
// Seconds with a loss as a percentage of the elapsed seconds, in 64 bits;
// 0 when no time has elapsed.
quint64 percentOfElapsed(quint32 seconds, quint32 elapsed);
// Time left of the configured duration, never negative.
quint32 estimate(quint32 duration, quint32 elapsed);
} // namespace Bert

namespace Traffic {
// The counters of a traffic result as the page and the report list them.
// Differences and sums are unsigned 32-bit: the tester's counters wrap.
struct Counts
{
    quint32 load = 0; // %
    quint32 tx = 0;
    quint32 rx = 0;
    quint32 txBytes = 0;
    quint32 loss = 0;   // tx - rx
    quint32 runt = 0;
    quint32 jabber = 0;
    quint32 crc = 0;
    quint32 errors = 0; // runt + jabber + crc
    quint32 pause = 0;
};
Counts counts(const TrafficResultBlock &result);
// A count as a share of the transmitted frames, three decimals; "---" when
// nothing was sent.
QString coefficient(quint32 count, quint32 tx);
// Time left of a running test: duration plus twice the margin (whole
// seconds) minus the elapsed seconds, never negative.
quint64 estimate(quint32 duration, quint32 marginMs, quint32 elapsed);
} // namespace Traffic

namespace Jitter {
constexpr std::size_t Buckets = 9;
// part x 100 / all in the given format; "---" when all is 0.
QString share(quint64 part, quint64 all, char format = 'g', int precision = -1);
// Bucket j's label for a threshold: "lo-hi" with three decimals, the last
// one ">=threshold".
QString bucketLabel(quint32 threshold, std::size_t j);
} // namespace Jitter

namespace Multi {
// One stream's counters; an inactive stream shows zeros.
struct Stream
{
    bool active = false;
    quint32 load = 0; // %
    quint32 tx = 0;
    quint32 rx = 0;
    quint64 txBytes = 0; // tx x packet length, 64-bit
    quint32 loss = 0;    // tx - rx, unsigned 32-bit
    quint32 latency = 0;
};
Stream stream(const MultiConfigBlock &config, const MultiResultBlock &result, std::size_t i);
} // namespace Multi

namespace Ping {
// Sent minus received, 0 when more came back than went out.
quint32 lost(quint32 sent, quint32 received);
// The minimum latency; 0 before the first answer.
quint32 minimum(quint32 raw);
} // namespace Ping

namespace Rfc {
constexpr std::size_t MaxSteps = RfcResultLayout::Steps;
// Frame-loss steps from the starting load down to the ending load by the
// loading step: at least one, at most 100 (a step of 0 makes one step).
std::size_t frameLossSteps(quint8 startLoad, quint8 endLoad, quint8 step);
// Load of step s in percent, never below 0.
int frameLossLoad(quint8 startLoad, quint8 step, std::size_t s);

// A throughput table's unit: the largest of bps, kbps, Mbps that keeps its
// largest value at 1 or above.
struct RateUnit
{
    quint32 unitsCode; // its text in the units list (unitsText)
    double divisor;
};
RateUnit rateUnit(double largestBps);
} // namespace Rfc

// A zero-terminated name in a fixed field, read up to the zero or the end
// of the field, never beyond.
QString fieldText(const quint8 *field, std::size_t size);

namespace Ping {
// The average latency, a single-precision float in the statistics block.
float average(const PingStatsBlock &stats);
} // namespace Ping

namespace Trace {
// The hop answered (a router on the way or the destination itself).
bool answered(quint8 status);
// The hop's address column: the address, "..." while probing, "timeout"
// (translated), or nothing.
QString hopText(quint8 status, quint32 lowFirstAddress);
} // namespace Trace

namespace Dns {
// "Passed", "In progress", "Error"; empty for "none" and unknown codes.
QString statusText(quint8 status);
} // namespace Dns

namespace Rfc {
// Step s of frame-size row r holds a measurement: both are inside the
// arrays and the step has a load (the tester leaves the steps it did not
// reach at 0).
bool stepMeasured(const RfcResultBlock &result, std::size_t row, std::size_t step);
// The frame loss of row r at step s, a whole percent; "---" for a step
// without a measurement.
QString frameLossText(const RfcResultBlock &result, std::size_t row, std::size_t step);
} // namespace Rfc

namespace Jitter {
// Frames received out of order: all minus in order, never below 0.
quint64 notInOrder(quint64 all, quint64 inOrder);
// A frame count in scientific notation with three decimals ("1.234E+05").
QString countText(quint64 count);
// Seconds left of the configured duration, never negative.
quint64 remaining(quint32 duration, quint64 elapsed);
} // namespace Jitter

namespace Multi {
// The loss share of a stream, three decimals: "0.000" for an inactive
// stream, "---" for an active one that has sent nothing.
QString lossCoefficient(const Stream &stream);
} // namespace Multi

} // namespace ResultValues
