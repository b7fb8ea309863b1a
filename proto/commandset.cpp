// The tester's command set: how each request is built from the device
// record, how each reply is decoded into it, and which packets the pages'
// and the shell's request codes turn into.

#include "oldproto.h"

#include "packet.h"
#include "packetfields.h"
#include "progpack.h"
#include "reportfolder.h"
#include "screen.h"
#include "testcodes.h"
#include "zorqv.h"

#include <QDebug>

namespace {

inline quint8 byteAt(const QByteArray &p, int offset) { return quint8(p.at(offset)); }
quint32 u32At(const QByteArray &p, int offset) { return Bytes::get32(p.constData(), offset); }
void putU32(QByteArray &p, int offset, quint32 v) { Bytes::put32(p.data(), offset, v); }

// A text copied into a request: ASCII from byte 2, zero-terminated, never
// past the last payload byte.
void putText(QByteArray &p, const QString &text)
{
    const int room = Packet::CrcOffset - Packet::PayloadOffset - 1;
    const QByteArray ascii = text.toLatin1().left(room);
    std::memcpy(p.data() + Packet::PayloadOffset, ascii.constData(), size_t(ascii.size()));
    p[Packet::PayloadOffset + ascii.size()] = '\0';
}

// Text from offset up to the first zero byte or the end of the payload.
QByteArray textAt(const QByteArray &p, int offset)
{
    const int end = qMin<int>(int(p.size()), Packet::CrcOffset);
    if (offset >= end)
        return {};
    const QByteArray field = p.mid(offset, end - offset);
    const qsizetype zero = field.indexOf('\0');
    return zero < 0 ? field : field.left(zero);
}

bool isOk(const QByteArray &p, int offset)
{
    return byteAt(p, offset) == 'O' && byteAt(p, offset + 1) == 'K';
}

} // namespace

