#include "resultjson.h"

#include "bertlayout.h"
#include "conversions.h"
#include "headerfields.h"
#include "iflayout.h"
#include "lblayout.h"
#include "pinglayout.h"
#include "resultrecord.h"
#include "resultvalues.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include <cmath>

namespace RV = ResultValues;

namespace {

// Numbers stay numbers; a value that is not finite has none.
QJsonValue real(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue();
}

QJsonValue count(quint64 v)
{
    return QJsonValue(double(v));
}

QString ip(quint32 v)
{
    return Conv::ipToText(v);
}

template <std::size_t N>
QString text(const Block<N> &b, std::size_t offset, std::size_t size)
{
    const char *p = reinterpret_cast<const char *>(b.data() + offset);
    return QString::fromLatin1(p, qsizetype(qstrnlen(p, uint(size))));
}

template <std::size_t N>
QJsonObject header(const Block<N> &b, const HeaderFields &f)
{
    QJsonObject o{
        {QStringLiteral("autoMac"), get8(b, f.autoMac) != 0},
        {QStringLiteral("macDestination"), Conv::macToText(b, f.mac)},
        {QStringLiteral("ipDestination"), ip(get32(b, f.ip))},
        {QStringLiteral("replaceMode"), get8(b, f.mode)},
        {QStringLiteral("tos"), (get8(b, f.tos) >> 1) & 0x0F},
        {QStringLiteral("precedence"), Conv::precedenceOfByte(get8(b, f.tos))},
        {QStringLiteral("dscp"), get8(b, f.dscp) >> 2},
        {QStringLiteral("udpSource"), get16(b, f.udpSrc)},
        {QStringLiteral("udpDestination"), get16(b, f.udpDst)},
    };
    if (f.level3 != HeaderFields::None)
        o.insert(QStringLiteral("level3"), get8(b, f.level3) != 0);
    if (f.level4 != HeaderFields::None)
        o.insert(QStringLiteral("level4"), get8(b, f.level4) != 0);
    return o;
}

QJsonObject iface(const IfaceConfigBlock &b, const char *name)
{
    namespace F = IfaceConfigField;
    QJsonArray vlans, mpls;
    for (std::size_t n = 0; n < std::min<std::size_t>(get8(b, F::VlanCount), F::Tags); ++n) {
        const quint16 tci = get16(b, F::tci(n));
        vlans << QJsonObject{{QStringLiteral("tpid"), get16(b, F::tpid(n))},
                             {QStringLiteral("pcp"), tci >> Tci::PcpShift},
                             {QStringLiteral("vid"), tci & Tci::VidMask}};
    }
    for (std::size_t n = 0; n < std::min<std::size_t>(get8(b, F::MplsCount), F::Tags); ++n) {
        const quint32 e = get32(b, F::mpls(n));
        mpls << QJsonObject{{QStringLiteral("label"), count(e & Mpls::LabelMask)},
                            {QStringLiteral("qos"), int((e >> Mpls::QosShift) & 7)},
                            {QStringLiteral("ttl"), int(e >> Mpls::TtlShift)}};
    }
    return {
        {QStringLiteral("interface"), QLatin1String(name)},
        {QStringLiteral("dhcp"), get8(b, F::Dhcp) != 0},
        {QStringLiteral("linkModes"), get8(b, F::LinkModes)},
        {QStringLiteral("mac"), Conv::macToText(b, F::Mac)},
        {QStringLiteral("ip"), ip(get32(b, F::Ip))},
        {QStringLiteral("mask"), ip(get32(b, F::Mask))},
        {QStringLiteral("gateway"), ip(get32(b, F::Gateway))},
        {QStringLiteral("vlanCount"), get8(b, F::VlanCount)},
        {QStringLiteral("vlans"), vlans},
        {QStringLiteral("mplsCount"), get8(b, F::MplsCount)},
        {QStringLiteral("mpls"), mpls},
        {QStringLiteral("oamMode"), get8(b, F::OamMode)},
    };
}

QJsonObject bert(const ResultRecord &r, int p)
{
    namespace C = BertConfigField;
    namespace R = BertResultField;
    const BertConfigBlock &c = r.bertConfig[p];
    const BertResultBlock &s = r.bertResult[p];
    const quint32 elapsed = get32(s, R::Elapsed);
    return {
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("pattern"), get8(c, C::Pattern)},
                     {QStringLiteral("userPattern"), QStringLiteral("%1").arg(get32(c, C::UserPattern), 8, 16, QLatin1Char('0'))},
                     {QStringLiteral("frameSize"), get16(c, C::Size)},
                     {QStringLiteral("units"), get8(c, C::Units)},
                     {QStringLiteral("rate"), get16(c, C::Rate)},
                     {QStringLiteral("duration"), count(get32(c, C::Duration))}}},
        {QStringLiteral("result"),
         QJsonObject{{QStringLiteral("rxBits"), count(get64(s, R::RxBits))},
                     {QStringLiteral("rxErrorBits"), count(get64(s, R::ErrorBits))},
                     {QStringLiteral("ber"), real(RV::Bert::berText(get64(s, R::RxBits), get64(s, R::ErrorBits)).toDouble())},
                     {QStringLiteral("lss"), count(get32(s, R::Lss))},
                     {QStringLiteral("los"), count(get32(s, R::Los))},
                     {QStringLiteral("lssPercent"), count(RV::Bert::percentOfElapsed(get32(s, R::Lss), elapsed))},
                     {QStringLiteral("losPercent"), count(RV::Bert::percentOfElapsed(get32(s, R::Los), elapsed))},
                     {QStringLiteral("elapsed"), count(elapsed)},
                     {QStringLiteral("estimate"), count(RV::Bert::estimate(get32(c, C::Duration), elapsed))}}},
    };
}

