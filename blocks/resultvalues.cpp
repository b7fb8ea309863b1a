#include "resultvalues.h"

#include "conversions.h"
#include "multilayout.h"
#include "pinglayout.h"
#include "trafficlayout.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <cstring>

namespace ResultValues {

namespace {

const char *const kStatus[] = {
    QT_TRANSLATE_NOOP("ResultValues", "Wait"),    QT_TRANSLATE_NOOP("ResultValues", "OK"),
    QT_TRANSLATE_NOOP("ResultValues", "Error"),   QT_TRANSLATE_NOOP("ResultValues", "Running"),
    QT_TRANSLATE_NOOP("ResultValues", "Stop"),    QT_TRANSLATE_NOOP("ResultValues", "No Sync"),
    QT_TRANSLATE_NOOP("ResultValues", "No Tx"),   QT_TRANSLATE_NOOP("ResultValues", "No Rx"),
    QT_TRANSLATE_NOOP("ResultValues", "Off"),     QT_TRANSLATE_NOOP("ResultValues", "RxTx"),
};
const char *const kUnits[] = {
    "%",
    QT_TRANSLATE_NOOP("ResultValues", "bps"),
    QT_TRANSLATE_NOOP("ResultValues", "kbps"),
    QT_TRANSLATE_NOOP("ResultValues", "Mbps"),
};
const char *const kPingStatus[] = {
    QT_TRANSLATE_NOOP("ResultValues", "Request"),
    QT_TRANSLATE_NOOP("ResultValues", "OK"),
    QT_TRANSLATE_NOOP("ResultValues", "Timeout"),
    QT_TRANSLATE_NOOP("ResultValues", "Interrupted"),
};
// Only "User" is a word; the rest are sequence names.
const char *const kPatterns[] = {
    QT_TRANSLATE_NOOP("ResultValues", "User"), "CRTP", "2E11-1", "2E15-1", "2E20-1", "2E23-1", "2E29-1", "2E31-1",
};

template <std::size_t N>
QStringList translated(const char *const (&sources)[N])
{
    QStringList texts;
    for (const char *s : sources)
        texts << QCoreApplication::translate("ResultValues", s);
    return texts;
}

QString padDecimalsOf(double value)
{
    return Conv::padDecimals(QStringLiteral("%1").arg(value, 0, 'g', -1));
}

QString at(const QStringList &texts, quint32 index)
{
    return index < quint32(texts.size()) ? texts.at(int(index)) : noValue();
}

} // namespace

QStringList statusTexts() { return translated(kStatus); }
QStringList unitsTexts() { return translated(kUnits); }
QStringList pingStatusTexts() { return translated(kPingStatus); }
QStringList bertPatternNames() { return translated(kPatterns); }

QString statusText(const QStringList &texts, quint32 code)
{
    return code < quint32(texts.size()) ? texts.at(int(code)) : QString::number(code);
}

QString unitsText(const QStringList &texts, quint32 code)
{
    return at(texts, code % 4);
}

QString rateText(const QStringList &units, quint32 rate, quint32 unitsCode)
{
    return QStringLiteral("%1 %2").arg(rate).arg(unitsText(units, unitsCode));
}

QString pingStatusText(const QStringList &texts, quint8 status)
{
    return status >= 1 ? at(texts, status - 1u) : noValue();
}

QString bertPatternName(const QStringList &names, quint32 code)
{
    return at(names, code % 8);
}

QString general(double value)
{
    return std::isfinite(value) ? QStringLiteral("%1").arg(value, 0, 'g', -1) : noValue();
}

QString percentText(quint64 value)
{
    return QStringLiteral("%1%").arg(value);
}

namespace Bert {

float ber(quint64 rxBits, quint64 errorBits)
{
    return rxBits ? float(errorBits) / float(rxBits) : 0.0f;
}

QString berText(quint64 rxBits, quint64 errorBits)
{
    // The float's own shortest digits: through a double, 0.001f would print
    // as 0.0010000000474974513.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, ber(rxBits, errorBits),
                                   std::chars_format::general).ptr;
    return QString::fromLatin1(text, end - text);
}

quint64 percentOfElapsed(quint32 seconds, quint32 elapsed)
{
    return elapsed ? quint64(seconds) * 100 / elapsed : 0;
}

quint32 estimate(quint32 duration, quint32 elapsed)
{
    return duration > elapsed ? duration - elapsed : 0;
}

} // namespace Bert

namespace Traffic {

Counts counts(const TrafficResultBlock &r)
{
    namespace F = TrafficResultField;
    Counts c;
    c.load = get8(r, F::Load);
    c.tx = get32(r, F::TxFrames);
    c.rx = get32(r, F::RxFrames);
    c.txBytes = get32(r, F::TxBytes);
    c.loss = c.tx - c.rx;
    c.runt = get32(r, F::Runt);
    c.jabber = get32(r, F::Jabber);
    c.crc = get32(r, F::Crc);
    c.errors = c.runt + c.jabber + c.crc;
    c.pause = get32(r, F::Pause);
    return c;
}

QString coefficient(quint32 count, quint32 tx)
{
    return tx ? QStringLiteral("%1").arg(double(count) / tx, 0, 'F', 3) : noValue();
}

quint64 estimate(quint32 duration, quint32 marginMs, quint32 elapsed)
{
    const quint64 end = quint64(duration) + 2 * quint64(marginMs / 1000);
    return end > elapsed ? end - elapsed : 0;
}

} // namespace Traffic