QByteArray OldProto::build(quint8 id, quint32 q)
{
    QByteArray p = Packet::make(id);
    Zorqv &d = *m_device;
    const quint8 proc = d.curProc < 2 ? d.curProc : 0;
    const quint8 arg = quint8(q & 0xFF);

    // Configuration requests: process in byte 2, read/write in byte 3, the
    // block from byte 4; the reply will fill the block of that process.
    const auto config = [&](const auto &block, std::size_t count = 0, std::size_t from = 0) {
        p[Req::Process] = char(proc);
        p[Req::Write] = char(arg);
        copyOut(block, p, Req::Block, count ? count : block.size(), from);
        m_pendingProcess.enqueue(proc);
    };
    const auto processOnly = [&] {
        p[Req::Process] = char(proc);
        m_pendingProcess.enqueue(proc);
    };

    switch (id) {
    case PROGPACK_CHECKCONNECT:
    case PROGPACK_DIR_FIRST:
    case PROGPACK_DIR_NEXT:
    case PROGPACK_STATS_RESET:
        break;
    case PROGPACK_FPGA_RW:
        p[Req::RegWrite] = char(q >> 24);
        p[Req::RegValue] = char((q >> 16) & 0xFF);
        putU32(p, Req::RegAddress, q & 0xFFFF);
        break;
    case PROGPACK_SCREEN:
        putU32(p, Req::Word, q);
        if (q == 0) {
            d.screenCount = 0;
            d.screenBuffer.fill('\0', int(BlockSize::Screen));
        }
        break;
    case PROGPACK_FILE_OPEN:
    case PROGPACK_SET_SAVE:
    case PROGPACK_SET_LOAD:
    case PROGPACK_FILE_DEL:
        putText(p, d.fileName);
        break;
    case PROGPACK_FILE_READ:
        putU32(p, Req::Word, q);
        break;
    case PROGPACK_LB_CFG: config(d.lbConfig[proc]); break;
    case PROGPACK_PING_CFG: config(d.pingConfig[proc]); break;
    case PROGPACK_TRACE_CFG: config(d.traceConfig[proc]); break;
    case PROGPACK_JITTER_CFG: config(d.jitterConfig[proc]); break;
    case PROGPACK_TRAFFIC_CFG: config(d.trafficConfig[proc]); break;
    case PROGPACK_RFC_CFG: config(d.rfcConfig[proc]); break;
    case PROGPACK_BERT_CFG: config(d.bertConfig[proc]); break;
    case PROGPACK_DNS_CFG: config(d.dnsConfig[proc]); break;
    case PROGPACK_MULTI_CFG1: config(d.multiConfig[proc], 168, 0); break;
    case PROGPACK_MULTI_CFG2: config(d.multiConfig[proc], 160, 168); break;
    case PROGPACK_OAM_CFG:
        p[Req::Process] = char(proc);
        p[Req::Write] = char(arg);
        p[Req::OamMode] = char(d.ifaceConfig[proc][52]);
        m_pendingProcess.enqueue(proc);
        break;
    case PROGPACK_PING_RES:
    case PROGPACK_JITTER_RES:
    case PROGPACK_CABLE_RES:
    case PROGPACK_TRAFFIC_RES:
    case PROGPACK_BERT_RES:
    case PROGPACK_DNS_RES:
    case PROGPACK_OAM_RES:
    case PROGPACK_MULTI_RES:
        processOnly();
        break;
    case PROGPACK_TRACE_RES:
        p[Req::TracePage] = char(d.traceHop[proc] & 0xFF);
        processOnly();
        // The reply is filed under the page asked for, whatever the selector
        // shows by the time it arrives.
        m_pendingTracePage.enqueue(byteAt(p, Req::TracePage));
        break;
    case PROGPACK_STATS_CFG:
        p[Req::StatsWrite] = char(arg);
        p[Req::StatsFlag] = char(d.statsFlag ? 1 : 0);
        break;
    case PROGPACK_TEST_RUN: {
        // The same request starts an idle test and stops a running one.
        const quint32 state = d.procState[proc];
        const auto idle = [state](int bit) { return (state & StateBit::tx(bit)) ? 0 : 1; };
        int run = -1;
        switch (arg) {
        case RunCode::Rfc: run = idle(StateBit::Rfc); break;
        case RunCode::Bert: run = idle(StateBit::Bert); break;
        case RunCode::Traffic: run = idle(StateBit::Traffic); break;
        case RunCode::Ping: run = idle(StateBit::Ping); break;
        case RunCode::Trace: run = idle(StateBit::Trace); break;
        case RunCode::Jitter: run = idle(StateBit::Jitter); break;
        case RunCode::Cable: run = idle(StateBit::Cable); break;
        case RunCode::Dns: run = 1; break;
        case RunCode::Oam: run = int((q >> 8) & 0xFF); break;
        case RunCode::Multi: run = idle(StateBit::Multi); break;
        default: return {};
        }
        p[Req::Process] = char(proc);
        p[Req::RunFlag] = char(run);
        p[Req::RunCode] = char(arg);
        break;
    }
    case PROGPACK_IFACE_CFG: {
        const quint8 iface = quint8((q >> 6) & 0x3);
        if (iface > 2)
            return {};
        p[Req::Process] = char(iface);
        p[Req::Write] = char(q & 0x1);
        copyOut(d.ifaceConfig[iface], p, Req::Block);
        m_pendingResultFlag.enqueue((q >> 4) & 0x1);
        m_pendingProcess.enqueue(iface);
        break;
    }
    case PROGPACK_RFC_RES: {
        const quint32 offset = q >> 16;
        const quint32 length = q & 0xFFFF;
        p[Req::Process] = char(proc);
        putU32(p, Req::RfcOffset, offset);
        putU32(p, Req::RfcLength, length);
        m_pendingProcess.enqueue(proc);
        m_pendingOffset.enqueue(int(offset));
        m_pendingLength.enqueue(int(length));
        break;
    }
    case PROGPACK_RFC_STEP:
        p[Req::Process] = char(proc); // byte 3 stays 0
        p[Req::RfcStep] = char(d.rfcStep[proc] & 0xFF);
        m_pendingProcess.enqueue(proc);
        m_pendingStep.enqueue(byteAt(p, Req::RfcStep));
        break;
    case PROGPACK_STATS_RES:
        if (arg > 1)
            return {};
        p[Req::Process] = char(arg);
        m_pendingProcess.enqueue(arg);
        break;
    case PROGPACK_MODE:
        p[Req::Process] = char(proc);
        p[Req::ModeValue] = char(arg);
        break;
    case PROGPACK_TRANSFER:
        p[Req::TransferArg] = char(arg);
        break;
    default:
        qDebug().noquote() << QString::number(id) + QStringLiteral(" - Encoder is not implemented yet.");
        return {};
    }
    Packet::seal(p);
    return p;
}

