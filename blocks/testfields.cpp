#include "testfields.h"

#include "bertlayout.h"
#include "cablelayout.h"
#include "conversions.h"
#include "headerfields.h"
#include "iflayout.h"
#include "lblayout.h"
#include "oamlayout.h"
#include "pinglayout.h"
#include "resultvalues.h"
#include "statslayout.h"

#include <cmath>
#include <cstring>

namespace TestFields {

namespace {

using namespace FieldTable;
namespace RV = ResultValues;

constexpr double kMaxDuration = 23 * 3600 + 59 * 60 + 59; // the time edits' 23:59:59
const QString kSeconds = QStringLiteral("s");
const QString kMs = QStringLiteral("ms");
const QString kBytes = QStringLiteral("bytes");
const QString kPercent = QStringLiteral("%");
const QString kNs = QStringLiteral("ns");
const QString kBps = QStringLiteral("bps");

// A block of type B copied from p, for the shared result values.
template <typename B>
B blockAt(const quint8 *p)
{
    B b{};
    if (p)
        std::memcpy(b.data(), p, b.size());
    return b;
}

quint32 word(const quint8 *p, std::size_t offset)
{
    return p ? Bytes::get32(p, offset) : 0;
}

QJsonValue number(quint64 v)
{
    return QJsonValue(double(v));
}

// The shared header-settings group of a block.
Table header(const HeaderFields &f)
{
    Table t{
        flag("autoMac", f.autoMac),
        mac("macDestination", f.mac),
        ip("ipDestination", f.ip),
        u8("replaceMode", f.mode).in(0, 2),
        tos("tos", f.tos),
        precedence("precedence", f.tos),
        dscp("dscp", f.dscp),
        u16("udpSource", f.udpSrc).in(1, 65535),
        u16("udpDestination", f.udpDst).in(1, 65535),
    };
    if (f.level3 != HeaderFields::None)
        t.push_back(flag("level3", f.level3));
    if (f.level4 != HeaderFields::None)
        t.push_back(flag("level4", f.level4));
    return t;
}

// Rate units and rate: 1 to 100 in %, up to max in the others.
Node units(std::size_t offset)
{
    return u8("units", offset).in(0, 3);
}

QString rateCheck(const quint8 *b, std::size_t unitsAt, std::size_t rateAt, int rateSize, const QString &prefix)
{
    const quint32 rate = rateSize == 1 ? b[rateAt] : Bytes::get16(b, rateAt);
    if (b[unitsAt] == 0 && rate > 100)
        return QStringLiteral("\"%1rate\" must be 1 to 100 when \"%1units\" is 0 (%)").arg(prefix);
    return {};
}

// ---- configurations -------------------------------------------------------

Table trafficConfig()
{
    namespace C = TrafficConfigField;
    return {
        object("header", 0, header(HeaderOf::Traffic)),
        units(C::Units),
        u16("rate", C::Rate).in(1, 9999),
        u16("frameSize", C::Length).in(64, 9600, kBytes),
        u32("duration", C::Duration).in(0, kMaxDuration, kSeconds),
        u16("margin", C::Margin).unitOnly(kMs),
    };
}

Table jitterConfig()
{
    namespace C = JitterConfigField;
    return {
        object("header", 0, header(HeaderOf::Jitter)),
        units(C::Units),
        // One byte on the tester, whatever the page's spin box offers.
        u8("rate", C::Rate).in(1, 255),
        u16("frameSize", C::Length).in(64, 9600, kBytes),
        u32("duration", C::Duration).in(0, kMaxDuration, kSeconds),
        u16("threshold", C::Threshold).in(1, 1000, kMs),
    };
}

Table bertConfig()
{
    namespace C = BertConfigField;
    return {
        u8("pattern", C::Pattern).in(0, BertPattern::Count - 1),
        hexWord("userPattern", C::UserPattern),
        u16("frameSize", C::Size).in(64, 9600, kBytes),
        units(C::Units),
        u16("rate", C::Rate).in(1, 9999),
        u32("duration", C::Duration).in(0, kMaxDuration, kSeconds),
    };
}

Table multiConfig()
{
    namespace F = MultiConfigField;
    namespace S = MultiStreamField;
    return {
        u32("duration", F::Duration).in(0, kMaxDuration, kSeconds),
        u16("margin", F::Margin).unitOnly(kMs),
        array("streams", F::stream(0), F::Streams, F::StreamSize,
              {
                  index("stream"),
                  flag("active", S::Active),
                  object("header", 0, header(HeaderOf::MultiStream)),
                  units(S::Units),
                  u16("rate", S::Rate).in(1, 9999),
                  u16("frameSize", S::Length).in(64, 9600, kBytes),
              }),
    };
}

Table rfcConfig()
{
    namespace C = RfcConfigField;
    const auto load = [](const char *key, std::size_t at) { return u8(key, at).in(1, 100, kPercent); };
    return {
        object("header", 0, header(HeaderOf::Rfc)),
        array("frameSizes", C::slot(0), C::Slots, 4,
              {flag("enabled", 0), u16("frameSize", 2).in(64, 9600, kBytes)}),
        object("throughput", 0,
               {flag("enabled", C::ThrEnabled), u32("sample", C::ThrSample).in(0, kMaxDuration, kSeconds),
                load("startLoad", C::ThrStartLoad), load("endLoad", C::ThrEndLoad)}),
        object("latency", 0,
               {flag("enabled", C::LatEnabled), u32("interval", C::LatInterval).in(0, kMaxDuration, kSeconds),
                u32("iterations", C::LatIterations).in(1, 999), flag("userLoading", C::LatUserLoading),
                values("userLoads", C::latUserLoad(0), C::Slots, 1, u8("", 0).in(1, 100, kPercent))}),
        object("frameLoss", 0,
               {flag("enabled", C::FrlEnabled), u32("sample", C::FrlSample).in(0, kMaxDuration, kSeconds),
                load("startLoad", C::FrlStartLoad), load("endLoad", C::FrlEndLoad), load("step", C::FrlStep)}),
        object("backToBack", 0,
               {flag("enabled", C::BtbEnabled), u16("minInterval", C::BtbMin).in(1, 999, kSeconds),
                u16("maxInterval", C::BtbMax).in(1, 999, kSeconds),
                u16("iterations", C::BtbIterations).in(1, 999)}),
    };
}

Table loopbackConfig()
{
    namespace F = LbConfigField;
    return {
        flag("replaceIpSource", F::ReplaceIpSrc),
        ip("ipSource", F::IpSrc),
        flag("replaceIpDestination", F::ReplaceIpDst),
        ip("ipDestination", F::IpDst),
        u8("replaceMode", F::ReplaceMode).in(0, 2),
        tos("tos", F::Tos),
        precedence("precedence", F::Tos),
        dscp("dscp", F::Dscp),
        flag("replaceVlan", F::ReplaceVlan),
        i32("vlan", F::Vlan).in(1, 4095),
        flag("replacePriority", F::ReplacePrio),
        u8("priority", F::Prio).in(0, 7),
        flag("replaceMacSource", F::ReplaceMacSrc),
        mac("macSource", F::MacSrc),
        flag("replaceMacDestination", F::ReplaceMacDst),
        mac("macDestination", F::MacDst),
    };
}

// Ping and trace route share the layout.
Table pingConfig()
{
    namespace C = PingConfigField;
    return {
        ip("ipDestination", C::IpDst),
        u16("frameSize", C::FrameSize).unitOnly(kBytes),
        u16("pause", C::Pause).in(100, 9999, kMs),
    };
}

Table dnsConfig()
{
    Node host = text("host", DnsConfigField::Name, DnsConfigField::NameSize);
    host.max = 20; // the page's field takes 20 characters
    host.min = 0;
    return {host};
}

// The interface block; the VLAN tags and MPLS labels in use, as many as
// their counts say.
Table ifaceConfig()
{
    namespace F = IfaceConfigField;
    Node vlans = array("vlans", 0, F::Tags, 2,
                       {u16("tpid", F::tpid(0)).in(0, 0xFFFF), bits("pcp", F::tci(0), 2, Tci::PcpShift, 7).in(0, 7),
                        bits("vid", F::tci(0), 2, 0, Tci::VidMask).in(0, 4095)});
    vlans.length = [](const Source &s) { return std::size_t(s.config ? s.config[F::VlanCount] : 0); };
    Node mpls = array("mpls", F::mpls(0), F::Tags, 4,
                      {bits("label", 0, 4, 0, Mpls::LabelMask).in(0, Mpls::LabelMask),
                       bits("qos", 0, 4, Mpls::QosShift, 7).in(0, 7), bits("ttl", 0, 4, Mpls::TtlShift, 0xFF).in(0, 255)});
    mpls.length = [](const Source &s) { return std::size_t(s.config ? s.config[F::MplsCount] : 0); };
    return {
        flag("dhcp", F::Dhcp),
        u8("linkModes", F::LinkModes).in(1, LinkMode::All),
        mac("mac", F::Mac),
        ip("ip", F::Ip),
        ip("mask", F::Mask),
        ip("gateway", F::Gateway),
        u8("vlanCount", F::VlanCount).in(0, F::Tags),
        vlans,
        u8("mplsCount", F::MplsCount).in(0, F::Tags),
        mpls,
        u8("oamMode", F::OamMode),
    };
}

Table oamConfig()
{
    return {u8("mode", IfaceConfigField::OamMode).in(OamMode::Active, OamMode::Disabled)};
}

Table statisticsConfig()
{
    return {flag("autoReset", 0)};
}

// ---- results --------------------------------------------------------------

Table trafficResult()
{
    namespace R = TrafficResultField;
    const auto counts = [](const Source &s) { return RV::Traffic::counts(blockAt<TrafficResultBlock>(s.result)); };
    return {
        u8("load", R::Load).unitOnly(kPercent),
        u32("txFrames", R::TxFrames),
        u32("rxFrames", R::RxFrames),
        u32("txBytes", R::TxBytes).unitOnly(kBytes),
        derived("lossFrames", [counts](const Source &s) { return number(counts(s).loss); }),
        u32("runt", R::Runt),
        u32("jabber", R::Jabber),
        u32("crc", R::Crc),
        derived("errorFrames", [counts](const Source &s) { return number(counts(s).errors); }),
        u32("pause", R::Pause),
    };
}

Table bertResult()
{
    namespace R = BertResultField;
    const auto share = [](std::size_t at) {
        return [at](const Source &s) {
            return number(RV::Bert::percentOfElapsed(word(s.result, at), word(s.result, R::Elapsed)));
        };
    };
    return {
        u64("rxBits", R::RxBits),
        u64("rxErrorBits", R::ErrorBits),
        derived("ber",
                [](const Source &s) {
                    const auto r = blockAt<BertResultBlock>(s.result);
                    const double ber = RV::Bert::berText(get64(r, R::RxBits), get64(r, R::ErrorBits)).toDouble();
                    return std::isfinite(ber) ? QJsonValue(ber) : QJsonValue();
                }),
        u32("lss", R::Lss).unitOnly(kSeconds),
        u32("los", R::Los).unitOnly(kSeconds),
        derived("lssPercent", share(R::Lss)).unitOnly(kPercent),
        derived("losPercent", share(R::Los)).unitOnly(kPercent),
        u32("elapsed", R::Elapsed).unitOnly(kSeconds),
        derived("estimate",
                [](const Source &s) {
                    return number(RV::Bert::estimate(word(s.config, BertConfigField::Duration),
                                                     word(s.result, R::Elapsed)));
                })
            .unitOnly(kSeconds),
    };
}

Table pingResult()
{
    namespace R = PingResultField;
    namespace S = PingStatsField;
    constexpr std::size_t stats = BlockSize::PingResult;
    Node requests = array("requests", 0, R::Rows, R::RowSize,
                          {u16("sequence", R::Sequence), u8("status", R::Status), u32("latency", R::Latency).unitOnly(kMs)});
    requests.skip = [](const Source &s) {
        return Bytes::get16(s.result, R::row(s.index.back()) + R::Sequence) == 0;
    };
    return {
        requests,
        u32("sent", stats + S::Sent),
        u32("received", stats + S::Received),
        derived("lost",
                [](const Source &s) {
                    return number(RV::Ping::lost(word(s.result, stats + S::Sent), word(s.result, stats + S::Received)));
                }),
        f32("average", stats + S::Average).unitOnly(kMs),
        derived("minimum", [](const Source &s) { return number(RV::Ping::minimum(word(s.result, stats + S::Minimum))); })
            .unitOnly(kMs),
        u32("maximum", stats + S::Maximum).unitOnly(kMs),
    };
}

Table traceResult()
{
    namespace H = TraceHopField;
    Node hops = array("hops", 0, BlockSize::TraceHops, BlockSize::TraceHop,
                      {u8("hop", H::Number), u8("status", H::Status), ipWire("address", H::Address),
                       u32("latency", H::Latency).unitOnly(kMs)});
    hops.skip = [](const Source &s) { return s.result[H::hop(s.index.back()) + H::Status] == TraceStatus::Empty; };
    return {hops};
}

Table dnsResult()
{
    namespace R = DnsResultField;
    return {text("host", R::Name, R::NameSize), u8("status", R::Status), ipWire("address", R::Address)};
}

Table jitterResult()
{
    namespace R = JitterResultField;
    const auto all = [](const Source &s) { return blockAt<JitterResultBlock>(s.result); };
    return {
        u64("all", R::RxAll),
        u64("inOrder", R::RxInOrder),
        derived("notInOrder",
                [all](const Source &s) {
                    const auto r = all(s);
                    return number(RV::Jitter::notInOrder(get64(r, R::RxAll), get64(r, R::RxInOrder)));
                }),
        array("buckets", R::bucket(0), R::Buckets, 8,
              {derived("label",
                       [](const Source &s) {
                           const quint16 threshold = s.config ? Bytes::get16(s.config, JitterConfigField::Threshold) : 0;
                           return RV::Jitter::bucketLabel(threshold, s.index.back());
                       })
                   .unitOnly(kMs),
               u64("count", 0),
               derived("percent",
                       [all](const Source &s) {
                           const auto r = all(s);
                           const quint64 total = get64(r, R::RxAll);
                           const double n = double(get64(r, R::bucket(s.index.back())));
                           return total ? QJsonValue(n * 100.0 / double(total)) : QJsonValue();
                       })
                   .unitOnly(kPercent)}),
    };
}

Table rfcResult()
{
    namespace S = RfcSummaryField;
    namespace L = RfcResultLayout;
    Node steps = array("steps", 0, L::Steps, 0, {u8("load", L::RowBytes).withStride(1).unitOnly(kPercent),
                                                 u32("loss", L::RowValues).withStride(4)});
    steps.length = [](const Source &s) {
        if (!s.config)
            return std::size_t(0);
        namespace C = RfcConfigField;
        return RV::Rfc::frameLossSteps(s.config[C::FrlStartLoad], s.config[C::FrlEndLoad], s.config[C::FrlStep]);
    };
    return {
        array("rows", 0, L::Rows, 0,
              {
                  u16("frameLength", S::frameLength(0)).withStride(4).unitOnly(kBytes),
                  object("throughput", S::throughput(0),
                         {u8("status", 0), f32("load", 4).unitOnly(kPercent), f32("bps", 8).unitOnly(kBps)})
                      .withStride(12),
                  object("latency", S::latency(0), {u8("status", 16), f64("ns", 8).unitOnly(kNs)}).withStride(24),
                  object("backToBack", S::backToBack(0),
                         {u8("status", 0), u16("minT", 2).unitOnly(kSeconds), u16("maxT", 4).unitOnly(kSeconds)})
                      .withStride(12),
                  object("frameLoss", L::row(0), {u8("status", L::RowHeader), steps}).withStride(L::RowSize),
              }),
    };
}

Table multiResult()
{
    namespace F = MultiResultField;
    const auto stream = [](const Source &s) {
        return RV::Multi::stream(blockAt<MultiConfigBlock>(s.config), blockAt<MultiResultBlock>(s.result),
                                 s.index.back());
    };
    return {
        flag("present", F::Present),
        array("streams", 0, MultiConfigField::Streams, 0,
              {
                  index("stream"),
                  derived("load", [stream](const Source &s) { return number(stream(s).load); }).unitOnly(kPercent),
                  derived("txFrames", [stream](const Source &s) { return number(stream(s).tx); }),
                  derived("rxFrames", [stream](const Source &s) { return number(stream(s).rx); }),
                  derived("txBytes", [stream](const Source &s) { return number(stream(s).txBytes); })
                      .unitOnly(kBytes),
                  derived("lossFrames", [stream](const Source &s) { return number(stream(s).loss); }),
                  derived("latency", [stream](const Source &s) { return number(stream(s).latency); })
                      .unitOnly(kNs),
              }),
    };
}

Table cableResult()
{
    namespace F = CableResultField;
    const auto detail = [](const Source &s) { return s.result[F::Detail] != 0; };
    const auto cable = [](const Source &s) { return blockAt<CableResultBlock>(s.result); };
    return {
        flag("detail", F::Detail),
        array("pairs", 0, F::Pairs, 0,
              {
                  derived("pair",
                          [](const Source &s) {
                              const int first = 2 * int(s.index.back()) + 1;
                              return QStringLiteral("%1-%2").arg(first).arg(first + 1);
                          }),
                  u8("state", F::state(0)).withStride(3),
                  derived("distance",
                          [](const Source &s) {
                              return CableDistance::metres(s.result[F::distance(s.index.back())]);
                          }),
                  derived("channel",
                          [detail, cable](const Source &s) {
                              return detail(s) ? QJsonValue(QString(QLatin1Char(CableDetail::channel(cable(s), s.index.back()))))
                                               : QJsonValue();
                          }),
                  derived("polarity",
                          [detail, cable](const Source &s) {
                              return detail(s) ? QJsonValue(CableDetail::inverted(cable(s), s.index.back())
                                                                ? QStringLiteral("-")
                                                                : QStringLiteral("+"))
                                               : QJsonValue();
                          }),
                  derived("delay",
                          [detail, cable](const Source &s) {
                              return detail(s) ? QJsonValue(CableDetail::delayNs(cable(s), s.index.back())) : QJsonValue();
                          }),
              }),
    };
}

Table oamResult()
{
    namespace F = OamResultField;
    return {
        flag("peer", F::Peer),
        u8("peerConfig", F::PeerConfig),
        derived("vendor", [](const Source &s) { return Conv::hexBytes(s.result + F::Vendor).trimmed(); }),
        mac("peerMac", F::PeerMac),
    };
}

Table statisticsResult()
{
    namespace F = StatsResultField;
    const auto half = [](const char *key, std::size_t at) {
        return object(key, at,
                      {u32("bytes", F::Bytes), u32("frames", F::Frames), u32("broadcast", F::Broadcast),
                       u32("multicast", F::Multicast), u32("unicast", F::Unicast),
                       values("errorCounters", F::errorCounter(0), F::ErrorCounters, 4, u32("", 0)),
                       values("sizeClasses", F::sizeClass(0), F::SizeClasses, 4, u32("", 0)),
                       u32("pause", F::Pause), u32("level2", F::Level)});
    };
    return {half("rx", F::RxHalf), half("tx", F::TxHalf)};
}

Table interfaceResult()
{
    return {ip("ip", 0), ip("mask", 4), ip("gateway", 8)};
}

template <Table (*make)()>
const Table &once()
{
    static const Table table = make();
    return table;
}

const Table &none()
{
    static const Table empty;
    return empty;
}

const char *const kNames[TestCount] = {
    "traffic", "rfc2544", "multistream", "jitter", "bert", "loopback", "cable",
    "oam", "transit", "ping", "trace", "dns", "interface", "statistics",
};

} // namespace

QString name(Test test)
{
    return QLatin1String(kNames[int(test)]);
}

std::optional<Test> fromName(const QString &name)
{
    for (int i = 0; i < TestCount; ++i) {
        if (name == QLatin1String(kNames[i]))
            return Test(i);
    }
    return std::nullopt;
}

QStringList names()
{
    QStringList all;
    for (const char *n : kNames)
        all << QLatin1String(n);
    return all;
}

const Table &config(Test test)
{
    switch (test) {
    case Test::Traffic: return once<trafficConfig>();
    case Test::Rfc2544: return once<rfcConfig>();
    case Test::Multistream: return once<multiConfig>();
    case Test::Jitter: return once<jitterConfig>();
    case Test::Bert: return once<bertConfig>();
    case Test::Loopback: return once<loopbackConfig>();
    case Test::Oam: return once<oamConfig>();
    case Test::Ping:
    case Test::Trace: return once<pingConfig>();
    case Test::Dns: return once<dnsConfig>();
    case Test::Interface: return once<ifaceConfig>();
    case Test::Statistics: return once<statisticsConfig>();
    case Test::Cable:
    case Test::Transit: break;
    }
    return none();
}

const Table &result(Test test)
{
    switch (test) {
    case Test::Traffic: return once<trafficResult>();
    case Test::Rfc2544: return once<rfcResult>();
    case Test::Multistream: return once<multiResult>();
    case Test::Jitter: return once<jitterResult>();
    case Test::Bert: return once<bertResult>();
    case Test::Cable: return once<cableResult>();
    case Test::Oam: return once<oamResult>();
    case Test::Ping: return once<pingResult>();
    case Test::Trace: return once<traceResult>();
    case Test::Dns: return once<dnsResult>();
    case Test::Interface: return once<interfaceResult>();
    case Test::Statistics: return once<statisticsResult>();
    case Test::Loopback:
    case Test::Transit: break;
    }
    return none();
}

namespace {

template <std::size_t N>
QByteArray bytesOf(const Block<N> &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(N));
}

template <std::size_t N>
bool put(Block<N> &b, const QByteArray &bytes)
{
    if (bytes.size() != qsizetype(N))
        return false;
    std::memcpy(b.data(), bytes.constData(), N);
    return true;
}

} // namespace

