#include "pingvalues.h"

#include "conversions.h"
#include "pinglayout.h"

#include <QCoreApplication>

#include <cstring>

namespace PingValues {

QString statusText(quint8 status)
{
    switch (status) {
    case PingStatus::Request: return QCoreApplication::translate("PingValues", "Request");
    case PingStatus::Ok: return QCoreApplication::translate("PingValues", "OK");
    case PingStatus::Timeout: return QCoreApplication::translate("PingValues", "Timeout");
    case PingStatus::Interrupted: return QCoreApplication::translate("PingValues", "Interrupted");
    default: return QStringLiteral("---");
    }
}

quint32 lost(quint32 sent, quint32 received)
{
    return received > sent ? 0 : sent - received;
}

quint32 minimum(quint32 raw)
{
    return raw == PingStatsField::NoMinimum ? 0 : raw;
}

float average(const PingStatsBlock &stats)
{
    const quint32 bits = get32(stats, PingStatsField::Average);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool hopAnswered(quint8 status)
{
    return status == TraceStatus::Ok || status == TraceStatus::Reached;
}

QString hopText(quint8 status, quint32 lowFirstAddress)
{
    if (hopAnswered(status))
        return Conv::ipToText(lowFirstAddress, true);
    if (status == TraceStatus::Probing)
        return QStringLiteral("...");
    if (status == TraceStatus::Timeout)
        return QStringLiteral("timeout");
    return QString();
}

QString dnsStatusText(quint8 status)
{
    switch (status) {
    case DnsStatus::Passed: return QCoreApplication::translate("PingValues", "Passed");
    case DnsStatus::InProgress: return QCoreApplication::translate("PingValues", "In progress");
    case DnsStatus::Error: return QCoreApplication::translate("PingValues", "Error");
    default: return QString();
    }
}

QString fieldText(const quint8 *field, std::size_t size)
{
    const char *text = reinterpret_cast<const char *>(field);
    return QString::fromLatin1(text, qsizetype(qstrnlen(text, size)));
}

} // namespace PingValues