void OldProto::decode(const QByteArray &packet)
{
    // Over TCP a packet is 262 bytes (no checksum); nothing shorter is whole.
    if (packet.size() < Packet::CrcOffset)
        return;
    Zorqv &d = *m_device;
    const quint8 id = Packet::id(packet);

    // Copies bytes [from, from + count) of the reply into a block of the
    // process the request was made for, then notifies the pages.
    const auto intoConfig = [&](auto (&blocks)[2], int from, quint8 test) {
        if (const auto proc = takeProcess(id, 2)) {
            copyIn(blocks[*proc], packet, from);
            notifyCfg(*proc, test);
        }
    };
    const auto intoResult = [&](auto (&blocks)[2], int from, quint8 test) {
        if (const auto proc = takeProcess(id, 2)) {
            copyIn(blocks[*proc], packet, from);
            notifyRes(*proc, test);
        }
    };

    switch (id) {
    case PROGPACK_CHECKCONNECT:
        decodeStatus(packet);
        break;
    case PROGPACK_FPGA_RW:
        if (isOk(packet, Rep::RegOk))
            Q_EMIT debug_fpga_rcv(uint(u32At(packet, Rep::RegAddress) + qint8(byteAt(packet, Rep::RegValue)) * 65536));
        break;
    case PROGPACK_SCREEN:
        decodeScreen(packet);
        break;
    case PROGPACK_FILE_OPEN:
        decodeFileOpen(packet);
        break;
    case PROGPACK_FILE_READ:
        decodeFileRead(packet);
        break;
    case PROGPACK_DIR_FIRST:
        d.fileList.clear();
        decodeFileList(packet);
        break;
    case PROGPACK_DIR_NEXT:
        decodeFileList(packet);
        break;
    case PROGPACK_LB_CFG: intoConfig(d.lbConfig, Rep::Payload, TestNo::Loopback); break;
    case PROGPACK_PING_CFG: intoConfig(d.pingConfig, Rep::Block, TestNo::Ping); break;
    case PROGPACK_TRACE_CFG: intoConfig(d.traceConfig, Rep::Block, TestNo::Trace); break;
    case PROGPACK_JITTER_CFG: intoConfig(d.jitterConfig, Rep::Block, TestNo::Jitter); break;
    case PROGPACK_TRAFFIC_CFG: intoConfig(d.trafficConfig, Rep::Block, TestNo::Traffic); break;
    case PROGPACK_RFC_CFG: intoConfig(d.rfcConfig, Rep::Block, TestNo::Rfc); break;
    case PROGPACK_BERT_CFG: intoConfig(d.bertConfig, Rep::Payload, TestNo::Bert); break;
    case PROGPACK_DNS_CFG: intoConfig(d.dnsConfig, Rep::Payload, TestNo::Dns); break;
    case PROGPACK_MULTI_CFG1:
    case PROGPACK_MULTI_CFG2:
        if (const auto proc = takeProcess(id, 2)) {
            if (id == PROGPACK_MULTI_CFG1) {
                // Nothing to tell yet: a Start or Apply on the first half
                // alone would write the second back as it was before.
                copyIn(d.multiConfig[*proc], packet, Rep::Payload, 168, 0);
            } else {
                copyIn(d.multiConfig[*proc], packet, Rep::Payload, 160, 168);
                notifyCfg(*proc, TestNo::Multi);
            }
        }
        break;
    case PROGPACK_OAM_CFG:
        if (const auto proc = takeProcess(id, 2)) {
            d.ifaceConfig[*proc][52] = byteAt(packet, Rep::Payload);
            notifyCfg(*proc, TestNo::Oam);
        }
        break;
    case PROGPACK_PING_RES:
        if (const auto proc = takeProcess(id, 2)) {
            copyIn(d.pingResult[*proc], packet, Rep::Payload);
            copyIn(d.pingStats[*proc], packet, Rep::PingStats);
            notifyRes(*proc, TestNo::Ping);
        }
        break;
    case PROGPACK_TRACE_RES: {
        const quint8 page = m_pendingTracePage.isEmpty() ? 0 : m_pendingTracePage.dequeue();
        if (const auto proc = takeProcess(id, 2)) {
            // The last page holds hops 248..254 only: copyIn clips it.
            const std::size_t offset = std::size_t(page) * BlockSize::TracePage;
            copyIn(d.traceResult[*proc], packet, Rep::Payload, BlockSize::TracePage, offset);
            notifyRes(*proc, TestNo::Trace);
        }
        break;
    }
    case PROGPACK_JITTER_RES: intoResult(d.jitterResult, Rep::Payload, TestNo::Jitter); break;
    case PROGPACK_TRAFFIC_RES: intoResult(d.trafficResult, Rep::TrafficResult, TestNo::Traffic); break;
    case PROGPACK_BERT_RES: intoResult(d.bertResult, Rep::Payload, TestNo::Bert); break;
    case PROGPACK_DNS_RES: intoResult(d.dnsResult, Rep::Payload, TestNo::Dns); break;
    case PROGPACK_OAM_RES: intoResult(d.oamResult, Rep::Payload, TestNo::Oam); break;
    case PROGPACK_MULTI_RES: intoResult(d.multiResult, Rep::Payload, TestNo::Multi); break;
    case PROGPACK_STATS_RES: intoResult(d.statsResult, Rep::Payload, TestNo::Stats); break;
    case PROGPACK_CABLE_RES:
        if (const auto proc = takeProcess(id, 2)) {
            copyIn(d.cableResult, packet, Rep::Payload);
            notifyRes(*proc, TestNo::Cable);
        }
        break;
    case PROGPACK_STATS_CFG:
        d.statsFlag = byteAt(packet, Rep::Payload) != 0;
        notifyCfg(0, TestNo::Stats);
        break;
    case PROGPACK_IFACE_CFG: {
        const bool asResult = m_pendingResultFlag.isEmpty() ? false : m_pendingResultFlag.dequeue();
        if (const auto iface = takeProcess(id, 3)) {
            copyIn(d.ifaceConfig[*iface], packet, Rep::Block);
            d.ifaceWord1[*iface] = u32At(packet, Rep::IfaceWords);
            d.ifaceWord2[*iface] = u32At(packet, Rep::IfaceWords + 4);
            d.ifaceWord3[*iface] = u32At(packet, Rep::IfaceWords + 8);
            if (asResult)
                notifyRes(*iface, TestNo::Iface);
            else
                notifyCfg(*iface, TestNo::Iface);
        }
        break;
    }
    case PROGPACK_RFC_RES: {
        if (m_pendingOffset.isEmpty() || m_pendingLength.isEmpty()) {
            takeProcess(id, 2);
            break;
        }
        const int offset = m_pendingOffset.dequeue();
        const int length = m_pendingLength.dequeue();
        if (const auto proc = takeProcess(id, 2)) {
            // The summary part only; the step rows are filled by packet 65.
            if (offset >= 0 && length > 0 && std::size_t(offset) < BlockSize::RfcSummary) {
                const std::size_t count = std::min<std::size_t>(std::size_t(length),
                                                                BlockSize::RfcSummary - std::size_t(offset));
                copyIn(d.rfcResult[*proc], packet, Rep::Payload, count, std::size_t(offset));
            }
            notifyRes(*proc, TestNo::Rfc);
        }
        break;
    }
    case PROGPACK_RFC_STEP:
        if (m_pendingStep.isEmpty()) {
            takeProcess(id, 2);
            break;
        }
        {
            const quint8 step = m_pendingStep.dequeue();
            if (const auto proc = takeProcess(id, 2)) {
                decodeRfcStep(packet, *proc, step);
                notifyRes(*proc, TestNo::Rfc);
            }
        }
        break;
    case PROGPACK_TEST_RUN:
    case PROGPACK_STATS_RESET:
    case PROGPACK_MODE:
    case PROGPACK_TRANSFER:
        break;
    case PROGPACK_SET_SAVE:
    case PROGPACK_SET_LOAD:
    case PROGPACK_FILE_DEL:
        // Half an "OK" is a garbled answer, not a confirmation.
        if (isOk(packet, Rep::Ok))
            fetchFileList();
        break;
    default:
        qDebug().noquote() << QString(QChar(id)) + QStringLiteral(" - Decoder is not implemented yet.");
        break;
    }
}

