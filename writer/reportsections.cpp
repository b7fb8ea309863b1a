#include "reportsections.h"

#include "bertlayout.h"
#include "canvas.h"
#include "conversions.h"
#include "iflayout.h"
#include "pinglayout.h"
#include "reportresources.h"
#include "resultrecord.h"
#include "resultvalues.h"

#include <algorithm>
#include <utility>

namespace RV = ResultValues;

namespace {

const QColor kGrey(217, 217, 217);
constexpr int kRfcWidth = 4000;
constexpr int kStreamWidth = 4000;
constexpr int kChartHeight = 3000;
// Frame-loss list rows carry this many steps after their label cell.
constexpr std::size_t kStepsPerRow = 10;
const char *const kManufacturer = "QV Test Systems";

QString num(quint64 v)
{
    return QString::number(v);
}

QString hexDigits(quint32 v, int digits)
{
    return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0'));
}

} // namespace

ReportSections::ReportSections(Canvas &canvas, const ResultRecord &record, const ReportJob &reportJob,
                               const ReportResources &texts)
    : c(canvas)
    , rec(record)
    , job(reportJob)
    , t(texts)
{
}

QString ReportSections::portText(int port) const
{
    return port ? t("(Port B)") : t("(Port A)");
}

QString ReportSections::caption(const char *test, const char *kind, int port) const
{
    return t(test) + QLatin1Char(' ') + t(kind) + QLatin1Char(' ') + portText(port);
}

QString ReportSections::unit(const char *label, const char *u) const
{
    return t(label) + QLatin1Char(',') + t(u);
}

QString ReportSections::commaPercent(const char *label) const
{
    return t(label) + QStringLiteral(", %");
}

void ReportSections::draw(Report report)
{
    static const char *const titles[Count] = {"BERT", "Traffic test", "Ping", "Trace", "Jitter", nullptr,
                                              "Multistream"};
    header();
    if (titles[report]) {
        c.skip(Canvas::RowHeight);
        c.text(30, -30, t(titles[report]));
        c.skip(Canvas::RowHeight);
    } else {
        c.newPage();
    }
    const int ports = job.singlePort ? 1 : 2;
    for (int port = 0; port < ports; ++port) {
        switch (report) {
        case Bert: bert(port); break;
        case Traffic: traffic(port); break;
        case Ping: ping(port); break;
        case Trace: trace(port); break;
        case Jitter: jitter(port); break;
        case Rfc: rfc(port); break;
        case Multi: multi(port); break;
        case Count: break;
        }
    }
}

void ReportSections::header()
{
    c.text(0, -30, t("Ethernet testing report"), 16);
    c.skip(Canvas::RowHeight);
    c.setWidth(6000);
    c.caption(t("Common settings"), 5);
    c.row({t("Manufactured by"), QString::fromLatin1(kManufacturer)});
    c.row({t("Device"), job.model()});
    c.row({t("Serial number"), num(job.serialNumber)});
    c.row({t("Date & time"), rec.timeText()});
    c.skip(Canvas::RowHeight);
    iface(0);
    if (!job.singlePort)
        iface(1);
    c.setWidth(Canvas::DefaultWidth);
}

void ReportSections::iface(int port)
{
    namespace F = IfaceConfigField;
    const IfaceConfigBlock &b = rec.iface[port];
    c.caption(t("Interface settings") + QLatin1Char(' ') + portText(port), 8);

    const quint8 speed = port ? job.linkSpeedB : job.linkSpeedA;
    const QString speeds[] = {t("No Sync"), QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("1000")};
    c.row({t("Link speed"), speed < 4 ? speeds[speed] : QString()});
    const quint8 modes = get8(b, F::LinkModes);
    for (int speed = 0; speed < 3; ++speed)
        c.check(speeds[speed + 1], LinkMode::offersSpeed(modes, speed));

    c.row({t("MAC"), Conv::macToText(b, F::Mac)});
    c.check(t("DHCP"), get8(b, F::Dhcp) != 0);
    c.row({t("IP address"), Conv::ipToText(get32(b, F::Ip))});
    c.row({t("Subnet mask"), Conv::ipToText(get32(b, F::Mask))});
    c.row({t("Gateway"), Conv::ipToText(get32(b, F::Gateway))});

    const quint8 vlans = get8(b, F::VlanCount);
    c.row({t("VLAN counts"), num(vlans)});
    c.row({QStringLiteral("#"), t("TPID"), t("PCP"), t("VID")});
    for (std::size_t n = 0; n < std::min<std::size_t>(vlans, F::Tags); ++n) {
        const quint16 tci = get16(b, F::tci(n));
        c.row({num(n + 1), hexDigits(get16(b, F::tpid(n)), 4), num(tci >> Tci::PcpShift), num(tci & Tci::VidMask)});
    }
    const quint8 labels = get8(b, F::MplsCount);
    c.row({t("MPLS counts"), num(labels)});
    c.row({QStringLiteral("#"), t("Value"), t("QoS"), t("TTL")});
    for (std::size_t n = 0; n < std::min<std::size_t>(labels, F::Tags); ++n) {
        const quint32 e = get32(b, F::mpls(n));
        c.row({num(n + 1), hexDigits(e & Mpls::LabelMask, 5), num((e >> Mpls::QosShift) & 7),
               num(e >> Mpls::TtlShift)});
    }
}

