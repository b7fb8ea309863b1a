// The tester's files: settings files, result files, the file list, file
// download and the screen image.

#include "device.h"

#include "packetfields.h"
#include "screenpainter.h"

#include "iflayout.h"
#include "packet.h"
#include "resultfile.h"
#include "testcodes.h"

#include <QDateTime>

namespace {

QByteArray answer(const QByteArray &request, bool ok)
{
    QByteArray r = Device::replyTo(request);
    r.replace(qsizetype(Rep::Ok), 2, ok ? "OK" : "ER");
    return r;
}

constexpr char kUserPrefix = '$'; // the names the program lists

} // namespace

QString Device::storedName(const QByteArray &request) const
{
    const QByteArray field = request.mid(qsizetype(Req::Text), Packet::CrcOffset - qsizetype(Req::Text));
    const qsizetype zero = field.indexOf('\0');
    return QString::fromLatin1(zero < 0 ? field : field.left(zero)).trimmed();
}

QByteArray Device::snapshot() const
{
    using namespace ResultFile;
    QByteArray file(qsizetype(Size), '\0');
    const QDateTime t = QDateTime::currentDateTime();
    file[TimeHour] = char(t.time().hour());
    file[TimeMinute] = char(t.time().minute());
    file[TimeSecond] = char(t.time().second());
    file[TimeDay] = char(t.date().day());
    file[TimeMonth] = char(t.date().month());
    file[TimeYear] = char(t.date().year() % 100);
    for (std::size_t i = 0; i < m_iface.size(); ++i)
        copyOut(m_iface[i], file, qsizetype(at(IfaceConfig, BlockSize::IfaceConfig, i)));
    for (std::size_t p = 0; p < std::size_t(Processes); ++p) {
        const Process &s = m_proc[p];
        copyOut(s.rfc, file, qsizetype(at(RfcConfig, BlockSize::RfcConfig, p)));
        copyOut(s.ping, file, qsizetype(at(PingConfig, BlockSize::PingConfig, p)));
        copyOut(s.trace, file, qsizetype(at(TraceConfig, BlockSize::TraceConfig, p)));
        copyOut(s.traffic, file, qsizetype(at(TrafficConfig, BlockSize::TrafficConfig, p)));
        copyOut(s.bert, file, qsizetype(at(BertConfig, BlockSize::BertConfig, p)));
        copyOut(s.jitter, file, qsizetype(at(JitterConfig, BlockSize::JitterConfig, p)));
        copyOut(s.multi, file, qsizetype(at(MultiConfig, BlockSize::MultiConfig, p)));
        copyOut(s.dns, file, qsizetype(at(DnsConfig, BlockSize::DnsConfig, p)));
        copyOut(s.trafficResult, file, qsizetype(at(TrafficResult, BlockSize::TrafficResult, p)));
        copyOut(s.rfcResult, file, qsizetype(at(RfcResult, RfcResultLayout::Size, p)));
        copyOut(s.jitterResult, file, qsizetype(at(JitterResult, BlockSize::JitterResult, p)));
        copyOut(s.bertResult, file, qsizetype(at(BertResult, BlockSize::BertResult, p)));
        copyOut(s.multiResult, file, qsizetype(at(MultiResult, BlockSize::MultiResult, p)));
        copyOut(s.dnsResult, file, qsizetype(at(DnsResult, BlockSize::DnsResult, p)));
        copyOut(s.lb, file, qsizetype(at(LbConfig, BlockSize::LbConfig, p)));
        copyOut(s.pingResult, file, qsizetype(at(PingResult, BlockSize::PingResult, p)));
        copyOut(s.pingStats, file, qsizetype(at(PingStats, BlockSize::PingStats, p)));
        copyOut(s.traceResult, file, qsizetype(at(TraceResult, BlockSize::TraceResult, p)));
    }
    return file;
}

void Device::loadConfigs(const QByteArray &file)
{
    using namespace ResultFile;
    for (std::size_t i = 0; i < m_iface.size(); ++i) {
        const quint8 oam = m_iface[i][IfaceConfigField::OamMode];
        copyIn(m_iface[i], file, qsizetype(at(IfaceConfig, BlockSize::IfaceConfig, i)));
        m_iface[i][IfaceConfigField::OamMode] = oam;
    }
    for (std::size_t p = 0; p < std::size_t(Processes); ++p) {
        Process &s = m_proc[p];
        copyIn(s.rfc, file, qsizetype(at(RfcConfig, BlockSize::RfcConfig, p)));
        copyIn(s.ping, file, qsizetype(at(PingConfig, BlockSize::PingConfig, p)));
        copyIn(s.trace, file, qsizetype(at(TraceConfig, BlockSize::TraceConfig, p)));
        copyIn(s.traffic, file, qsizetype(at(TrafficConfig, BlockSize::TrafficConfig, p)));
        copyIn(s.bert, file, qsizetype(at(BertConfig, BlockSize::BertConfig, p)));
        copyIn(s.jitter, file, qsizetype(at(JitterConfig, BlockSize::JitterConfig, p)));
        copyIn(s.multi, file, qsizetype(at(MultiConfig, BlockSize::MultiConfig, p)));
        copyIn(s.dns, file, qsizetype(at(DnsConfig, BlockSize::DnsConfig, p)));
        copyIn(s.lb, file, qsizetype(at(LbConfig, BlockSize::LbConfig, p)));
    }
}