void OldProto::decodeStatus(const QByteArray &p)
{
    Zorqv &d = *m_device;
    for (int i = 0; i < 3; ++i) {
        d.cpuVersion[i] = byteAt(p, StatusField::Cpu + i);
        d.fpgaVersion[i] = byteAt(p, StatusField::Fpga + i);
    }
    if (d.cpuVersion[0] == 0xFD && d.cpuVersion[1] == 0xFC)
        qDebug() << "Proto: Very old zor-qv firmware";
    d.statusByte8 = byteAt(p, StatusField::Mode);
    d.statusByte9 = byteAt(p, StatusField::Byte9);
    d.statusByte22 = byteAt(p, StatusField::Byte22);
    d.statusByte23 = byteAt(p, StatusField::Byte22 + 1);
    d.statusByte24 = byteAt(p, StatusField::Byte22 + 2);
    for (int i = 0; i < 2; ++i) {
        d.topology[i] = byteAt(p, StatusField::Topology + i);
        const quint32 previous = d.procState[i];
        d.procState[i] = u32At(p, StatusField::State + 4 * i);
        d.loopLevel[i] = byteAt(p, StatusField::LoopLevel + i);
        d.linkSpeed[i] = byteAt(p, StatusField::LinkSpeed + i);
        d.elapsed[i] = byteAt(p, StatusField::Elapsed + i);
        // A start shows as an idle process turning busy (a busy one cannot
        // be started); what ran before a reconnect cannot be told apart.
        if (!d.connected || (previous == 0 && d.procState[i] != 0))
            d.elapsedCounter[i].restart();
        d.elapsedCounter[i].update(d.elapsed[i]);
    }
    d.serialNumber = Bytes::get16(p.constData(), StatusField::Serial);
    d.isQvb = byteAt(p, StatusField::Model) != 0;

    // What the status carries grew with the firmware; older versions leave
    // these bytes undefined.
    const quint32 cpu = quint32(d.cpuVersion[0]) << 16 | quint32(d.cpuVersion[1]) << 8 | d.cpuVersion[2];
    const bool hasRelease = d.isQvb ? cpu >= 0x304 : cpu > 0x1615;
    const bool hasDuplex = !d.isQvb && cpu > 0x1A19;
    const bool hasRates = d.isQvb ? cpu >= 0x305 : cpu > 0x1613;
    d.release = hasRelease ? QString::fromLatin1(textAt(p, StatusField::Release)) : QString();
    d.duplex = hasDuplex ? byteAt(p, StatusField::Duplex) : 0;
    for (int i = 0; i < 2; ++i) {
        d.txRate[i] = hasRates ? u32At(p, StatusField::Rates + 8 * i) : 0;
        d.rxRate[i] = hasRates ? u32At(p, StatusField::Rates + 8 * i + 4) : 0;
    }

    if (!d.connected) {
        d.connected = true;
        request(PROGPACK_TRANSFER, Transfer::Leave);
        Q_EMIT qv_conn();
    }
    Q_EMIT status_upd();
}