QJsonObject traffic(const ResultRecord &r, int p)
{
    namespace C = TrafficConfigField;
    const TrafficConfigBlock &c = r.trafficConfig[p];
    const RV::Traffic::Counts n = RV::Traffic::counts(r.trafficResult[p]);
    return {
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("header"), header(c, HeaderOf::Traffic)},
                     {QStringLiteral("units"), get8(c, C::Units)},
                     {QStringLiteral("rate"), get16(c, C::Rate)},
                     {QStringLiteral("frameSize"), get16(c, C::Length)},
                     {QStringLiteral("duration"), count(get32(c, C::Duration))},
                     {QStringLiteral("margin"), get16(c, C::Margin)}}},
        {QStringLiteral("result"),
         QJsonObject{{QStringLiteral("load"), int(n.load)},
                     {QStringLiteral("txFrames"), count(n.tx)},
                     {QStringLiteral("rxFrames"), count(n.rx)},
                     {QStringLiteral("txBytes"), count(n.txBytes)},
                     {QStringLiteral("lossFrames"), count(n.loss)},
                     {QStringLiteral("runt"), count(n.runt)},
                     {QStringLiteral("jabber"), count(n.jabber)},
                     {QStringLiteral("crc"), count(n.crc)},
                     {QStringLiteral("errorFrames"), count(n.errors)},
                     {QStringLiteral("pause"), count(n.pause)}}},
    };
}

QJsonObject ping(const ResultRecord &r, int p)
{
    namespace C = PingConfigField;
    namespace R = PingResultField;
    namespace S = PingStatsField;
    const PingResultBlock &res = r.pingResult[p];
    const PingStatsBlock &st = r.pingStats[p];
    QJsonArray requests;
    for (std::size_t i = 0; i < R::Rows; ++i) {
        if (get16(res, R::row(i) + R::Sequence) == 0)
            continue;
        requests << QJsonObject{{QStringLiteral("sequence"), get16(res, R::row(i) + R::Sequence)},
                                {QStringLiteral("status"), get8(res, R::row(i) + R::Status)},
                                {QStringLiteral("latency"), count(get32(res, R::row(i) + R::Latency))}};
    }
    const quint32 sent = get32(st, S::Sent);
    const quint32 received = get32(st, S::Received);
    return {
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("ipDestination"), ip(get32(r.pingConfig[p], C::IpDst))},
                     {QStringLiteral("frameSize"), get16(r.pingConfig[p], C::FrameSize)},
                     {QStringLiteral("pause"), get16(r.pingConfig[p], C::Pause)}}},
        {QStringLiteral("result"),
         QJsonObject{{QStringLiteral("requests"), requests},
                     {QStringLiteral("sent"), count(sent)},
                     {QStringLiteral("received"), count(received)},
                     {QStringLiteral("lost"), count(RV::Ping::lost(sent, received))},
                     {QStringLiteral("average"), real(getFloat(st, S::Average))},
                     {QStringLiteral("minimum"), count(RV::Ping::minimum(get32(st, S::Minimum)))},
                     {QStringLiteral("maximum"), count(get32(st, S::Maximum))}}},
    };
}