template <std::size_t N>
void ReportSections::headerSettings(const Block<N> &b, const HeaderFields &f)
{
    c.caption(t("Header level 2"), 2, kGrey);
    c.check(t("Auto MAC destination"), get8(b, f.autoMac) != 0);
    c.row({t("MAC destination"), Conv::macToText(b, f.mac)});

    const quint8 mode = get8(b, f.mode);
    const quint8 tos = get8(b, f.tos);
    c.caption(t("Header level 3"), 6, kGrey);
    c.row({t("IP destination"), Conv::ipToText(get32(b, f.ip))});
    c.check(t("ToS/Precedence"), mode == 1);
    c.row({t("Tos"), QStringLiteral("%1").arg((tos >> 1) & 0x0F, 4, 2, QLatin1Char('0'))});
    c.row({t("Precedence"), num(Conv::precedenceOfByte(tos))});
    c.check(t("DSCP"), mode == 2);
    c.row({QString(), t.dscp.value(Conv::dscpIndexOfByte(get8(b, f.dscp)))});

    c.caption(t("Header level 4"), 2, kGrey);
    c.row({t("UDP source"), num(get16(b, f.udpSrc))});
    c.row({t("UDP destination"), num(get16(b, f.udpDst))});
}

void ReportSections::bert(int port)
{
    namespace C = BertConfigField;
    namespace R = BertResultField;
    const BertConfigBlock &cfg = rec.bertConfig[port];
    const BertResultBlock &res = rec.bertResult[port];

    c.caption(caption("BERT", "settings", port), 6);
    c.row({t("Pattern type"), RV::bertPatternName(t.patterns, get8(cfg, C::Pattern))});
    c.row({t("User pattern"), hexDigits(get32(cfg, C::UserPattern), 8)});
    c.row({t("Frame size"), num(get16(cfg, C::Size))});
    c.row({t("Units"), RV::unitsText(t.units, get8(cfg, C::Units))});
    c.row({t("Rate"), num(get16(cfg, C::Rate))});
    const quint32 duration = get32(cfg, C::Duration);
    c.row({t("Duration"), Conv::durationText(duration)});
    c.skip(Canvas::RowHeight);

    const quint64 bits = get64(res, R::RxBits);
    const quint64 ebits = get64(res, R::ErrorBits);
    const quint32 lss = get32(res, R::Lss);
    const quint32 los = get32(res, R::Los);
    const quint32 elapsed = get32(res, R::Elapsed);
    c.caption(caption("BERT", "results", port), 9);
    c.row({t("Elapsed time"), Conv::durationText(elapsed)});
    c.row({t("Estimate time"), Conv::durationText(RV::Bert::estimate(duration, elapsed))});
    c.row({t("Rx bits"), num(bits)});
    c.row({t("Rx ebits"), num(ebits)});
    c.row({t("BER"), RV::Bert::berText(bits, ebits)});
    c.row({t("LSS"), num(lss)});
    c.row({t("LOS"), num(los)});
    c.row({t("LSS") + QStringLiteral(",%"), num(RV::Bert::percentOfElapsed(lss, elapsed))});
    c.row({t("LOS") + QStringLiteral(",%"), num(RV::Bert::percentOfElapsed(los, elapsed))});
    c.skip(Canvas::RowHeight);
}