void OldProto::decodeFileList(const QByteArray &p)
{
    Zorqv &d = *m_device;
    if (byteAt(p, Rep::DirEntry) == 0) {
        releaseTransfer(TransferHold::List);
        notifyCfg(0, TestNo::FileTransfer);
        return;
    }
    if (byteAt(p, Rep::DirName) == '$')
        d.fileList.append(QString::fromLatin1(textAt(p, Rep::DirName)).trimmed());
    request(PROGPACK_DIR_NEXT, 0);
}

void OldProto::fetchFileList()
{
    holdTransfer(TransferHold::List);
    request(PROGPACK_DIR_FIRST, 0);
}

// The tester is in file-transfer mode while the list, a download or the
// screen is read, and leaves it only when the last of them is done: a list
// that ended in the middle of a download would otherwise take the mode away
// from the reads still to come.
void OldProto::holdTransfer(TransferHold what)
{
    m_transferHolds |= what;
    request(PROGPACK_TRANSFER, Transfer::Enter);
}

void OldProto::releaseTransfer(TransferHold what)
{
    m_transferHolds &= ~what;
    if (m_transferHolds == 0)
        request(PROGPACK_TRANSFER, Transfer::Leave);
}

void OldProto::beginDownload()
{
    Zorqv &d = *m_device;
    m_job = ReportJob{};
    m_job.directory = ReportFolder::path(d.reportDir, d.fileName);
    m_job.mask = quint32(d.reportMask);
    m_reading = false;
    if (m_job.directory.isEmpty()) {
        d.downloadFailed(DownloadFailure::NoFolder, d.fileName);
        return;
    }
    ++m_opensAwaited;
    holdTransfer(TransferHold::Download);
    request(PROGPACK_FILE_OPEN, 0);
}