QByteArray configBytes(const PortTestBlocks &r, Test test, int port)
{
    const int p = port & 1;
    switch (test) {
    case Test::Traffic: return bytesOf(r.trafficConfig[p]);
    case Test::Rfc2544: return bytesOf(r.rfcConfig[p]);
    case Test::Multistream: return bytesOf(r.multiConfig[p]);
    case Test::Jitter: return bytesOf(r.jitterConfig[p]);
    case Test::Bert: return bytesOf(r.bertConfig[p]);
    case Test::Loopback: return bytesOf(r.lbConfig[p]);
    case Test::Ping: return bytesOf(r.pingConfig[p]);
    case Test::Trace: return bytesOf(r.traceConfig[p]);
    case Test::Dns: return bytesOf(r.dnsConfig[p]);
    default: return {};
    }
}

bool setConfigBytes(PortTestBlocks &r, Test test, int port, const QByteArray &bytes)
{
    const int p = port & 1;
    switch (test) {
    case Test::Traffic: return put(r.trafficConfig[p], bytes);
    case Test::Rfc2544: return put(r.rfcConfig[p], bytes);
    case Test::Multistream: return put(r.multiConfig[p], bytes);
    case Test::Jitter: return put(r.jitterConfig[p], bytes);
    case Test::Bert: return put(r.bertConfig[p], bytes);
    case Test::Loopback: return put(r.lbConfig[p], bytes);
    case Test::Ping: return put(r.pingConfig[p], bytes);
    case Test::Trace: return put(r.traceConfig[p], bytes);
    case Test::Dns: return put(r.dnsConfig[p], bytes);
    default: return false;
    }
}