void ReportSections::traffic(int port)
{
    namespace C = TrafficConfigField;
    const TrafficConfigBlock &cfg = rec.trafficConfig[port];

    c.caption(caption("Traffic test", "settings", port), 3);
    headerSettings(cfg, HeaderOf::Traffic);
    c.caption(t("Advanced"), 5);
    c.row({t("Loading type"), t("Constant")});
    c.row({t("Units"), RV::unitsText(t.units, get8(cfg, C::Units))});
    c.row({t("Rate"), num(get16(cfg, C::Rate))});
    c.row({t("Frame size"), num(get16(cfg, C::Length))});
    c.row({t("Duration"), Conv::durationText(get32(cfg, C::Duration))});
    c.skip(Canvas::RowHeight);

    // The result file keeps no elapsed time of the traffic test.
    const RV::Traffic::Counts n = RV::Traffic::counts(rec.trafficResult[port]);
    const auto coef = [&n](quint32 count) { return RV::Traffic::coefficient(count, n.tx); };
    c.caption(caption("Traffic test", "results", port), 13);
    c.row({t("Elapsed time"), RV::noValue()});
    c.row({t("Estimate time"), RV::noValue()});
    c.row({QString(), t("Count"), t("Coef")});
    c.row({t("Load"), RV::percentText(n.load), QString()});
    c.row({t("Tx frames"), num(n.tx), QString()});
    c.row({t("Rx frames"), num(n.rx), QString()});
    c.row({t("Tx bytes"), num(n.txBytes), QString()});
    c.row({t("Loss frames"), num(n.loss), coef(n.loss)});
    c.row({t("runt"), num(n.runt), coef(n.runt)});
    c.row({t("jabber"), num(n.jabber), coef(n.jabber)});
    c.row({t("CRC"), num(n.crc), coef(n.crc)});
    c.row({t("runt") + QLatin1Char('+') + t("jabber") + QLatin1Char('+') + t("CRC"), num(n.errors), coef(n.errors)});
    c.row({t("Pause"), num(n.pause), QString()});
    c.skip(Canvas::RowHeight);
}

void ReportSections::ping(int port)
{
    namespace C = PingConfigField;
    namespace R = PingResultField;
    namespace S = PingStatsField;
    const PingConfigBlock &cfg = rec.pingConfig[port];
    const PingResultBlock &res = rec.pingResult[port];
    const PingStatsBlock &stats = rec.pingStats[port];

    c.caption(caption("Ping", "settings", port), 3);
    c.row({t("IP destination"), Conv::ipToText(get32(cfg, C::IpDst))});
    c.row({t("Frame size"), num(get16(cfg, C::FrameSize))});
    c.row({unit("Pause", "ms"), num(get16(cfg, C::Pause))});
    c.skip(Canvas::RowHeight);

    c.caption(caption("Ping", "results", port), 2);
    c.row({QStringLiteral("#"), t("Status"), unit("Frame", "b"), unit("Lat", "ms")});
    for (std::size_t i = 0; i < R::Rows; ++i) {
        const quint16 sequence = get16(res, R::row(i) + R::Sequence);
        if (sequence == 0)
            continue;
        const quint8 status = get8(res, R::row(i) + R::Status);
        c.row({num(sequence), RV::pingStatusText(t.pingStatus, status), num(get16(cfg, C::FrameSize)),
               status == PingStatus::Ok ? num(get32(res, R::row(i) + R::Latency)) : RV::noValue()});
    }
    c.skip(Canvas::RowHeight);

    const quint32 sent = get32(stats, S::Sent);
    const quint32 received = get32(stats, S::Received);
    c.caption(caption("Ping", "statistics", port), 3);
    c.row({t("Sent"), num(sent)});
    c.row({t("Recieved"), num(received)});
    c.row({t("Lost"), num(RV::Ping::lost(sent, received))});
    c.skip(Canvas::RowHeight);

    c.caption(caption("Ping", "latency", port), 3);
    c.row({t("Average"), RV::general(getFloat(stats, S::Average))});
    c.row({t("Minimum"), num(RV::Ping::minimum(get32(stats, S::Minimum)))});
    c.row({t("Maximum"), num(get32(stats, S::Maximum))});
    c.skip(Canvas::RowHeight);
}

