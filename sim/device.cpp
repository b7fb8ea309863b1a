#include "device.h"

#include "bertrun.h"
#include "cablerun.h"
#include "dnsrun.h"
#include "jitterrun.h"
#include "multirun.h"
#include "packetfields.h"
#include "pingrun.h"
#include "rfcrun.h"
#include "tracerun.h"
#include "trafficrun.h"

#include "bertlayout.h"
#include "iflayout.h"
#include "jitterlayout.h"
#include "lblayout.h"
#include "multilayout.h"
#include "oamlayout.h"
#include "packet.h"
#include "pinglayout.h"
#include "progpack.h"
#include "rfclayout.h"
#include "statslayout.h"
#include "testcodes.h"
#include "trafficlayout.h"
#include "undefinedlayout.h"

#include <QTextStream>

#include <cstring>
#include <optional>

namespace {

constexpr quint8 kOamVendor[4] = {0x02, 0x51, 0x56, 0x01};

// The addresses a DHCP server hands out: 192.168.0.50 + interface.
constexpr quint32 kDhcpBase = 0xC0A80032;
constexpr quint32 kDhcpMask = 0xFFFFFF00;
constexpr quint32 kDhcpGateway = 0xC0A80001;

quint8 byteAt(const QByteArray &p, std::size_t offset)
{
    return quint8(p.at(qsizetype(offset)));
}

void setByte(QByteArray &p, std::size_t offset, quint8 value)
{
    p[qsizetype(offset)] = char(value);
}

// Whether byte 2 of a request is the process. The others carry nothing
// there, or an interface (62), a port (66), a flag or a file name.
bool carriesProcess(quint8 id)
{
    switch (id) {
    case PROGPACK_CHECKCONNECT:
    case PROGPACK_FPGA_RW:
    case PROGPACK_SCREEN:
    case PROGPACK_FILE_OPEN:
    case PROGPACK_FILE_READ:
    case PROGPACK_DIR_FIRST:
    case PROGPACK_DIR_NEXT:
    case PROGPACK_STATS_CFG:
    case PROGPACK_IFACE_CFG:
    case PROGPACK_STATS_RES:
    case PROGPACK_STATS_RESET:
    case PROGPACK_TRANSFER:
    case PROGPACK_SET_SAVE:
    case PROGPACK_SET_LOAD:
    case PROGPACK_FILE_DEL:
        return false;
    default:
        return true;
    }
}

struct RunKind
{
    int bit;
    bool crossPort; // follows the process's topology
};

// Run codes of ID 60 to their test.
std::optional<RunKind> runKind(quint8 code)
{
    switch (code) {
    case RunCode::Rfc: return RunKind{StateBit::Rfc, true};
    case RunCode::Bert: return RunKind{StateBit::Bert, true};
    case RunCode::Traffic: return RunKind{StateBit::Traffic, true};
    case RunCode::Ping: return RunKind{StateBit::Ping, false};
    case RunCode::Trace: return RunKind{StateBit::Trace, false};
    case RunCode::Jitter: return RunKind{StateBit::Jitter, true};
    case RunCode::Cable: return RunKind{StateBit::Cable, false};
    case RunCode::Dns: return RunKind{StateBit::Dns, false};
    case RunCode::Multi: return RunKind{StateBit::Multi, true};
    default: return std::nullopt;
    }
}

} // namespace

QByteArray Device::replyTo(const QByteArray &request)
{
    return Packet::make(Packet::id(request), Packet::SerialReplyStart);
}