void OldProto::decodeFileOpen(const QByteArray &p)
{
    if (m_opensAwaited == 0 || --m_opensAwaited > 0) {
        qDebug() << "Proto: file open reply without a download ignored";
        return;
    }
    if (!isOk(p, Rep::Ok)) {
        failDownload(DownloadFailure::Refused);
        return;
    }
    const qint64 size = u32At(p, Rep::FileSize);
    if (size < MinDownloadSize || size > MaxDownloadSize) {
        failDownload(DownloadFailure::BadSize);
        return;
    }
    m_reading = true;
    m_device->fileData.clear();
    m_downloadSize = size;
    request(PROGPACK_FILE_READ, 256);
}

void OldProto::decodeFileRead(const QByteArray &p)
{
    if (!m_reading) {
        qDebug() << "Proto: file read reply without a download ignored";
        return;
    }
    if (!isOk(p, Rep::Ok)) {
        failDownload(DownloadFailure::Refused);
        return;
    }
    // What has arrived so far is the file data itself.
    QByteArray &data = m_device->fileData;
    const auto missing = [&] { return int(qMin<qint64>(m_downloadSize - data.size(), 256)); };
    const int n = missing();
    if (n > 0)
        data.append(p.constData() + Rep::FileData, n);
    if (missing() <= 0)
        finishDownload();
    else
        request(PROGPACK_FILE_READ, quint32(missing()));
}