QJsonObject trace(const ResultRecord &r, int p)
{
    namespace C = TraceConfigField;
    namespace H = TraceHopField;
    const TraceResultBlock &res = r.traceResult[p];
    QJsonArray hops;
    for (std::size_t k = 0; k < BlockSize::TraceHops; ++k) {
        const std::size_t h = H::hop(k);
        if (get8(res, h + H::Status) == TraceStatus::Empty)
            continue;
        hops << QJsonObject{{QStringLiteral("hop"), get8(res, h + H::Number)},
                            {QStringLiteral("status"), get8(res, h + H::Status)},
                            {QStringLiteral("address"), Conv::ipToText(get32(res, h + H::Address), true)},
                            {QStringLiteral("latency"), count(get32(res, h + H::Latency))}};
    }
    return {
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("ipDestination"), ip(get32(r.traceConfig[p], C::IpDst))},
                     {QStringLiteral("frameSize"), get16(r.traceConfig[p], C::FrameSize)},
                     {QStringLiteral("pause"), get16(r.traceConfig[p], C::Pause)}}},
        {QStringLiteral("result"), QJsonObject{{QStringLiteral("hops"), hops}}},
    };
}

QJsonObject dns(const ResultRecord &r, int p)
{
    namespace R = DnsResultField;
    const DnsResultBlock &res = r.dnsResult[p];
    return {
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("host"), text(r.dnsConfig[p], DnsConfigField::Name, DnsConfigField::NameSize)}}},
        {QStringLiteral("result"),
         QJsonObject{{QStringLiteral("host"), text(res, R::Name, R::NameSize)},
                     {QStringLiteral("status"), get8(res, R::Status)},
                     {QStringLiteral("address"), Conv::ipToText(get32(res, R::Address), true)}}},
    };
}

QJsonObject jitter(const ResultRecord &r, int p)
{
    namespace C = JitterConfigField;
    namespace R = JitterResultField;
    const JitterConfigBlock &c = r.jitterConfig[p];
    const JitterResultBlock &res = r.jitterResult[p];
    const quint64 all = get64(res, R::RxAll);
    const quint64 inOrder = get64(res, R::RxInOrder);
    QJsonArray buckets;
    for (std::size_t j = 0; j < R::Buckets; ++j) {
        const quint64 n = get64(res, R::bucket(j));
        buckets << QJsonObject{{QStringLiteral("label"), RV::Jitter::bucketLabel(get16(c, C::Threshold), j)},
                               {QStringLiteral("count"), count(n)},
                               {QStringLiteral("percent"), all ? real(double(n) * 100.0 / double(all)) : QJsonValue()}};
    }
    return {
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("header"), header(c, HeaderOf::Jitter)},
                     {QStringLiteral("units"), get8(c, C::Units)},
                     {QStringLiteral("rate"), get8(c, C::Rate)},
                     {QStringLiteral("frameSize"), get16(c, C::Length)},
                     {QStringLiteral("duration"), count(get32(c, C::Duration))},
                     {QStringLiteral("threshold"), get16(c, C::Threshold)}}},
        {QStringLiteral("result"),
         QJsonObject{{QStringLiteral("all"), count(all)},
                     {QStringLiteral("inOrder"), count(inOrder)},
                     {QStringLiteral("notInOrder"), count(RV::Jitter::notInOrder(all, inOrder))},
                     {QStringLiteral("buckets"), buckets}}},
    };
}