namespace Jitter {

QString share(quint64 part, quint64 all, char format, int precision)
{
    return all ? QStringLiteral("%1").arg(double(part) * 100.0 / double(all), 0, format, precision) : noValue();
}

QString bucketLabel(quint32 threshold, std::size_t j)
{
    const auto bound = [threshold](std::size_t k) {
        return padDecimalsOf(double(threshold) * double(k) * 0.125);
    };
    if (j + 1 >= Buckets)
        return QStringLiteral(">=") + padDecimalsOf(double(threshold));
    return bound(j) + QLatin1Char('-') + bound(j + 1);
}

} // namespace Jitter

namespace Multi {

Stream stream(const MultiConfigBlock &config, const MultiResultBlock &result, std::size_t i)
{
    Stream s;
    if (i >= MultiConfigField::Streams)
        return s;
    const std::size_t c = MultiConfigField::stream(i);
    const std::size_t r = MultiResultField::stream(i);
    s.active = get8(config, c + MultiStreamField::Active) != 0;
    if (!s.active)
        return s;
    s.load = get8(result, r + MultiResultField::Load);
    s.tx = get32(result, r + MultiResultField::TxFrames);
    s.rx = get32(result, r + MultiResultField::RxFrames);
    s.txBytes = quint64(s.tx) * get16(config, c + MultiStreamField::Length);
    s.loss = s.tx - s.rx;
    s.latency = get32(result, r + MultiResultField::Latency);
    return s;
}

} // namespace Multi

namespace Ping {

quint32 lost(quint32 sent, quint32 received)
{
    return sent > received ? sent - received : 0;
}

quint32 minimum(quint32 raw)
{
    return raw == 0xFFFFFFFF ? 0 : raw;
}

} // namespace Ping

namespace Rfc {

std::size_t frameLossSteps(quint8 startLoad, quint8 endLoad, quint8 step)
{
    if (step == 0 || endLoad >= startLoad)
        return 1;
    return std::min<std::size_t>(MaxSteps, std::size_t(startLoad - endLoad) / step + 1);
}

int frameLossLoad(quint8 startLoad, quint8 step, std::size_t s)
{
    return std::max(0, int(startLoad) - int(step) * int(s));
}

RateUnit rateUnit(double largestBps)
{
    if (std::isfinite(largestBps) && largestBps >= 1e6)
        return {3, 1e6};
    if (std::isfinite(largestBps) && largestBps >= 1e3)
        return {2, 1e3};
    return {1, 1.0};
}

} // namespace Rfc

QString fieldText(const quint8 *field, std::size_t size)
{
    const char *text = reinterpret_cast<const char *>(field);
    return QString::fromLatin1(text, qsizetype(qstrnlen(text, size)));
}

namespace Ping {

float average(const PingStatsBlock &stats)
{
    const quint32 bits = get32(stats, PingStatsField::Average);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace Ping

namespace Trace {

bool answered(quint8 status)
{
    return status == TraceStatus::Ok || status == TraceStatus::Reached;
}

QString hopText(quint8 status, quint32 lowFirstAddress)
{
    if (answered(status))
        return Conv::ipToText(lowFirstAddress, true);
    if (status == TraceStatus::Probing)
        return QStringLiteral("...");
    if (status == TraceStatus::Timeout)
        return QCoreApplication::translate("ResultValues", "timeout");
    return QString();
}

} // namespace Trace

namespace Dns {

QString statusText(quint8 status)
{
    switch (status) {
    // A literal context: the translation tools find only those.
    case DnsStatus::Passed: return QCoreApplication::translate("ResultValues", "Passed");
    case DnsStatus::InProgress: return QCoreApplication::translate("ResultValues", "In progress");
    case DnsStatus::Error: return QCoreApplication::translate("ResultValues", "Error");
    default: return QString();
    }
}

} // namespace Dns

namespace Rfc {

bool stepMeasured(const RfcResultBlock &result, std::size_t row, std::size_t step)
{
    return row < RfcResultLayout::Rows && step < RfcResultLayout::Steps
        && get8(result, RfcResultLayout::byte(row, step)) != 0;
}

QString frameLossText(const RfcResultBlock &result, std::size_t row, std::size_t step)
{
    if (!stepMeasured(result, row, step))
        return noValue();
    return QString::number(get32(result, RfcResultLayout::value(row, step)));
}

} // namespace Rfc

namespace Jitter {

quint64 notInOrder(quint64 all, quint64 inOrder)
{
    return all > inOrder ? all - inOrder : 0;
}

QString countText(quint64 count)
{
    return QStringLiteral("%1").arg(double(count), 0, 'E', 3);
}

quint64 remaining(quint32 duration, quint64 elapsed)
{
    return duration > elapsed ? duration - elapsed : 0;
}

} // namespace Jitter

namespace Multi {

QString lossCoefficient(const Stream &stream)
{
    return stream.active ? Traffic::coefficient(stream.loss, stream.tx) : QStringLiteral("0.000");
}

} // namespace Multi

} // namespace ResultValues