void OldProto::finishDownload()
{
    Zorqv &d = *m_device;
    m_reading = false;
    releaseTransfer(TransferHold::Download);
    d.fileName.remove(u'$');
    ReportJob job = m_job;
    job.data = d.fileData;
    job.singlePort = d.isQvb;
    job.serialNumber = d.serialNumber;
    job.linkSpeedA = d.linkSpeed[0];
    job.linkSpeedB = d.linkSpeed[1];
    d.startReport(job);
}

// Nothing of a failed download goes on: the partial data is dropped here.
void OldProto::failDownload(DownloadFailure why)
{
    m_opensAwaited = 0;
    m_reading = false;
    m_device->fileData.clear();
    if (why != DownloadFailure::LinkLost)
        releaseTransfer(TransferHold::Download);
    m_device->downloadFailed(why, m_device->fileName);
}

void OldProto::decodeScreen(const QByteArray &p)
{
    Zorqv &d = *m_device;
    constexpr int chunk = 256;
    constexpr int total = int(BlockSize::Screen);
    if (d.screenCount < 0 || d.screenCount >= total)
        return; // the picture is complete; a stray reply changes nothing
    d.screenBuffer.resize(total);
    std::memcpy(d.screenBuffer.data() + d.screenCount, p.constData() + Rep::ScreenData,
                size_t(qMin(chunk, total - d.screenCount)));
    d.screenCount += chunk;
    notifyRes(0, TestNo::FileTransfer);
    if (d.screenCount < total) {
        request(PROGPACK_SCREEN, quint32(d.screenCount));
        return;
    }
    d.screenImage = Screen::image(d.screenBuffer);
    if (!d.screenImage.save(d.screenPath, "PNG"))
        qDebug() << "Proto: cannot save the screen image to" << d.screenPath;
    releaseTransfer(TransferHold::Screen);
}

void OldProto::decodeRfcStep(const QByteArray &p, quint8 proc, quint8 step)
{
    if (step >= RfcResultLayout::Steps)
        return;
    RfcResultBlock &block = m_device->rfcResult[proc];
    for (std::size_t r = 0; r < RfcResultLayout::Rows; ++r) {
        const int at = int(Rep::Payload + Rep::RfcRow * r);
        put8(block, RfcResultLayout::row(r) + RfcResultLayout::RowHeader, byteAt(p, at));
        put32(block, RfcResultLayout::value(r, step), u32At(p, at + 1));
        put8(block, RfcResultLayout::byte(r, step), byteAt(p, at + 5));
    }
}

void OldProto::gs_cfg(unsigned short code)
{
    const quint8 test = quint8(code & 0xFF);
    const quint8 a = quint8(code >> 8);
    switch (test) {
    case TestNo::Loopback: request(PROGPACK_LB_CFG, a); break;
    case TestNo::Rfc: request(PROGPACK_RFC_CFG, a); break;
    case TestNo::Ping: request(PROGPACK_PING_CFG, a); break;
    case TestNo::Traffic: request(PROGPACK_TRAFFIC_CFG, a); break;
    case TestNo::Trace: request(PROGPACK_TRACE_CFG, a); break;
    case TestNo::Jitter: request(PROGPACK_JITTER_CFG, a); break;
    case TestNo::Bert: request(PROGPACK_BERT_CFG, a); break;
    case TestNo::Dns: request(PROGPACK_DNS_CFG, a); break;
    case TestNo::Oam: request(PROGPACK_OAM_CFG, a); break;
    case TestNo::Multi:
        request(PROGPACK_MULTI_CFG1, a);
        request(PROGPACK_MULTI_CFG2, a);
        break;
    case TestNo::Iface: request(PROGPACK_IFACE_CFG, a); break;
    case TestNo::Stats: request(PROGPACK_STATS_CFG, a); break;
    case TestNo::FileTransfer: fetchFileList(); break;
    default:
        break;
    }
}