Device::Device(const DeviceIdentity &identity, quint32 seed, UndefinedBytes undefined, QObject *parent)
    : QObject(parent)
    , m_identity(identity)
    , m_random(seed)
    , m_undefined(std::move(undefined))
{
    for (int p = 0; p < Processes; ++p) {
        Process &s = m_proc[std::size_t(p)];
        s.lb = LbDefaults::Port[p];
        s.ping = PingDefaults::Ping[p];
        s.trace = PingDefaults::Trace[p];
        s.jitter = JitterDefaults::Port[p];
        s.traffic = TrafficDefaults::Port[p];
        s.rfc = RfcDefaults::Port[p];
        s.bert = BertDefaults::Port[p];
        s.dns = PingDefaults::Dns[p];
        s.multi = MultiDefaults::Port[p];
        put32(s.pingStats, PingStatsField::Minimum, PingStatsField::NoMinimum);
    }
    for (std::size_t i = 0; i < m_iface.size(); ++i) {
        m_iface[i] = IfaceDefaults::Iface[i];
        // OAM stays off until the user enables it: an active OAM session
        // occupies its port.
        m_iface[i][IfaceConfigField::OamMode] = OamMode::Disabled;
    }
    for (std::size_t i = 0; i < 3; ++i)
        m_registers.insert(quint16(i), m_identity.fpga[i]);
    if (m_undefined.isNoise()) {
        for (Process &s : m_proc) {
            noiseReserved(s.lb, PROGPACK_LB_CFG);
            noiseReserved(s.traffic, PROGPACK_TRAFFIC_CFG);
            noiseReserved(s.rfc, PROGPACK_RFC_CFG);
            noiseReserved(s.jitter, PROGPACK_JITTER_CFG);
            noiseReserved(s.bert, PROGPACK_BERT_CFG);
            noiseReserved(s.multi, PROGPACK_MULTI_CFG1);
        }
        for (IfaceConfigBlock &b : m_iface)
            noiseReserved(b, PROGPACK_IFACE_CFG);
    }
}

template <std::size_t N>
void Device::noiseReserved(Block<N> &block, quint8 id)
{
    for (const UndefinedLayout::Bytes &r : UndefinedLayout::reservedInConfig(id)) {
        for (std::size_t i = r.offset; i < r.offset + r.count; ++i) {
            char noise = 0;
            m_undefined.fill(&noise, 1);
            block[i] = quint8((block[i] & ~r.mask) | (quint8(noise) & r.mask));
        }
    }
}

void Device::checkReserved(const QByteArray &request, const quint8 *block, std::size_t count, std::size_t from)
{
    const quint8 id = Packet::id(request);
    for (const UndefinedLayout::Bytes &r : UndefinedLayout::reservedInConfig(id)) {
        for (std::size_t i = qMax(r.offset, from); i < qMin(r.offset + r.count, from + count); ++i) {
            const auto sent = quint8(request.at(qsizetype(Req::Block + i - from)));
            if (((sent ^ block[i]) & r.mask) == 0)
                continue;
            ++m_reservedChanges;
            QTextStream(stderr) << QStringLiteral("qvsim: ID %1 wrote reserved byte %2 of its block as 0x%3, "
                                                  "the tester holds 0x%4\n")
                                       .arg(id)
                                       .arg(i)
                                       .arg(sent & r.mask, 2, 16, QLatin1Char('0'))
                                       .arg(block[i] & r.mask, 2, 16, QLatin1Char('0'));
        }
    }
}

Device::~Device() = default;

bool Device::setFileDirectory(const QString &dir, QString *error)
{
    if (!m_files.setDirectory(dir, error))
        return false;
    // Result names go on from the highest number already stored.
    for (const QString &name : m_files.names()) {
        const qsizetype underscore = name.lastIndexOf(u'_');
        if (name.startsWith(u'$') && underscore > 0)
            m_resultSequence = qMax(m_resultSequence, name.mid(underscore + 1).toInt());
    }
    return true;
}

QByteArray Device::banner() const
{
    return QStringLiteral("\r\n%1 boot\r\nCPU %2 FPGA %3 release %4\r\nS/N %5\r\n")
        .arg(m_identity.qvb ? QStringLiteral("ZORT-QVB") : QStringLiteral("ZORT-QV"),
             m_identity.versionText(m_identity.cpu), m_identity.versionText(m_identity.fpga),
             QString::fromLatin1(DeviceIdentity::Release))
        .arg(m_identity.serial)
        .toLatin1();
}

void Device::say(const QString &line)
{
    Q_EMIT freeText(line.toLatin1() + "\r\n");
}

// ---- time -----------------------------------------------------------------

void Device::sync()
{
    if (m_clock)
        advance(m_clock() - m_now);
}

void Device::advance(qint64 ms)
{
    while (ms > 0) {
        const qint64 dt = qMin(ms, StepMs);
        step(dt);
        ms -= dt;
    }
}

int Device::speedCode(int port) const
{
    if (!exists(port))
        return 0;
    const quint8 modes = m_iface[std::size_t(port)][IfaceConfigField::LinkModes];
    if (modes & (LinkMode::Half1000 | LinkMode::Full1000))
        return 3;
    if (modes & (LinkMode::Half100 | LinkMode::Full100))
        return 2;
    if (modes & (LinkMode::Half10 | LinkMode::Full10))
        return 1;
    return 0;
}

