#include "resultfiles.h"

#include "bertlayout.h"
#include "headerfields.h"
#include "iflayout.h"
#include "pinglayout.h"
#include "resultfile.h"

#include <limits>

namespace {

using namespace ResultFile;

template <std::size_t N>
void header(Block<N> &b, const HeaderFields &f, quint32 ip, quint8 macLast, bool autoMac, quint8 mode,
            quint8 tos, quint8 dscp, quint16 src, quint16 dst)
{
    put32(b, f.ip, ip);
    const quint8 mac[6] = {0x02, 0x10, 0x20, 0x30, 0x40, macLast};
    for (std::size_t i = 0; i < 6; ++i)
        b[f.mac + i] = mac[i];
    b[f.autoMac] = autoMac;
    b[f.mode] = mode;
    b[f.tos] = tos;
    b[f.dscp] = dscp;
    put16(b, f.udpSrc, src);
    put16(b, f.udpDst, dst);
    if (f.level3 != HeaderFields::None)
        b[f.level3] = 1;
    if (f.level4 != HeaderFields::None)
        b[f.level4] = 1;
}

template <std::size_t N>
void place(QByteArray &file, std::size_t base, std::size_t i, const Block<N> &b)
{
    copyOut(b, file, qsizetype(at(base, N, i)));
}

void iface(QByteArray &file)
{
    namespace F = IfaceConfigField;
    // A: 1000 Mbit/s only (the bit pair 4|5), two VLAN tags, one MPLS label.
    IfaceConfigBlock a{};
    a[F::LinkModes] = LinkMode::Half1000 | LinkMode::Full1000;
    const quint8 macA[6] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    std::copy(macA, macA + 6, a.begin() + F::Mac);
    put32(a, F::Ip, 0x0A010203);      // 10.1.2.3
    put32(a, F::Mask, 0xFFFF0000);    // 255.255.0.0
    put32(a, F::Gateway, 0x0A010001); // 10.1.0.1
    a[F::VlanCount] = 2;
    put16(a, F::tpid(0), 0x8100);
    put16(a, F::tci(0), 0xA064); // PCP 5, VID 100
    put16(a, F::tpid(1), 0x9100);
    put16(a, F::tci(1), 0x60C8); // PCP 3, VID 200
    a[F::MplsCount] = 1;
    put32(a, F::mpls(0), 0x40612345); // TTL 64, QoS 6, label 12345
    place(file, IfaceConfig, 0, a);

    // B: DHCP, 100 Mbit/s half and full duplex, no tags.
    IfaceConfigBlock b{};
    b[F::Dhcp] = 1;
    b[F::LinkModes] = LinkMode::Half100 | LinkMode::Full100;
    const quint8 macB[6] = {0x00, 0xaa, 0xbb, 0xcc, 0xdd, 0xee};
    std::copy(macB, macB + 6, b.begin() + F::Mac);
    put32(b, F::Ip, 0x0A090807);
    put32(b, F::Mask, 0xFFFFFF00);
    put32(b, F::Gateway, 0x0A090801);
    place(file, IfaceConfig, 1, b);
}

void bert(QByteArray &file)
{
    namespace C = BertConfigField;
    namespace R = BertResultField;
    for (std::size_t p = 0; p < 2; ++p) {
        BertConfigBlock c{};
        BertResultBlock r{};
        c[C::Pattern] = p ? 15 : 3; // 2E31-1 (15 mod 8), 2E15-1
        put16(c, C::Size, p ? 128 : 1518);
        put16(c, C::Rate, p ? 40 : 75);
        c[C::Units] = p ? 6 : 3; // kbps (6 mod 4), Mbps
        put32(c, C::Duration, p ? 100 : 3600);
        put32(c, C::UserPattern, p ? 0x00000042 : 0x1234abcd);
        put64(r, R::RxBits, p ? 0 : 5000000000000ull);
        put64(r, R::ErrorBits, p ? 9 : 5000);
        put32(r, R::Lss, p ? 7 : 12);
        put32(r, R::Los, p ? 8 : 30);
        put32(r, R::Elapsed, p ? 0 : 600);
        place(file, BertConfig, p, c);
        place(file, BertResult, p, r);
    }
}

void traffic(QByteArray &file)
{
    namespace C = TrafficConfigField;
    namespace R = TrafficResultField;
    TrafficConfigBlock a{}, b{};
    header(a, HeaderOf::Traffic, 0xC0A80506, 0x07, true, 1, 0xA8, 46 << 2, 1111, 2222);
    a[C::Units] = 2;
    put16(a, C::Rate, 5000);
    put16(a, C::Length, 512);
    put32(a, C::Duration, 7322); // 02:02:02
    put16(a, C::Margin, 2000);
    header(b, HeaderOf::Traffic, 0xAC100009, 0x0e, false, 2, 0, 26 << 2, 3333, 4444);
    b[C::Units] = 3;
    put16(b, C::Rate, 900);
    put16(b, C::Length, 1024);
    put32(b, C::Duration, 60);
    place(file, TrafficConfig, 0, a);
    place(file, TrafficConfig, 1, b);

    TrafficResultBlock ra{}, rb{};
    put32(ra, R::TxFrames, 1000000);
    put32(ra, R::RxFrames, 999000);
    put32(ra, R::TxBytes, 512000000);
    put32(ra, R::Runt, 10);
    put32(ra, R::Jabber, 20);
    put32(ra, R::Crc, 30);
    put32(ra, R::Pause, 7);
    ra[R::Load] = 75;
    put32(rb, R::RxFrames, 5); // nothing sent: no coefficients, a wrapped loss
    put32(rb, R::Crc, 3);
    rb[R::Load] = 1;
    place(file, TrafficResult, 0, ra);
    place(file, TrafficResult, 1, rb);
}

void ping(QByteArray &file)
{
    namespace C = PingConfigField;
    namespace R = PingResultField;
    namespace S = PingStatsField;
    PingConfigBlock ca{}, cb{};
    put32(ca, C::IpDst, 0x08080404);
    put16(ca, C::FrameSize, 100);
    put16(ca, C::Pause, 500);
    put32(cb, C::IpDst, 0xC0A80001);
    put16(cb, C::FrameSize, 64);
    put16(cb, C::Pause, 1000);
    place(file, PingConfig, 0, ca);
    place(file, PingConfig, 1, cb);

    PingResultBlock ra{};
    const struct { quint8 status; quint16 seq; quint32 latency; } rows[] = {{2, 1, 12}, {3, 2, 0}, {9, 3, 77}};
    for (std::size_t i = 0; i < 3; ++i) {
        ra[R::row(i) + R::Status] = rows[i].status;
        put16(ra, R::row(i) + R::Sequence, rows[i].seq);
        put32(ra, R::row(i) + R::Latency, rows[i].latency);
    }
    place(file, PingResult, 0, ra);
    PingStatsBlock sa{}, sb{};
    put32(sa, S::Sent, 3);
    put32(sa, S::Received, 1);
    putFloat(sa, S::Average, 12.5f);
    put32(sa, S::Minimum, S::NoMinimum);
    put32(sa, S::Maximum, 12);
    put32(sb, S::Sent, 2);
    put32(sb, S::Received, 4);
    put32(sb, S::Minimum, 3);
    place(file, PingStats, 0, sa);
    place(file, PingStats, 1, sb);
}

void trace(QByteArray &file)
{
    namespace C = TraceConfigField;
    namespace H = TraceHopField;
    TraceConfigBlock c{};
    put32(c, C::IpDst, 0x01010101);
    put16(c, C::Pause, 250);
    place(file, TraceConfig, 0, c);
    TraceResultBlock r{};
    // Addresses in transmission order: first octet in the lowest byte.
    const struct { std::size_t k; quint8 status; quint32 address; quint32 latency; quint8 number; } hops[] = {
        {0, 2, 0x0100000A, 3, 1}, {1, 3, 0, 0, 2}, {2, 1, 0, 0, 3}, {3, 5, 0x01010101, 20, 4}, {254, 2, 0x09090909, 99, 255},
    };
    for (const auto &h : hops) {
        const std::size_t at = H::hop(h.k);
        r[at + H::Status] = h.status;
        put32(r, at + H::Address, h.address);
        put32(r, at + H::Latency, h.latency);
        r[at + H::Number] = h.number;
    }
    place(file, TraceResult, 0, r);
}

void jitter(QByteArray &file)
{
    namespace C = JitterConfigField;
    namespace R = JitterResultField;
    JitterConfigBlock c{};
    header(c, HeaderOf::Jitter, 0xC0A80708, 0x09, false, 0, 0, 0, 5555, 6666);
    put16(c, C::Length, 256);
    c[C::Rate] = 50;
    c[C::Units] = 0;
    put32(c, C::Duration, 120);
    put16(c, C::Threshold, 8);
    place(file, JitterConfig, 0, c);
    JitterResultBlock r{};
    put64(r, R::RxAll, 1000);
    put64(r, R::RxInOrder, 990);
    const quint64 buckets[R::Buckets] = {500, 250, 125, 60, 30, 15, 10, 5, 5};
    for (std::size_t j = 0; j < R::Buckets; ++j)
        put64(r, R::bucket(j), buckets[j]);
    place(file, JitterResult, 0, r);
    JitterResultBlock rb{};
    put64(rb, R::bucket(0), 4); // counts without a total: no shares
    place(file, JitterResult, 1, rb);
}

void multi(QByteArray &file)
{
    namespace F = MultiConfigField;
    namespace S = MultiStreamField;
    namespace R = MultiResultField;
    MultiConfigBlock c{};
    MultiResultBlock r{};
    put32(c, F::Duration, 30);
    put16(c, F::Margin, 1000);
    r[R::Present] = 1;
    for (std::size_t i = 0; i < F::Streams; ++i) {
        const std::size_t s = F::stream(i);
        header(c, HeaderOf::MultiStream.shifted(s), 0xC0A80A01 + quint32(i), quint8(0x50 + i), false, 0, 0, 0,
               quint16(100 + i), quint16(200 + i));
        c[s + S::Active] = i < 3;
        put16(c, s + S::Rate, quint16(10 + i));
        c[s + S::Units] = quint8(i % 4);
        put16(c, s + S::Length, i == 0 ? 9000 : quint16(64 * (i + 1)));
        // Inactive streams carry counts too; the report shows zeros for them.
        const std::size_t o = R::stream(i);
        r[o + R::Load] = quint8(20 + i);
        put32(r, o + R::TxFrames, i == 0 ? 3000000000u : quint32(1000 * (i + 1)));
        put32(r, o + R::RxFrames, i == 0 ? 2999999000u : quint32(1000 * (i + 1) - i));
        put32(r, o + R::Latency, quint32(500 + i));
    }
    place(file, MultiConfig, 0, c);
    place(file, MultiResult, 0, r);
}

void rfc(QByteArray &file)
{
    namespace C = RfcConfigField;
    namespace S = RfcSummaryField;
    namespace L = RfcResultLayout;
    RfcConfigBlock c{};
    header(c, HeaderOf::Rfc, 0x0A141E28, 0x0b, true, 0, 0, 0, 7000, 8000);
    c[C::ThrEnabled] = 1;
    c[C::LatEnabled] = 0;
    c[C::FrlEnabled] = 1;
    c[C::BtbEnabled] = 1;
    put32(c, C::ThrSample, 20);
    c[C::ThrStartLoad] = 90;
    c[C::ThrEndLoad] = 10;
    put32(c, C::LatInterval, 3);
    put32(c, C::LatIterations, 7);
    for (std::size_t i = 0; i < C::Slots; ++i)
        c[C::latUserLoad(i)] = quint8(11 + i);
    c[C::LatUserLoading] = 1;
    put32(c, C::FrlSample, 2);
    c[C::FrlStartLoad] = 100;
    c[C::FrlEndLoad] = 80;
    c[C::FrlStep] = 5; // 100, 95, 90, 85, 80
    put16(c, C::BtbMin, 2);
    put16(c, C::BtbMax, 50);
    put16(c, C::BtbIterations, 9);
    const quint16 sizes[C::Slots] = {64, 128, 256, 512, 1024, 1280, 1518, 9000};
    for (std::size_t i = 0; i < C::Slots; ++i) {
        c[C::slotEnabled(i)] = i < 7;
        put16(c, C::slotSize(i), sizes[i]);
    }
    place(file, RfcConfig, 0, c);

    RfcResultBlock r{};
    for (std::size_t i = 0; i < L::Rows; ++i) {
        put16(r, S::frameLength(i), sizes[i]);
        r[S::thrStatus(i)] = i == 7 ? 12 : quint8(i); // 12 has no text
        putFloat(r, S::thrLoad(i), float(100 - 10 * int(i)));
        putFloat(r, S::thrRate(i), float(100e6 * double(i + 1)));
        putDouble(r, S::latValue(i), 1500.5 + 1000.0 * double(i));
        r[S::latStatus(i)] = 1;
        r[S::btbStatus(i)] = 1;
        put16(r, S::btbMin(i), quint16(i + 1));
        put16(r, S::btbMax(i), quint16(10 * (i + 1)));
        r[S::frlStatus(i)] = 1;
        for (std::size_t s = 0; s < L::Steps; ++s) {
            put32(r, L::value(i, s), quint32(2 * s + i));
            r[L::byte(i, s)] = quint8(100 - 5 * s);
        }
    }
    place(file, RfcResult, 0, r);
    RfcResultBlock rb{};
    putFloat(rb, S::thrLoad(0), std::numeric_limits<float>::quiet_NaN());
    place(file, RfcResult, 1, rb);
}

} // namespace

namespace ResultFiles {

QByteArray typical()
{
    QByteArray file(qsizetype(Size), '\0');
    const char time[6] = {5, 3, 12, 9, 7, 4}; // 09/07/04  05:03:12
    for (int i = 0; i < 6; ++i)
        file[qsizetype(TimeHour) + i] = time[i];
    iface(file);
    bert(file);
    traffic(file);
    ping(file);
    trace(file);
    jitter(file);
    multi(file);
    rfc(file);
    return file;
}

QByteArray filled(char byte)
{
    return QByteArray(qsizetype(Size), byte);
}

QByteArray tooShort()
{
    return typical().left(qsizetype(Size) - 1);
}

} // namespace ResultFiles