void ReportSections::trace(int port)
{
    namespace C = TraceConfigField;
    namespace H = TraceHopField;
    const TraceConfigBlock &cfg = rec.traceConfig[port];
    const TraceResultBlock &res = rec.traceResult[port];

    c.caption(caption("Trace", "settings", port), 2);
    c.row({t("IP destination"), Conv::ipToText(get32(cfg, C::IpDst))});
    c.row({unit("Pause", "ms"), num(get16(cfg, C::Pause))});
    c.skip(Canvas::RowHeight);

    c.caption(caption("Trace", "results", port), 2);
    c.row({QStringLiteral("#"), t("IP"), unit("Latency", "ms")});
    for (std::size_t k = 0; k < BlockSize::TraceHops; ++k) {
        const std::size_t h = H::hop(k);
        const quint8 status = get8(res, h + H::Status);
        if (status == TraceStatus::Empty)
            continue;
        const bool answered = status == TraceStatus::Ok || status == TraceStatus::Reached;
        QString ip;
        if (answered)
            ip = Conv::ipToText(get32(res, h + H::Address), true);
        else if (status == TraceStatus::Probing)
            ip = QStringLiteral("...");
        else if (status == TraceStatus::Timeout)
            ip = t("timeout");
        c.row({num(get8(res, h + H::Number)), ip, answered ? num(get32(res, h + H::Latency)) : QString()});
    }
}

void ReportSections::jitter(int port)
{
    namespace C = JitterConfigField;
    namespace R = JitterResultField;
    const JitterConfigBlock &cfg = rec.jitterConfig[port];
    const JitterResultBlock &res = rec.jitterResult[port];

    c.caption(caption("Jitter", "settings", port), 3);
    headerSettings(cfg, HeaderOf::Jitter);
    c.caption(t("Advanced"), 4);
    c.row({t("Rate"), RV::rateText(t.units, get8(cfg, C::Rate), get8(cfg, C::Units))});
    c.row({t("Frame size"), num(get16(cfg, C::Length))});
    c.row({t("Duration"), Conv::durationText(get32(cfg, C::Duration))});
    const quint16 threshold = get16(cfg, C::Threshold);
    c.row({unit("Threshold", "s"), num(threshold)});
    c.skip(Canvas::RowHeight);

    // Counts and shares as the jitter page shows them; without frames the
    // shares stay empty.
    const quint64 all = get64(res, R::RxAll);
    const quint64 inOrder = get64(res, R::RxInOrder);
    const auto share = [all](quint64 n) { return all ? RV::Jitter::share(n, all, 'f', 2) : QString(); };
    c.caption(caption("Jitter", "results", port), 6);
    c.row({t("Elapsed time"), RV::noValue()});
    c.row({t("Estimate time"), RV::noValue()});
    c.row({t("Rx frames"), t("Count"), QStringLiteral("%")});
    for (const auto &[label, n] : {std::pair{"All", all}, {"In order", inOrder},
                                   {"Not in order", RV::Jitter::notInOrder(all, inOrder)}})
        c.row({t(label), RV::Jitter::countText(n), share(n)});
    c.skip(Canvas::RowHeight);

    c.caption(caption("Jitter", "distribution", port), 2);
    c.row({unit("Jitter", "ms"), QStringLiteral("%")});
    for (std::size_t j = 0; j < R::Buckets; ++j)
        c.row({RV::Jitter::bucketLabel(threshold, j), RV::Jitter::share(get64(res, R::bucket(j)), all)});
}