quint64 Device::lineBps(int port) const
{
    static constexpr quint64 bps[4] = {0, 10000000, 100000000, 1000000000};
    return bps[speedCode(port)];
}

Net::Interface Device::interface(int iface) const
{
    using namespace IfaceConfigField;
    const IfaceConfigBlock &b = m_iface[std::size_t(iface)];
    const qint64 since = m_dhcpSince[std::size_t(iface)];
    if (get8(b, Dhcp) != 0) {
        if (since >= 0 && m_now - since >= DhcpLeaseMs)
            return {kDhcpBase + quint32(iface), kDhcpMask, kDhcpGateway};
        return {};
    }
    return {get32(b, Ip), get32(b, Mask), get32(b, Gateway)};
}

RunContext Device::context()
{
    RunContext c;
    for (int p = 0; p < Processes; ++p) {
        c.lineBps[p] = lineBps(p);
        c.iface[p] = interface(p);
    }
    c.random = &m_random;
    return c;
}

void Device::step(qint64 ms)
{
    m_now += ms;
    const RunContext c = context();
    for (Process &s : m_proc)
        s.txRate = s.rxRate = 0;
    for (int p = 0; p < Processes; ++p) {
        Process &s = m_proc[std::size_t(p)];
        if (s.run) {
            s.run->advance(ms, c);
            countFlows(p, ms);
            if (s.run->finished())
                endRun(p, false);
        }
        // What any link carries: address resolution and a little multicast.
        if (c.lineBps[p] > 0) {
            const double seconds = double(ms) / 1000.0;
            addFrames(p, StatsResultField::RxHalf, 64, 2.0 * seconds, false);
            addFrames(p, StatsResultField::RxHalf, 128, 0.5 * seconds, true);
            addFrames(p, StatsResultField::TxHalf, 64, 0.5 * seconds, false);
            s.rxRate += 2.0 * 64 + 0.5 * 128;
            s.txRate += 0.5 * 64;
        }
        if (s.oam && m_now - s.oamSince >= OamDiscoveryMs && !get8(s.oamResult, OamResultField::Peer)) {
            put8(s.oamResult, OamResultField::Peer, 1);
            put8(s.oamResult, OamResultField::PeerConfig,
                 OamPeerConfig::ActiveMode | OamPeerConfig::RemoteLoopback | OamPeerConfig::LinkEvents);
            for (std::size_t i = 0; i < 4; ++i)
                put8(s.oamResult, OamResultField::Vendor + i, kOamVendor[i]);
            const quint8 mac[6] = {0x02, 0x00, 0x00, 0x00, 0x0A, quint8(p)};
            for (std::size_t i = 0; i < 6; ++i)
                put8(s.oamResult, OamResultField::PeerMac + i, mac[i]);
            say(QStringLiteral("%1: OAM peer found").arg(portName(p)));
        }
    }
    if (m_now >= m_nextUptimeText) {
        say(QStringLiteral("uptime %1 s").arg(m_now / 1000));
        m_nextUptimeText += UptimeTextMs;
    }
}

void Device::countFlows(int process, qint64 ms)
{
    const TestRun &run = *m_proc[std::size_t(process)].run;
    const double seconds = double(ms) / 1000.0;
    for (const Net::Flow &f : run.flows()) {
        addFrames(run.process(), StatsResultField::TxHalf, f.length, f.txFps * seconds, true);
        addFrames(run.peer(), StatsResultField::RxHalf, f.length, f.rxFps * seconds, true);
        m_proc[std::size_t(run.process())].stats[StatsResultField::rx(StatsResultField::Pause) / 4]
            += f.pauseFps * seconds;
        m_proc[std::size_t(run.peer())].stats[StatsResultField::rx(StatsResultField::errorCounter(0)) / 4]
            += double(Net::poisson(f.rxFps * seconds * 1e-10, m_random));
        m_proc[std::size_t(run.process())].txRate += f.txFps * f.length;
        m_proc[std::size_t(run.peer())].rxRate += f.rxFps * f.length;
    }
}