QByteArray resultBytes(const PortTestBlocks &r, Test test, int port)
{
    const int p = port & 1;
    switch (test) {
    case Test::Traffic: return bytesOf(r.trafficResult[p]);
    case Test::Rfc2544: return bytesOf(r.rfcResult[p]);
    case Test::Multistream: return bytesOf(r.multiResult[p]);
    case Test::Jitter: return bytesOf(r.jitterResult[p]);
    case Test::Bert: return bytesOf(r.bertResult[p]);
    case Test::Ping: return bytesOf(r.pingResult[p]) + bytesOf(r.pingStats[p]);
    case Test::Trace: return bytesOf(r.traceResult[p]);
    case Test::Dns: return bytesOf(r.dnsResult[p]);
    default: return {};
    }
}

QJsonObject json(Test test, const QByteArray &config, const QByteArray &result)
{
    const auto *c = reinterpret_cast<const quint8 *>(config.isEmpty() ? nullptr : config.constData());
    const auto *r = reinterpret_cast<const quint8 *>(result.isEmpty() ? nullptr : result.constData());
    const Source source{c, r, {}};
    QJsonObject o;
    if (c && !TestFields::config(test).empty())
        o.insert(QStringLiteral("config"), toJson(TestFields::config(test), c, source));
    if (r && !TestFields::result(test).empty())
        o.insert(QStringLiteral("result"), toJson(TestFields::result(test), r, source));
    return o;
}