QJsonObject multi(const ResultRecord &r, int p)
{
    namespace F = MultiConfigField;
    namespace S = MultiStreamField;
    const MultiConfigBlock &c = r.multiConfig[p];
    QJsonArray settings, results;
    for (std::size_t i = 0; i < F::Streams; ++i) {
        const std::size_t s = F::stream(i);
        settings << QJsonObject{{QStringLiteral("stream"), int(i + 1)},
                                {QStringLiteral("active"), get8(c, s + S::Active) != 0},
                                {QStringLiteral("header"), header(c, HeaderOf::MultiStream.shifted(s))},
                                {QStringLiteral("units"), get8(c, s + S::Units)},
                                {QStringLiteral("rate"), get16(c, s + S::Rate)},
                                {QStringLiteral("frameSize"), get16(c, s + S::Length)}};
        const RV::Multi::Stream st = RV::Multi::stream(c, r.multiResult[p], i);
        results << QJsonObject{{QStringLiteral("stream"), int(i + 1)},
                               {QStringLiteral("load"), int(st.load)},
                               {QStringLiteral("txFrames"), count(st.tx)},
                               {QStringLiteral("rxFrames"), count(st.rx)},
                               {QStringLiteral("txBytes"), count(st.txBytes)},
                               {QStringLiteral("lossFrames"), count(st.loss)},
                               {QStringLiteral("latency"), count(st.latency)}};
    }
    return {
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("duration"), count(get32(c, F::Duration))},
                     {QStringLiteral("margin"), get16(c, F::Margin)},
                     {QStringLiteral("streams"), settings}}},
        {QStringLiteral("result"),
         QJsonObject{{QStringLiteral("present"), get8(r.multiResult[p], MultiResultField::Present) != 0},
                     {QStringLiteral("streams"), results}}},
    };
}

QJsonObject rfc(const ResultRecord &r, int p)
{
    namespace C = RfcConfigField;
    namespace S = RfcSummaryField;
    namespace L = RfcResultLayout;
    const RfcConfigBlock &c = r.rfcConfig[p];
    const RfcResultBlock &res = r.rfcResult[p];
    QJsonArray frameSlots, userLoads, rows;
    for (std::size_t i = 0; i < C::Slots; ++i) {
        frameSlots << QJsonObject{{QStringLiteral("enabled"), get8(c, C::slotEnabled(i)) != 0},
                             {QStringLiteral("frameSize"), get16(c, C::slotSize(i))}};
        userLoads << get8(c, C::latUserLoad(i));
    }
    const std::size_t steps =
        RV::Rfc::frameLossSteps(get8(c, C::FrlStartLoad), get8(c, C::FrlEndLoad), get8(c, C::FrlStep));
    for (std::size_t i = 0; i < L::Rows; ++i) {
        QJsonArray losses;
        for (std::size_t s = 0; s < steps; ++s)
            losses << QJsonObject{{QStringLiteral("load"), get8(res, L::byte(i, s))},
                                  {QStringLiteral("loss"), count(get32(res, L::value(i, s)))}};
        rows << QJsonObject{
            {QStringLiteral("frameLength"), get16(res, S::frameLength(i))},
            {QStringLiteral("throughput"),
             QJsonObject{{QStringLiteral("status"), get8(res, S::thrStatus(i))},
                         {QStringLiteral("load"), real(getFloat(res, S::thrLoad(i)))},
                         {QStringLiteral("bps"), real(getFloat(res, S::thrRate(i)))}}},
            {QStringLiteral("latency"),
             QJsonObject{{QStringLiteral("status"), get8(res, S::latStatus(i))},
                         {QStringLiteral("ns"), real(getDouble(res, S::latValue(i)))}}},
            {QStringLiteral("backToBack"),
             QJsonObject{{QStringLiteral("status"), get8(res, S::btbStatus(i))},
                         {QStringLiteral("minT"), get16(res, S::btbMin(i))},
                         {QStringLiteral("maxT"), get16(res, S::btbMax(i))}}},
            {QStringLiteral("frameLoss"),
             QJsonObject{{QStringLiteral("status"), get8(res, S::frlStatus(i))}, {QStringLiteral("steps"), losses}}},
        };
    }
    return {
        {QStringLiteral("config"),
         QJsonObject{
             {QStringLiteral("header"), header(c, HeaderOf::Rfc)},
             {QStringLiteral("frameSizes"), frameSlots},
             {QStringLiteral("throughput"),
              QJsonObject{{QStringLiteral("enabled"), get8(c, C::ThrEnabled) != 0},
                          {QStringLiteral("sample"), count(get32(c, C::ThrSample))},
                          {QStringLiteral("startLoad"), get8(c, C::ThrStartLoad)},
                          {QStringLiteral("endLoad"), get8(c, C::ThrEndLoad)}}},
             {QStringLiteral("latency"),
              QJsonObject{{QStringLiteral("enabled"), get8(c, C::LatEnabled) != 0},
                          {QStringLiteral("interval"), count(get32(c, C::LatInterval))},
                          {QStringLiteral("iterations"), count(get32(c, C::LatIterations))},
                          {QStringLiteral("userLoading"), get8(c, C::LatUserLoading) != 0},
                          {QStringLiteral("userLoads"), userLoads}}},
             {QStringLiteral("frameLoss"),
              QJsonObject{{QStringLiteral("enabled"), get8(c, C::FrlEnabled) != 0},
                          {QStringLiteral("sample"), count(get32(c, C::FrlSample))},
                          {QStringLiteral("startLoad"), get8(c, C::FrlStartLoad)},
                          {QStringLiteral("endLoad"), get8(c, C::FrlEndLoad)},
                          {QStringLiteral("step"), get8(c, C::FrlStep)}}},
             {QStringLiteral("backToBack"),
              QJsonObject{{QStringLiteral("enabled"), get8(c, C::BtbEnabled) != 0},
                          {QStringLiteral("minInterval"), get16(c, C::BtbMin)},
                          {QStringLiteral("maxInterval"), get16(c, C::BtbMax)},
                          {QStringLiteral("iterations"), get16(c, C::BtbIterations)}}},
         }},
        {QStringLiteral("result"), QJsonObject{{QStringLiteral("rows"), rows}}},
    };
}