void Device::addFrames(int port, std::size_t half, int length, double frames, bool ip)
{
    using StatsResultField::sizeClass;
    using StatsResultField::sizeClassOf;
    auto &c = m_proc[std::size_t(port)].stats;
    const auto at = [half](std::size_t field) { return (half + field) / 4; };
    const bool broadcast = !ip;
    c[at(StatsResultField::Bytes)] += frames * length;
    c[at(StatsResultField::Frames)] += frames;
    c[at(broadcast ? StatsResultField::Broadcast
                   : (length == 128 ? StatsResultField::Multicast : StatsResultField::Unicast))] += frames;
    c[at(sizeClass(sizeClassOf(length)))] += frames;
    if (!ip)
        c[at(StatsResultField::Level)] += frames;
}

quint32 Device::stateWord(int p) const
{
    if (p < 0 || p >= Processes || !exists(p))
        return 0;
    const Process &s = m_proc[std::size_t(p)];
    quint32 w = 0;
    if (s.run) {
        w |= StateBit::tx(s.run->bit());
        if (s.run->peer() == p)
            w |= StateBit::rx(s.run->bit());
    }
    const Process &other = m_proc[std::size_t(1 - p)];
    if (other.run && other.run->peer() == p)
        w |= StateBit::rx(other.run->bit());
    if (s.loopLevel > 0)
        w |= StateBit::tx(StateBit::Loopback) | StateBit::rx(StateBit::Loopback);
    if (m_transit)
        w |= StateBit::tx(StateBit::Transit) | StateBit::rx(StateBit::Transit);
    if (s.oam)
        w |= StateBit::tx(StateBit::Oam);
    return w;
}

qint64 Device::elapsedSeconds(int p) const
{
    const Process &s = m_proc[std::size_t(p)];
    const Process &other = m_proc[std::size_t(1 - p)];
    if (s.run)
        return s.run->elapsedMs() / 1000;
    if (other.run && other.run->peer() == p)
        return other.run->elapsedMs() / 1000;
    return 0;
}

// ---- requests -------------------------------------------------------------

QByteArray Device::respond(const QByteArray &request)
{
    QByteArray r = buildReply(request);
    if (!r.isEmpty() && m_undefined.isNoise())
        fillUndefined(request, r);
    return r;
}

void Device::fillUndefined(const QByteArray &request, QByteArray &reply)
{
    std::array<bool, Packet::Size> defined{};
    for (const UndefinedLayout::Bytes &b : UndefinedLayout::definedPayload(request, reply))
        std::fill_n(defined.begin() + qMin<std::size_t>(b.offset, Packet::CrcOffset),
                    qMin<std::size_t>(b.count, Packet::CrcOffset - qMin<std::size_t>(b.offset, Packet::CrcOffset)),
                    true);
    for (int i = Packet::PayloadOffset; i < Packet::CrcOffset; ++i) {
        if (!defined[std::size_t(i)])
            m_undefined.fill(reply, i, 1);
    }
    for (const UndefinedLayout::Bytes &b : UndefinedLayout::reservedInReply(request, reply)) {
        for (std::size_t i = b.offset; i < b.offset + b.count && i < std::size_t(Packet::CrcOffset); ++i) {
            char noise = 0;
            m_undefined.fill(&noise, 1);
            reply[qsizetype(i)] = char((quint8(reply.at(qsizetype(i))) & ~b.mask) | (quint8(noise) & b.mask));
        }
    }
}