void ReportSections::multi(int port)
{
    namespace F = MultiConfigField;
    namespace S = MultiStreamField;
    const MultiConfigBlock &cfg = rec.multiConfig[port];

    c.caption(caption("Multistream", "settings", port), 3);
    c.setWidth(kStreamWidth);
    for (std::size_t i = 0; i < F::Streams; ++i) {
        const std::size_t s = F::stream(i);
        c.caption(t("Stream #") + num(i + 1), 3);
        headerSettings(cfg, HeaderOf::MultiStream.shifted(s));
        c.caption(t("Advanced"), 5);
        c.check(t("Active"), get8(cfg, s + S::Active) != 0);
        c.row({t("Loading type"), t("Constant")});
        c.row({t("Units"), RV::unitsText(t.units, get8(cfg, s + S::Units))});
        c.row({t("Rate"), num(get16(cfg, s + S::Rate))});
        c.row({t("Frame size"), num(get16(cfg, s + S::Length))});
    }
    c.setWidth(Canvas::DefaultWidth);

    c.caption(caption("Multistream test", "results", port), 2);
    c.row({t("Elapsed time"), RV::noValue()});
    c.row({t("Estimate time"), RV::noValue()});
    c.setWidth(kStreamWidth);
    for (std::size_t i = 0; i < F::Streams; ++i) {
        const RV::Multi::Stream st = RV::Multi::stream(cfg, rec.multiResult[port], i);
        c.caption(t("Stream #") + num(i + 1), 7);
        c.row({QString(), t("Count"), t("Coef")});
        c.row({t("Load"), RV::percentText(st.load), QString()});
        c.row({t("Tx frames"), num(st.tx), QString()});
        c.row({t("Rx frames"), num(st.rx), QString()});
        c.row({t("Tx bytes"), num(st.txBytes), QString()});
        c.row({t("Loss frames"), num(st.loss), RV::Multi::lossCoefficient(st)});
        c.row({t("Latency"), num(st.latency), QString()});
    }
    c.setWidth(Canvas::DefaultWidth);
}