QJsonObject loopback(const ResultRecord &r, int p)
{
    namespace F = LbConfigField;
    const LbConfigBlock &b = r.lbConfig[p];
    return {
        {QStringLiteral("config"),
         QJsonObject{{QStringLiteral("replaceIpSource"), get8(b, F::ReplaceIpSrc) != 0},
                     {QStringLiteral("ipSource"), ip(get32(b, F::IpSrc))},
                     {QStringLiteral("replaceIpDestination"), get8(b, F::ReplaceIpDst) != 0},
                     {QStringLiteral("ipDestination"), ip(get32(b, F::IpDst))},
                     {QStringLiteral("replaceMode"), get8(b, F::ReplaceMode)},
                     {QStringLiteral("tos"), (get8(b, F::Tos) >> 1) & 0x0F},
                     {QStringLiteral("precedence"), Conv::precedenceOfByte(get8(b, F::Tos))},
                     {QStringLiteral("dscp"), get8(b, F::Dscp) >> 2},
                     {QStringLiteral("replaceVlan"), get8(b, F::ReplaceVlan) != 0},
                     {QStringLiteral("vlan"), int(get32(b, F::Vlan))},
                     {QStringLiteral("replacePriority"), get8(b, F::ReplacePrio) != 0},
                     {QStringLiteral("priority"), get8(b, F::Prio)},
                     {QStringLiteral("replaceMacSource"), get8(b, F::ReplaceMacSrc) != 0},
                     {QStringLiteral("macSource"), Conv::macToText(b, F::MacSrc)},
                     {QStringLiteral("replaceMacDestination"), get8(b, F::ReplaceMacDst) != 0},
                     {QStringLiteral("macDestination"), Conv::macToText(b, F::MacDst)}}},
    };
}

// The tests of a port by ResultJson::Test: their keys and their parts.
const struct
{
    const char *key;
    QJsonObject (*part)(const ResultRecord &, int);
} kTests[ResultJson::TestCount] = {
    {"bert", bert}, {"traffic", traffic}, {"ping", ping},         {"trace", trace},       {"dns", dns},
    {"jitter", jitter}, {"rfc2544", rfc}, {"multistream", multi}, {"loopback", loopback},
};

} // namespace

QJsonArray ResultJson::interfaces(const ResultRecord &r)
{
    return {iface(r.iface[0], "A"), iface(r.iface[1], "B"), iface(r.iface[2], "RC")};
}

QJsonObject ResultJson::test(const ResultRecord &record, Test test, int port)
{
    return kTests[int(test)].part(record, port & 1);
}

QJsonObject ResultJson::fromRecord(const ResultRecord &r)
{
    QJsonArray ports;
    for (int p = 0; p < 2; ++p) {
        QJsonObject port{{QStringLiteral("port"), p ? QStringLiteral("B") : QStringLiteral("A")}};
        for (const auto &t : kTests)
            port.insert(QLatin1String(t.key), t.part(r, p));
        ports << port;
    }
    return {
        {QStringLiteral("testTime"), r.timeText()},
        {QStringLiteral("interfaces"), interfaces(r)},
        {QStringLiteral("ports"), ports},
    };
}

bool ResultJson::write(const ResultRecord &record, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(fromRecord(record)).toJson(QJsonDocument::Indented));
    return file.commit();
}