QByteArray Device::buildReply(const QByteArray &request)
{
    sync();
    const quint8 id = Packet::id(request);
    const int p = byteAt(request, Req::Process);
    const bool perProcess = carriesProcess(id);
    if (perProcess && p >= Processes) {
        say(QStringLiteral("packet %1 for process %2 ignored").arg(id).arg(p));
        return {};
    }
    Process &s = m_proc[std::size_t(perProcess ? p : 0)];
    const auto result = [&](const auto &block, std::size_t at) {
        QByteArray r = replyTo(request);
        copyOut(block, r, qsizetype(at));
        return r;
    };

    switch (id) {
    case PROGPACK_CHECKCONNECT: return status();
    case PROGPACK_FPGA_RW: return debugRegister(request);
    case PROGPACK_SCREEN: return screen(request);
    case PROGPACK_FILE_OPEN: return fileOpen(request);
    case PROGPACK_FILE_READ: return fileRead(request);
    case PROGPACK_DIR_FIRST: return dirEntry(request, true);
    case PROGPACK_DIR_NEXT: return dirEntry(request, false);
    case PROGPACK_LB_CFG: return config(request, s.lb, Rep::Payload, StateBit::Loopback);
    case PROGPACK_PING_CFG: return config(request, s.ping, Rep::Block, StateBit::Ping);
    case PROGPACK_TRACE_CFG: return config(request, s.trace, Rep::Block, StateBit::Trace);
    case PROGPACK_JITTER_CFG: return config(request, s.jitter, Rep::Block, StateBit::Jitter);
    case PROGPACK_TRAFFIC_CFG: return config(request, s.traffic, Rep::Block, StateBit::Traffic);
    case PROGPACK_RFC_CFG: return config(request, s.rfc, Rep::Block, StateBit::Rfc);
    case PROGPACK_BERT_CFG: return config(request, s.bert, Rep::Payload, StateBit::Bert);
    case PROGPACK_DNS_CFG: return config(request, s.dns, Rep::Payload, StateBit::Dns);
    case PROGPACK_MULTI_CFG1:
        return config(request, s.multi, Rep::Payload, StateBit::Multi, MultiConfigField::FirstPart, 0);
    case PROGPACK_MULTI_CFG2:
        return config(request, s.multi, Rep::Payload, StateBit::Multi, MultiConfigField::SecondPart,
                      MultiConfigField::FirstPart);
    case PROGPACK_PING_RES: {
        QByteArray r = result(s.pingResult, Rep::Payload);
        copyOut(s.pingStats, r, Rep::PingStats);
        return r;
    }
    case PROGPACK_TRACE_RES: {
        QByteArray r = replyTo(request);
        const std::size_t from = std::size_t(byteAt(request, Req::TracePage)) * BlockSize::TracePage;
        copyOut(s.traceResult, r, Rep::Payload, BlockSize::TracePage, from);
        return r;
    }
    case PROGPACK_JITTER_RES: return result(s.jitterResult, Rep::Payload);
    case PROGPACK_CABLE_RES: return result(s.cableResult, Rep::Payload);
    case PROGPACK_TRAFFIC_RES: return result(s.trafficResult, Rep::TrafficResult);
    case PROGPACK_BERT_RES: return result(s.bertResult, Rep::Payload);
    case PROGPACK_DNS_RES: return result(s.dnsResult, Rep::Payload);
    case PROGPACK_OAM_RES: return result(s.oamResult, Rep::Payload);
    case PROGPACK_MULTI_RES: return result(s.multiResult, Rep::Payload);
    case PROGPACK_RFC_RES: return rfcSummary(request);
    case PROGPACK_RFC_STEP: return rfcStep(request);
    case PROGPACK_STATS_CFG: {
        if (byteAt(request, Req::StatsWrite) == 1)
            m_statsAutoReset = byteAt(request, Req::StatsFlag) != 0;
        QByteArray r = replyTo(request);
        setByte(r, Rep::Payload, m_statsAutoReset ? 1 : 0);
        return r;
    }
    case PROGPACK_STATS_RES: return stats(request);
    case PROGPACK_STATS_RESET:
        for (Process &each : m_proc)
            each.stats.fill(0);
        return replyTo(request);
    case PROGPACK_TEST_RUN: return testRun(request);
    case PROGPACK_MODE: return setMode(request);
    case PROGPACK_IFACE_CFG: return iface(request);
    case PROGPACK_OAM_CFG: return oamConfig(request);
    case PROGPACK_TRANSFER: {
        const quint8 arg = byteAt(request, Req::TransferArg);
        if (arg == Transfer::Enter || arg == Transfer::Leave) {
            if (arg != m_mode)
                say(arg == Transfer::Enter ? QStringLiteral("file transfer on") : QStringLiteral("file transfer off"));
            m_mode = arg;
            if (arg == Transfer::Leave)
                m_fileOpen = false;
        }
        return replyTo(request);
    }
    case PROGPACK_SET_SAVE: return saveSettings(request);
    case PROGPACK_SET_LOAD: return loadSettings(request);
    case PROGPACK_FILE_DEL: return deleteFile(request);
    default:
        say(QStringLiteral("unknown packet %1").arg(id));
        return {};
    }
}