void ReportSections::rfc(int port)
{
    namespace C = RfcConfigField;
    namespace S = RfcSummaryField;
    namespace L = RfcResultLayout;
    const RfcConfigBlock &cfg = rec.rfcConfig[port];
    const RfcResultBlock &res = rec.rfcResult[port];
    const QString rfcWord = t("RFC-2544");
    const QString space = QStringLiteral(" ");

    if (port > 0)
        c.newPage();
    c.text(30, -30, rfcWord + space + portText(port));
    c.skip(Canvas::RowHeight);

    // Common part.
    c.setWidth(kRfcWidth);
    c.caption(rfcWord + space + t("Frame size") + space + portText(port), int(C::Slots));
    for (std::size_t i = 0; i < C::Slots; ++i)
        c.check(num(get16(cfg, C::slotSize(i))), get8(cfg, C::slotEnabled(i)) != 0);
    c.caption(rfcWord + space + t("header") + space + t("settings") + space + portText(port), 3);
    headerSettings(cfg, HeaderOf::Rfc);
    c.skip(2 * Canvas::RowHeight);

    QStringList frames;
    for (std::size_t i = 0; i < L::Rows; ++i)
        frames << num(get16(res, S::frameLength(i)));
    const auto status = [this](quint8 code) { return RV::statusText(t.status, code); };

    // Throughput.
    c.caption(caption("Throughput", "settings", port), 4);
    c.check(t("Enabled"), get8(cfg, C::ThrEnabled) != 0);
    c.row({commaPercent("Starting load"), num(get8(cfg, C::ThrStartLoad))});
    c.row({commaPercent("Ending load"), num(get8(cfg, C::ThrEndLoad))});
    c.row({unit("Duration", "s"), num(get32(cfg, C::ThrSample))});
    double largest = 0;
    for (std::size_t i = 0; i < L::Rows; ++i)
        largest = std::max(largest, double(getFloat(res, S::thrRate(i))));
    const RV::Rfc::RateUnit rate = RV::Rfc::rateUnit(largest);
    c.caption(t("Throughput"), 9);
    c.row({t("Status"), t("Frame"), commaPercent("Load"), t("Thr") + QStringLiteral(", ") + RV::unitsText(t.units, rate.unitsCode)});
    QList<double> loads;
    for (std::size_t i = 0; i < L::Rows; ++i) {
        const double load = getFloat(res, S::thrLoad(i));
        loads << load;
        c.row({status(get8(res, S::thrStatus(i))), frames.at(int(i)), RV::general(load),
               RV::general(getFloat(res, S::thrRate(i)) / rate.divisor)});
    }
    c.chart({commaPercent("Throughput"), frames, loads, Chart::Bars, kRfcWidth, kChartHeight});
    c.setWidth(Canvas::DefaultWidth);

    // Latency.
    c.setWidth(kRfcWidth);
    c.caption(caption("Latency", "settings", port), 6);
    c.check(t("Enabled"), get8(cfg, C::LatEnabled) != 0);
    c.row({t("Iteration"), num(get32(cfg, C::LatIterations))});
    c.row({unit("Interval", "s"), num(get32(cfg, C::LatInterval))});
    c.check(t("User loading"), get8(cfg, C::LatUserLoading) != 0);
    // The user loads of the eight frame sizes, two sizes to a row.
    c.row({t("Frame"), commaPercent("Load"), t("Frame"), commaPercent("Load")});
    for (std::size_t i = 0; i + 1 < C::Slots; i += 2)
        c.row({num(get16(cfg, C::slotSize(i))), num(get8(cfg, C::latUserLoad(i))), num(get16(cfg, C::slotSize(i + 1))),
               num(get8(cfg, C::latUserLoad(i + 1)))});
    c.caption(t("Latency"), 9);
    c.row({t("Status"), t("Frame"), commaPercent("Load"), unit("Lat", "ns")});
    QList<double> latencies;
    for (std::size_t i = 0; i < L::Rows; ++i) {
        const double latency = getDouble(res, S::latValue(i));
        latencies << latency;
        c.row({status(get8(res, S::latStatus(i))), frames.at(int(i)), RV::general(loads.at(int(i))),
               RV::general(latency)});
    }
    c.chart({t("Latency") + QStringLiteral(", ") + t("ns"), frames, latencies, Chart::Bars, kRfcWidth,
             kChartHeight});
    c.setWidth(Canvas::DefaultWidth);

    // Back to back.
    c.setWidth(kRfcWidth);
    c.caption(caption("Back to back", "settings", port), 4);
    c.check(t("Enabled"), get8(cfg, C::BtbEnabled) != 0);
    c.row({t("Iteration"), num(get16(cfg, C::BtbIterations))});
    c.row({t("Min interval"), num(get16(cfg, C::BtbMin))});
    c.row({t("Max interval"), num(get16(cfg, C::BtbMax))});
    c.caption(t("Back to back"), 9);
    c.row({t("Status"), t("Frame"), unit("Min T", "s"), unit("Max T", "s")});
    QList<double> triples;
    for (std::size_t i = 0; i < L::Rows; ++i) {
        const quint16 lo = get16(res, S::btbMin(i));
        const quint16 hi = get16(res, S::btbMax(i));
        triples << lo << (double(lo) + hi) / 2 << hi;
        c.row({status(get8(res, S::btbStatus(i))), frames.at(int(i)), num(lo), num(hi)});
    }
    c.chart({t("Min T") + QLatin1Char('/') + t("Average T") + QLatin1Char('/') + t("Max T") + QStringLiteral(", ")
                 + t("s"),
             frames, triples, Chart::Triples, kRfcWidth, kChartHeight});
    c.setWidth(Canvas::DefaultWidth);

    // Frame loss.
    const quint8 start = get8(cfg, C::FrlStartLoad);
    const quint8 step = get8(cfg, C::FrlStep);
    const std::size_t steps = RV::Rfc::frameLossSteps(start, get8(cfg, C::FrlEndLoad), step);
    c.caption(caption("Frameloss", "settings", port), 5);
    c.check(t("Enabled"), get8(cfg, C::FrlEnabled) != 0);
    c.row({unit("Interval", "s"), num(get32(cfg, C::FrlSample))});
    c.row({commaPercent("Loading step"), num(step)});
    c.row({commaPercent("Starting load"), num(start)});
    c.row({commaPercent("Ending load"), num(get8(cfg, C::FrlEndLoad))});
    QStringList sizeLabels;
    QList<double> losses;
    for (std::size_t i = 0; i < L::Rows; ++i) {
        sizeLabels << frames.at(int(i)) + t("b");
        for (std::size_t s = 0; s < steps; ++s)
            losses << double(get32(res, L::value(i, s)));
    }
    c.chart({t("Frameloss") + QStringLiteral(", ") + t("frame"), sizeLabels, losses, Chart::Percent, kRfcWidth,
             kChartHeight});
    c.caption(t("Frameloss"), 2);
    for (std::size_t first = 0; first < steps; first += kStepsPerRow) {
        const std::size_t last = std::min(steps, first + kStepsPerRow);
        QStringList loadRow{commaPercent("Load")};
        for (std::size_t s = first; s < last; ++s)
            loadRow << num(quint64(RV::Rfc::frameLossLoad(start, step, s)));
        c.row(loadRow);
        for (std::size_t i = 0; i < L::Rows; ++i) {
            QStringList values{frames.at(int(i))};
            for (std::size_t s = first; s < last; ++s)
                values << num(get32(res, L::value(i, s)));
            c.row(values);
        }
    }
}
