#pragma once

#include "resultfile.h"

#include <QByteArray>
#include <QString>

// The blocks of a result file, copied out of it by the file's layout: what
// the reports and the JSON export read, one copy per port (or interface).
struct ResultRecord
{
    quint8 time[6] = {}; // hour, minute, second, day, month, year
    IfaceConfigBlock iface[3] = {};
    RfcConfigBlock rfcConfig[2] = {};
    PingConfigBlock pingConfig[2] = {};
    TraceConfigBlock traceConfig[2] = {};
    TrafficConfigBlock trafficConfig[2] = {};
    BertConfigBlock bertConfig[2] = {};
    JitterConfigBlock jitterConfig[2] = {};
    MultiConfigBlock multiConfig[2] = {};
    DnsConfigBlock dnsConfig[2] = {};
    TrafficResultBlock trafficResult[2] = {};
    RfcResultBlock rfcResult[2] = {};
    JitterResultBlock jitterResult[2] = {};
    BertResultBlock bertResult[2] = {};
    MultiResultBlock multiResult[2] = {};
    DnsResultBlock dnsResult[2] = {};
    LbConfigBlock lbConfig[2] = {};
    PingResultBlock pingResult[2] = {};
    PingStatsBlock pingStats[2] = {};
    TraceResultBlock traceResult[2] = {};

    // False (and the record untouched) when data is shorter than a result
    // file; bytes beyond its end are ignored.
    bool read(const QByteArray &data);
    // "dd/mm/yy  hh:mm:ss", each part two digits.
    QString timeText() const;
};