template <std::size_t N>
QByteArray Device::config(const QByteArray &request, Block<N> &block, std::size_t replyAt, int bit,
                          std::size_t count, std::size_t from)
{
    const int p = byteAt(request, Req::Process);
    if (byteAt(request, Req::Write) == 1)
        checkReserved(request, block.data(), count, from);
    // The settings of a running test stay as they were until it ends.
    if (byteAt(request, Req::Write) == 1 && !(stateWord(p) & StateBit::tx(bit)))
        copyIn(block, request, Req::Block, count, from);
    QByteArray r = replyTo(request);
    copyOut(block, r, qsizetype(replyAt), count, from);
    return r;
}

QByteArray Device::status()
{
    using namespace StatusField;
    QByteArray r = Packet::make(PROGPACK_CHECKCONNECT, Packet::SerialReplyStart);
    writeIdentity(r, m_identity, m_mode);
    setByte(r, Model, m_identity.qvb ? 1 : 0);
    std::memcpy(r.data() + Release, DeviceIdentity::Release, sizeof DeviceIdentity::Release);
    quint8 duplex = 0;
    for (int p = 0; p < Processes; ++p) {
        const Process &s = m_proc[std::size_t(p)];
        const std::size_t i = std::size_t(p);
        setByte(r, Topology + i, exists(p) ? s.topology : 0xFF);
        Bytes::put32(r.data(), State + 4 * i, stateWord(p));
        setByte(r, LoopLevel + i, s.loopLevel);
        const int code = speedCode(p);
        setByte(r, LinkSpeed + i, quint8(code));
        // Half duplex when the fastest speed offered has no full duplex.
        const quint8 modes = m_iface[i][IfaceConfigField::LinkModes];
        const quint8 full = code == 3 ? LinkMode::Full1000 : code == 2 ? LinkMode::Full100 : LinkMode::Full10;
        if (code > 0)
            duplex |= quint8((modes & full ? 2 : 1) << (4 * p));
        // One byte that wraps, as the tester's does; the program unwraps it.
        setByte(r, Elapsed + i, quint8(elapsedSeconds(p) & 0xFF));
        Bytes::put32(r.data(), Rates + 8 * i, exists(p) ? quint32(s.txRate) : 0);
        Bytes::put32(r.data(), Rates + 8 * i + 4, exists(p) ? quint32(s.rxRate) : 0);
    }
    setByte(r, Duplex, duplex);
    return r;
}

QByteArray Device::testRun(const QByteArray &request)
{
    const int p = byteAt(request, Req::Process);
    const bool start = byteAt(request, Req::RunFlag) == 1;
    const quint8 code = byteAt(request, Req::RunCode);
    Process &s = m_proc[std::size_t(p)];
    const QByteArray r = replyTo(request);

    if (code == RunCode::Oam) {
        // Starts and stops the peer's remote loopback; the session itself
        // follows the OAM mode.
        if (start && !s.oam && stateWord(p) == 0 && exists(p)
            && m_iface[std::size_t(p)][IfaceConfigField::OamMode] != OamMode::Disabled) {
            s.oam = true;
            s.oamSince = m_now;
        } else if (s.oam && get8(s.oamResult, OamResultField::Peer) && s.remoteLoopback != start) {
            s.remoteLoopback = start;
            say(QStringLiteral("%1: OAM remote loopback %2").arg(portName(p), start ? u"on" : u"off"));
        }
        return r;
    }
    const auto kind = runKind(code);
    if (!kind)
        return r;
    if (!start) {
        if (s.run && s.run->bit() == kind->bit) {
            s.run->stop();
            endRun(p, true);
        }
        return r;
    }
    const bool cross = kind->crossPort && s.topology == Mode::Cross;
    const int peer = cross ? 1 - p : p;
    const auto refuse = [&](const QString &why) {
        say(QStringLiteral("%1: start refused, %2").arg(portName(p), why));
        return r;
    };
    if (m_mode != 0)
        return refuse(QStringLiteral("file transfer"));
    if (!exists(p) || !exists(peer))
        return refuse(QStringLiteral("no such port"));
    if (stateWord(p) != 0 || stateWord(peer) != 0)
        return refuse(QStringLiteral("port busy"));

    if (m_statsAutoReset) {
        m_proc[std::size_t(p)].stats.fill(0);
        m_proc[std::size_t(peer)].stats.fill(0);
    }
    switch (code) {
    case RunCode::Rfc:
        s.rfcResult.fill(0);
        s.run = std::make_unique<RfcRun>(p, peer, s.rfc, s.rfcResult);
        break;
    case RunCode::Bert:
        s.bertResult.fill(0);
        s.run = std::make_unique<BertRun>(p, peer, s.bert, s.bertResult);
        break;
    case RunCode::Traffic:
        s.trafficResult.fill(0);
        s.run = std::make_unique<TrafficRun>(p, peer, s.traffic, s.trafficResult);
        break;
    case RunCode::Ping:
        s.pingResult.fill(0);
        s.pingStats.fill(0);
        s.run = std::make_unique<PingRun>(p, s.ping, s.pingResult, s.pingStats);
        break;
    case RunCode::Trace:
        s.run = std::make_unique<TraceRun>(p, s.trace, s.traceResult);
        break;
    case RunCode::Jitter:
        s.jitterResult.fill(0);
        s.run = std::make_unique<JitterRun>(p, peer, s.jitter, s.jitterResult);
        break;
    case RunCode::Cable:
        s.run = std::make_unique<CableRun>(p, s.cableResult);
        break;
    case RunCode::Dns:
        s.run = std::make_unique<DnsRun>(p, s.dns, s.dnsResult);
        break;
    case RunCode::Multi:
        s.multiResult.fill(0);
        s.run = std::make_unique<MultiRun>(p, peer, s.multi, s.multiResult);
        break;
    default:
        return r;
    }
    say(QStringLiteral("%1: %2 started (%1->%3)").arg(portName(p), QLatin1String(s.run->name()), portName(peer)));
    return r;
}

