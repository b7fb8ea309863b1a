#include "resultrecord.h"

namespace {

template <std::size_t N, std::size_t Count>
void copyBlocks(Block<N> (&to)[Count], const QByteArray &data, std::size_t base)
{
    for (std::size_t i = 0; i < Count; ++i)
        copyIn(to[i], data, qsizetype(ResultFile::at(base, N, i)));
}

} // namespace

bool ResultRecord::read(const QByteArray &data)
{
    using namespace ResultFile;
    if (data.size() < qsizetype(Size))
        return false;
    const std::size_t timeAt[6] = {TimeHour, TimeMinute, TimeSecond, TimeDay, TimeMonth, TimeYear};
    for (int i = 0; i < 6; ++i)
        time[i] = quint8(data.at(qsizetype(timeAt[i])));
    copyBlocks(iface, data, IfaceConfig);
    copyBlocks(rfcConfig, data, RfcConfig);
    copyBlocks(pingConfig, data, PingConfig);
    copyBlocks(traceConfig, data, TraceConfig);
    copyBlocks(trafficConfig, data, TrafficConfig);
    copyBlocks(bertConfig, data, BertConfig);
    copyBlocks(jitterConfig, data, JitterConfig);
    copyBlocks(multiConfig, data, MultiConfig);
    copyBlocks(dnsConfig, data, DnsConfig);
    copyBlocks(trafficResult, data, TrafficResult);
    copyBlocks(rfcResult, data, RfcResult);
    copyBlocks(jitterResult, data, JitterResult);
    copyBlocks(bertResult, data, BertResult);
    copyBlocks(multiResult, data, MultiResult);
    copyBlocks(dnsResult, data, DnsResult);
    copyBlocks(lbConfig, data, LbConfig);
    copyBlocks(pingResult, data, PingResult);
    copyBlocks(pingStats, data, PingStats);
    copyBlocks(traceResult, data, TraceResult);
    return true;
}

QString ResultRecord::timeText() const
{
    const auto two = [this](int i) { return QStringLiteral("%1").arg(time[i], 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1/%2/%3  %4:%5:%6").arg(two(3), two(4), two(5), two(0), two(1), two(2));
}