void Device::storeResultFile(const TestRun &run)
{
    static const char *const tags[] = {"LB", "RFC", "CAB", "THRU", "PING", "TRAF", "TRT", "JIT", "BERT", "DNS", "OAM", "MS"};
    const QString name = QLatin1Char(kUserPrefix) + QLatin1String(tags[run.bit()])
        + QStringLiteral("_%1").arg(++m_resultSequence, 3, 10, QLatin1Char('0'));
    m_files.write(name, snapshot());
    // The oldest result files make room, as on the tester's small flash.
    QStringList results;
    for (const QString &n : m_files.names()) {
        if (n.startsWith(QLatin1Char(kUserPrefix)) && n.contains(u'_') && m_files.file(n).size() == ResultFile::Size)
            results << n;
    }
    std::sort(results.begin(), results.end(), [](const QString &a, const QString &b) {
        return a.mid(a.lastIndexOf(u'_') + 1).toInt() < b.mid(b.lastIndexOf(u'_') + 1).toInt();
    });
    while (results.size() > ResultFilesKept)
        m_files.remove(results.takeFirst());
    say(QStringLiteral("results stored in %1").arg(name));
}

QByteArray Device::fileOpen(const QByteArray &request)
{
    const QString name = storedName(request);
    if (m_mode != Transfer::Enter || !m_files.contains(name))
        return answer(request, false);
    m_openFile = m_files.file(name);
    m_readPos = 0;
    m_fileOpen = true;
    QByteArray r = answer(request, true);
    Bytes::put32(r.data(), Rep::FileSize, quint32(m_openFile.size()));
    return r;
}

QByteArray Device::fileRead(const QByteArray &request)
{
    constexpr qsizetype chunk = 256;
    if (m_mode != Transfer::Enter || !m_fileOpen)
        return answer(request, false);
    const qsizetype wanted = qBound<qsizetype>(0, Bytes::get32(request.constData(), Req::Word), chunk);
    const QByteArray piece = m_openFile.mid(m_readPos, wanted);
    m_readPos += piece.size();
    QByteArray r = answer(request, true);
    r.replace(qsizetype(Rep::FileData), piece.size(), piece);
    return r;
}

QByteArray Device::dirEntry(const QByteArray &request, bool first)
{
    QByteArray r = replyTo(request);
    if (m_mode != Transfer::Enter)
        return r; // byte 2 = 0: no (more) names
    if (first) {
        m_listing = m_files.names();
        m_listingPos = 0;
    }
    if (m_listingPos >= m_listing.size())
        return r;
    const QByteArray name = m_listing.at(m_listingPos++).toLatin1();
    r[qsizetype(Rep::DirEntry)] = 1;
    r.replace(qsizetype(Rep::DirName), name.size(), name);
    return r;
}

QByteArray Device::saveSettings(const QByteArray &request)
{
    QString name = storedName(request);
    if (!name.startsWith(QLatin1Char(kUserPrefix)))
        name.prepend(QLatin1Char(kUserPrefix));
    const bool ok = name.size() > 1 && m_files.write(name, snapshot());
    if (ok)
        say(QStringLiteral("settings saved in %1").arg(name));
    return answer(request, ok);
}

QByteArray Device::loadSettings(const QByteArray &request)
{
    QString name = storedName(request);
    if (!m_files.contains(name))
        name.prepend(QLatin1Char(kUserPrefix));
    const QByteArray file = m_files.file(name);
    // Settings change only while nothing runs on either port.
    const bool ok = file.size() >= qsizetype(ResultFile::Size) && stateWord(0) == 0 && stateWord(1) == 0;
    if (ok) {
        loadConfigs(file);
        say(QStringLiteral("settings loaded from %1").arg(name));
    }
    return answer(request, ok);
}

QByteArray Device::deleteFile(const QByteArray &request)
{
    QString name = storedName(request);
    if (!m_files.contains(name))
        name.prepend(QLatin1Char(kUserPrefix));
    return answer(request, m_files.remove(name));
}

QByteArray Device::screen(const QByteArray &request)
{
    const quint32 offset = Bytes::get32(request.constData(), Req::Word);
    QByteArray r = replyTo(request);
    Bytes::put32(r.data(), Req::Word, offset);
    if (m_mode != Transfer::Enter)
        return r;
    if (offset == 0 || m_screen.isEmpty()) {
        // One picture for the whole download, taken when it starts.
        ScreenState state;
        state.qvb = m_identity.qvb;
        state.serial = m_identity.serial;
        state.time = QDateTime::currentDateTime();
        for (int p = 0; p < Processes; ++p) {
            const Process &s = m_proc[std::size_t(p)];
            ScreenState::Port &port = state.port[p];
            port.speedCode = speedCode(p);
            port.state = stateWord(p);
            port.loopLevel = s.loopLevel;
            port.topology = s.topology;
            port.txRate = s.txRate;
            port.rxRate = s.rxRate;
            port.elapsedSeconds = elapsedSeconds(p);
            port.address = interface(p).address;
        }
        m_screen = paintScreen(state);
    }
    r.replace(qsizetype(Rep::ScreenData), 256, m_screen.mid(offset, 256).leftJustified(256, '\0'));
    return r;
}