void Device::endRun(int process, bool stopped)
{
    Process &s = m_proc[std::size_t(process)];
    say(QStringLiteral("%1: %2 %3").arg(portName(process), QLatin1String(s.run->name()),
                                          stopped ? QStringLiteral("stopped") : QStringLiteral("done")));
    if (s.run->storesResults())
        storeResultFile(*s.run);
    s.run.reset();
}

QByteArray Device::setMode(const QByteArray &request)
{
    const int p = byteAt(request, Req::Process);
    const quint8 value = byteAt(request, Req::ModeValue);
    Process &s = m_proc[std::size_t(p)];
    const quint32 loopBits = StateBit::tx(StateBit::Loopback) | StateBit::rx(StateBit::Loopback);
    if (value == Mode::Cross || value == Mode::SamePort) {
        // A running test keeps its topology.
        if (stateWord(p) == 0)
            s.topology = value;
    } else if (value >= Mode::LoopbackLevel0 && value <= Mode::LoopbackLevel0 + LbLevel::Max) {
        const quint8 level = value - Mode::LoopbackLevel0;
        if ((stateWord(p) & ~loopBits) == 0 && exists(p) && level != s.loopLevel) {
            s.loopLevel = level;
            say(level ? QStringLiteral("%1: loopback level %2").arg(portName(p)).arg(level)
                      : QStringLiteral("%1: loopback off").arg(portName(p)));
        }
    } else if (value == Mode::TransitOn || value == Mode::TransitOff) {
        // Transit joins the two ports, so both must be free for it.
        const bool on = value == Mode::TransitOn;
        if (on && !m_transit && stateWord(0) == 0 && stateWord(1) == 0) {
            m_transit = true;
            say(QStringLiteral("transit on"));
        } else if (!on && m_transit) {
            m_transit = false;
            say(QStringLiteral("transit off"));
        }
    }
    return replyTo(request);
}

QByteArray Device::iface(const QByteArray &request)
{
    const std::size_t i = byteAt(request, Req::Process);
    if (i >= m_iface.size())
        return {};
    IfaceConfigBlock &b = m_iface[i];
    if (byteAt(request, Req::Write) == 1) {
        checkReserved(request, b.data(), b.size(), 0);
        const bool dhcpBefore = get8(b, IfaceConfigField::Dhcp) != 0;
        const quint8 oam = b[IfaceConfigField::OamMode];
        copyIn(b, request, Req::Block);
        // The OAM mode travels in the interface block too: a port's write
        // switches OAM as the OAM page's own request does.
        const quint8 wanted = b[IfaceConfigField::OamMode];
        b[IfaceConfigField::OamMode] = oam;
        if (i < m_proc.size())
            setOamMode(int(i), wanted);
        const bool dhcp = get8(b, IfaceConfigField::Dhcp) != 0;
        if (dhcp && !dhcpBefore)
            m_dhcpSince[i] = m_now;
        if (!dhcp)
            m_dhcpSince[i] = -1;
    }
    QByteArray r = replyTo(request);
    setByte(r, Req::Process, quint8(i));
    copyOut(b, r, Rep::Block);
    const Net::Interface leased = get8(b, IfaceConfigField::Dhcp) ? interface(int(i)) : Net::Interface{};
    Bytes::put32(r.data(), Rep::IfaceWords, leased.address);
    Bytes::put32(r.data(), Rep::IfaceWords + 4, leased.mask);
    Bytes::put32(r.data(), Rep::IfaceWords + 8, leased.gateway);
    return r;
}