void OldProto::start_test(unsigned short code)
{
    const quint8 test = quint8(code & 0xFF);
    const quint8 a = quint8(code >> 8);
    const auto modeThenRun = [this, a](quint8 runCode) {
        request(PROGPACK_MODE, a);
        request(PROGPACK_TEST_RUN, runCode);
    };
    switch (test) {
    case TestNo::Loopback: request(PROGPACK_MODE, quint32(a) + Mode::LoopbackLevel0); break;
    case TestNo::Rfc: modeThenRun(RunCode::Rfc); break;
    case TestNo::Cable: request(PROGPACK_TEST_RUN, RunCode::Cable); break;
    case TestNo::Transit: request(PROGPACK_MODE, a); break;
    case TestNo::Ping: request(PROGPACK_TEST_RUN, RunCode::Ping); break;
    case TestNo::Traffic: modeThenRun(RunCode::Traffic); break;
    case TestNo::Trace: request(PROGPACK_TEST_RUN, RunCode::Trace); break;
    case TestNo::Jitter: modeThenRun(RunCode::Jitter); break;
    case TestNo::Bert: modeThenRun(RunCode::Bert); break;
    case TestNo::Dns: modeThenRun(RunCode::Dns); break;
    case TestNo::Oam:
        request(PROGPACK_MODE, Mode::SamePort);
        request(PROGPACK_TEST_RUN, RunCode::Oam | quint32(a) << 8);
        break;
    case TestNo::Multi: modeThenRun(RunCode::Multi); break;
    case TestNo::Stats: request(PROGPACK_STATS_RESET, 0); break;
    case TestNo::FileTransfer:
        switch (a) {
        case 0:
            holdTransfer(TransferHold::Screen);
            request(PROGPACK_SCREEN, 0);
            break;
        case 1: beginDownload(); break;
        case 2: request(PROGPACK_SET_SAVE, 0); break;
        case 3: request(PROGPACK_SET_LOAD, 0); break;
        case 4: request(PROGPACK_FILE_DEL, 0); break;
        default: break;
        }
        break;
    default:
        break;
    }
}

void OldProto::upd_res()
{
    const Zorqv &d = *m_device;
    switch (d.activeTest) {
    case ActiveTest::Rfc: {
        // The summary comes in four ranges, then one step of the per-size
        // rows; one packet per poll.
        static constexpr quint32 ranges[4][2] = {{0, 32}, {32, 96}, {128, 192}, {320, 96}};
        if (m_rfcCycle < 4) {
            request(PROGPACK_RFC_RES, ranges[m_rfcCycle][0] << 16 | ranges[m_rfcCycle][1]);
            ++m_rfcCycle;
        } else {
            request(PROGPACK_RFC_STEP, 0);
            m_rfcCycle = 0;
        }
        break;
    }
    case ActiveTest::Cable: request(PROGPACK_CABLE_RES, 0); break;
    case ActiveTest::Ping: request(PROGPACK_PING_RES, 0); break;
    case ActiveTest::Trace: request(PROGPACK_TRACE_RES, 0); break;
    case ActiveTest::Traffic: request(PROGPACK_TRAFFIC_RES, 0); break;
    case ActiveTest::Jitter: request(PROGPACK_JITTER_RES, 0); break;
    case ActiveTest::Bert: request(PROGPACK_BERT_RES, 0); break;
    case ActiveTest::Dns: request(PROGPACK_DNS_RES, 0); break;
    case ActiveTest::Oam: request(PROGPACK_OAM_RES, 0); break;
    case ActiveTest::Multi: request(PROGPACK_MULTI_RES, 0); break;
    case ActiveTest::Iface:
        for (quint32 iface = 0; iface < 3; ++iface) {
            if (iface == 1 && d.isQvb)
                continue;
            if (d.ifaceConfig[iface][0] != 0)
                request(PROGPACK_IFACE_CFG, iface * 64 + 16);
        }
        break;
    case ActiveTest::Stats:
        request(PROGPACK_STATS_RES, 0);
        if (!d.isQvb)
            request(PROGPACK_STATS_RES, 1);
        break;
    default:
        break;
    }
}
