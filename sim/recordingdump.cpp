#include "recordingdump.h"

#include "packet.h"
#include "progpack.h"
#include "updatercommands.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QtEndian>

namespace RecordingDump {

namespace {

constexpr quint32 kSectionHeader = 0x0A0D0D0A;
constexpr quint32 kInterfaceDescription = 1;
constexpr quint32 kEnhancedPacket = 6;
constexpr quint16 kOptEnd = 0;
constexpr quint16 kOptIfName = 2;
constexpr quint16 kOptEpbFlags = 2;
constexpr quint32 kInbound = 1;
constexpr quint32 kOutbound = 2;

bool isUpdater(const SessionFile::Recording &r)
{
    return r.field(QStringLiteral("program")) == QLatin1String("QVUpdater");
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray padded(QByteArray b)
{
    b.append((4 - b.size() % 4) % 4, '\0');
    return b;
}

QByteArray option(quint16 code, const QByteArray &value)
{
    return le16(code) + le16(quint16(value.size())) + padded(value);
}

QByteArray block(quint32 type, const QByteArray &body)
{
    const quint32 total = quint32(12 + body.size());
    return le32(type) + le32(total) + body + le32(total);
}

// The frame with the serial link's start byte and CRC.
QByteArray serialForm(const SessionFile::Record &r)
{
    if (r.bytes.size() == Packet::Size)
        return r.bytes;
    QByteArray p = (r.direction == SessionFile::Direction::Out ? Packet::RequestStart : Packet::SerialReplyStart)
        + r.body() + '\0';
    p.resize(Packet::Size, '\0');
    Packet::seal(p);
    return p;
}

// An updater reply names no request: its text says what it is.
QString replyText(const SessionFile::Record &r)
{
    const QByteArray text = r.bytes.left(qstrnlen(r.bytes.constData(), r.bytes.size()));
    QString shown;
    for (const char c : text)
        shown += (c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QChar(u'.');
    return shown.left(24);
}

} // namespace

QString idName(int id, bool updater)
{
    static const QHash<int, QString> tester = {
        {PROGPACK_CHECKCONNECT, QStringLiteral("status")},
        {PROGPACK_FPGA_RW, QStringLiteral("FPGA register")},
        {PROGPACK_SCREEN, QStringLiteral("screen")},
        {PROGPACK_FILE_OPEN, QStringLiteral("file open")},
        {PROGPACK_FILE_READ, QStringLiteral("file read")},
        {PROGPACK_DIR_FIRST, QStringLiteral("directory first")},
        {PROGPACK_DIR_NEXT, QStringLiteral("directory next")},
        {PROGPACK_LB_CFG, QStringLiteral("loopback config")},
        {PROGPACK_PING_CFG, QStringLiteral("ping config")},
        {PROGPACK_TRACE_CFG, QStringLiteral("trace config")},
        {PROGPACK_JITTER_CFG, QStringLiteral("jitter config")},
        {PROGPACK_PING_RES, QStringLiteral("ping results")},
        {PROGPACK_TRACE_RES, QStringLiteral("trace results")},
        {PROGPACK_JITTER_RES, QStringLiteral("jitter results")},
        {PROGPACK_CABLE_RES, QStringLiteral("cable results")},
        {PROGPACK_STATS_CFG, QStringLiteral("statistics config")},
        {PROGPACK_TEST_RUN, QStringLiteral("test run")},
        {PROGPACK_TRAFFIC_CFG, QStringLiteral("traffic config")},
        {PROGPACK_IFACE_CFG, QStringLiteral("interface config")},
        {PROGPACK_TRAFFIC_RES, QStringLiteral("traffic results")},
        {PROGPACK_RFC_RES, QStringLiteral("RFC-2544 results")},
        {PROGPACK_RFC_STEP, QStringLiteral("RFC-2544 step")},
        {PROGPACK_STATS_RES, QStringLiteral("statistics results")},
        {PROGPACK_RFC_CFG, QStringLiteral("RFC-2544 config")},
        {PROGPACK_STATS_RESET, QStringLiteral("statistics reset")},
        {PROGPACK_MODE, QStringLiteral("topology")},
        {PROGPACK_BERT_CFG, QStringLiteral("BERT config")},
        {PROGPACK_TRANSFER, QStringLiteral("file transfer mode")},
        {PROGPACK_BERT_RES, QStringLiteral("BERT results")},
        {PROGPACK_DNS_CFG, QStringLiteral("DNS config")},
        {PROGPACK_DNS_RES, QStringLiteral("DNS results")},
        {PROGPACK_SET_SAVE, QStringLiteral("settings save")},
        {PROGPACK_SET_LOAD, QStringLiteral("settings load")},
        {PROGPACK_FILE_DEL, QStringLiteral("file delete")},
        {PROGPACK_OAM_CFG, QStringLiteral("OAM config")},
        {PROGPACK_OAM_RES, QStringLiteral("OAM results")},
        {PROGPACK_MULTI_CFG1, QStringLiteral("multistream config 1")},
        {PROGPACK_MULTI_CFG2, QStringLiteral("multistream config 2")},
        {PROGPACK_MULTI_RES, QStringLiteral("multistream results")},
    };
    using C = UpdaterCommands;
    static const QHash<int, QString> update = {
        {C::Status, QStringLiteral("status")},
        {C::FpgaBlock, QStringLiteral("FPGA block")},
        {C::FpgaLength, QStringLiteral("FPGA length")},
        {C::FpgaErase, QStringLiteral("FPGA erase")},
        {C::FpgaErasePoll, QStringLiteral("FPGA erase poll")},
        {C::CpuBlock, QStringLiteral("CPU block")},
        {C::CpuLength, QStringLiteral("CPU length")},
        {C::CpuErase, QStringLiteral("CPU erase")},
        {C::FsBegin, QStringLiteral("FS begin")},
        {C::FsCreate, QStringLiteral("FS create")},
        {C::FsBlock, QStringLiteral("FS block")},
        {C::SetMode, QStringLiteral("set mode")},
        {C::WriteSerial, QStringLiteral("write serial")},
    };
    return (updater ? update : tester).value(id, QStringLiteral("unknown"));
}

void print(const SessionFile::Recording &recording, bool hex, QTextStream &out)
{
    const bool updater = isUpdater(recording);
    out << "recording format " << recording.version << ", started "
        << QDateTime::fromMSecsSinceEpoch(recording.startUtcMs, Qt::UTC).toString(Qt::ISODateWithMs) << '\n';
    for (const auto &[key, value] : recording.fields)
        out << "  " << key << ": " << value << '\n';
    out << "      time s  dir   ID  name                       length\n";
    for (const SessionFile::Record &r : recording.records) {
        const char *dir = r.direction == SessionFile::Direction::Out ? ">" : "<";
        QString id = QStringLiteral("-");
        QString name;
        if (r.channel == SessionFile::Channel::Frame) {
            if (updater && r.direction == SessionFile::Direction::In) {
                name = QStringLiteral("reply \"%1\"").arg(replyText(r));
            } else {
                id = QString::number(r.id());
                name = idName(r.id(), updater);
            }
        } else {
            name = r.channel == SessionFile::Channel::Text ? QStringLiteral("text") : QStringLiteral("info");
        }
        out << QStringLiteral("%1  %2  %3  %4 %5\n")
                   .arg(double(r.timeUs) / 1e6, 12, 'f', 6)
                   .arg(QLatin1String(dir), 3)
                   .arg(id, 3)
                   .arg(name, -26)
                   .arg(r.bytes.size(), 6);
        if (hex) {
            for (qsizetype i = 0; i < r.bytes.size(); i += 16)
                out << "        " << QString::number(i, 16).rightJustified(4, u'0') << "  "
                    << r.bytes.mid(i, 16).toHex(' ') << '\n';
        }
    }
    if (recording.trailingBytes > 0)
        out << recording.trailingBytes << " bytes after the last whole record (cut short)\n";
    out.flush();
}

QString writePcap(const SessionFile::Recording &recording, const QString &path)
{
    QByteArray file;
    file += block(kSectionHeader, le32(0x1A2B3C4D) + le16(1) + le16(0) + le32(0xFFFFFFFF) + le32(0xFFFFFFFF));
    file += block(kInterfaceDescription, le16(LinkType) + le16(0) + le32(0)
                      + option(kOptIfName, recording.field(QStringLiteral("transport")).toUtf8()) + le32(kOptEnd));
    const qint64 startUs = recording.startUtcMs * 1000;
    for (const SessionFile::Record &r : recording.records) {
        if (!r.isFrame())
            continue;
        const QByteArray data = serialForm(r);
        const quint64 ts = quint64(startUs + r.timeUs);
        const quint32 flags = r.direction == SessionFile::Direction::In ? kInbound : kOutbound;
        file += block(kEnhancedPacket, le32(0) + le32(quint32(ts >> 32)) + le32(quint32(ts)) + le32(quint32(data.size()))
                          + le32(quint32(data.size())) + padded(data) + option(kOptEpbFlags, le32(flags)) + le32(kOptEnd));
    }
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        return QStringLiteral("%1: %2").arg(path, out.errorString());
    return {};
}

} // namespace RecordingDump