QByteArray Device::oamConfig(const QByteArray &request)
{
    const int p = byteAt(request, Req::Process);
    if (byteAt(request, Req::Write) == 1)
        setOamMode(p, byteAt(request, Req::OamMode));
    QByteArray r = replyTo(request);
    setByte(r, Rep::Payload, m_iface[std::size_t(p)][IfaceConfigField::OamMode]);
    return r;
}

void Device::setOamMode(int p, quint8 wanted)
{
    if (wanted > OamMode::Disabled)
        return; // a mode the tester does not know changes nothing
    Process &s = m_proc[std::size_t(p)];
    m_iface[std::size_t(p)][IfaceConfigField::OamMode] = wanted;
    if (wanted == OamMode::Disabled && s.oam) {
        s.oam = false;
        s.remoteLoopback = false;
        s.oamResult.fill(0);
        say(QStringLiteral("%1: OAM off").arg(portName(p)));
    } else if (wanted != OamMode::Disabled && !s.oam && stateWord(p) == 0 && exists(p)) {
        s.oam = true;
        s.oamSince = m_now;
        say(QStringLiteral("%1: OAM on").arg(portName(p)));
    }
}

QByteArray Device::rfcSummary(const QByteArray &request)
{
    const Process &s = m_proc[byteAt(request, Req::Process)];
    const quint32 offset = Bytes::get32(request.constData(), Req::RfcOffset);
    const quint32 length = Bytes::get32(request.constData(), Req::RfcLength);
    QByteArray r = replyTo(request);
    if (offset < BlockSize::RfcSummary) {
        const std::size_t room = std::size_t(Packet::CrcOffset - Rep::Payload);
        const std::size_t count = std::min<std::size_t>({length, room, BlockSize::RfcSummary - offset});
        copyOut(s.rfcResult, r, Rep::Payload, count, offset);
    }
    return r;
}

QByteArray Device::rfcStep(const QByteArray &request)
{
    const Process &s = m_proc[byteAt(request, Req::Process)];
    const std::size_t step = byteAt(request, Req::RfcStep);
    QByteArray r = replyTo(request);
    if (step >= RfcResultLayout::Steps)
        return r;
    for (std::size_t row = 0; row < RfcResultLayout::Rows; ++row) {
        const std::size_t at = Rep::Payload + Rep::RfcRow * row;
        setByte(r, at, get8(s.rfcResult, RfcResultLayout::row(row) + RfcResultLayout::RowHeader));
        Bytes::put32(r.data(), at + 1, get32(s.rfcResult, RfcResultLayout::value(row, step)));
        setByte(r, at + 5, get8(s.rfcResult, RfcResultLayout::byte(row, step)));
    }
    return r;
}

QByteArray Device::stats(const QByteArray &request)
{
    const int port = byteAt(request, Req::Process);
    QByteArray r = replyTo(request);
    if (port >= Processes || !exists(port))
        return r;
    const auto &c = m_proc[std::size_t(port)].stats;
    for (std::size_t i = 0; i < c.size(); ++i)
        Bytes::put32(r.data(), Rep::Payload + 4 * i, quint32(std::fmod(std::floor(c[i]), 4294967296.0)));
    return r;
}

QByteArray Device::debugRegister(const QByteArray &request)
{
    const auto address = quint16(Bytes::get32(request.constData(), Req::RegAddress));
    // The first three registers hold the FPGA version and cannot be written.
    if (byteAt(request, Req::RegWrite) == 1 && address > 2)
        m_registers.insert(address, byteAt(request, Req::RegValue));
    QByteArray r = replyTo(request);
    Bytes::put32(r.data(), Rep::RegAddress, address);
    setByte(r, Rep::RegValue, m_registers.value(address));
    r[qsizetype(Rep::RegOk)] = 'O';
    r[qsizetype(Rep::RegOk + 1)] = 'K';
    return r;
}