QString check(Test test, const quint8 *b)
{
    switch (test) {
    case Test::Traffic:
        return rateCheck(b, TrafficConfigField::Units, TrafficConfigField::Rate, 2, QString());
    case Test::Jitter:
        return rateCheck(b, JitterConfigField::Units, JitterConfigField::Rate, 1, QString());
    case Test::Bert:
        return rateCheck(b, BertConfigField::Units, BertConfigField::Rate, 2, QString());
    case Test::Multistream:
        for (std::size_t i = 0; i < MultiConfigField::Streams; ++i) {
            const std::size_t s = MultiConfigField::stream(i);
            const QString problem = rateCheck(b, s + MultiStreamField::Units, s + MultiStreamField::Rate, 2,
                                              QStringLiteral("streams[%1].").arg(i));
            if (!problem.isEmpty())
                return problem;
        }
        return {};
    case Test::Interface: {
        // At least one speed and one duplex stay advertised, as the page keeps them.
        const quint8 modes = b[IfaceConfigField::LinkModes];
        const bool half = modes & (LinkMode::Half10 | LinkMode::Half100 | LinkMode::Half1000);
        const bool full = modes & (LinkMode::Full10 | LinkMode::Full100 | LinkMode::Full1000);
        if (!half && !full)
            return QStringLiteral("\"linkModes\" must advertise at least one speed");
        const quint32 mask = Bytes::get32(b, IfaceConfigField::Mask);
        if ((~mask & (~mask + 1)) != 0)
            return QStringLiteral("\"mask\" must be a subnet mask (255.255.255.0)");
        return {};
    }
    default:
        return {};
    }
}

} // namespace TestFields
