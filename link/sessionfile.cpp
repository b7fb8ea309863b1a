#include "sessionfile.h"

#include "crc8.h"

#include <QFile>
#include <QtEndian>

#include <cstring>

namespace SessionFile {

namespace {

constexpr int kSerialFrame = 263;
constexpr int kBodySize = 261;
// Stored inverted, so that a run of zero bytes (a file the system extended
// but never wrote) does not pass for a record.
constexpr quint8 kCheckXor = 0xFF;

quint8 recordCheck(const char *record, qsizetype length)
{
    return quint8(Crc8::compute(record, length) ^ kCheckXor);
}

} // namespace

QByteArray Record::body() const
{
    return bytes.size() == kSerialFrame ? bytes.mid(1, kBodySize) : bytes;
}

int Record::id() const
{
    const QByteArray b = body();
    return isFrame() && !b.isEmpty() ? quint8(b.at(0)) : -1;
}

QByteArray encodeFields(const Fields &fields)
{
    QByteArray text;
    for (const auto &[key, value] : fields) {
        // A line per field: line breaks inside a value would start a new one.
        QString v = value;
        v.replace(u'\n', u' ');
        text += key.toUtf8() + '=' + v.toUtf8() + '\n';
    }
    return text;
}

Fields decodeFields(QByteArrayView text)
{
    Fields fields;
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    for (const QByteArray &line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            fields.append({QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1))});
    }
    return fields;
}

QByteArray encodeHeader(qint64 startUtcMs, const Fields &fields)
{
    QByteArray text = encodeFields(fields).left(0xFFFF);
    QByteArray header(FixedHeaderSize, '\0');
    char *p = header.data();
    std::memcpy(p, Magic, 4);
    qToLittleEndian<quint16>(Version, p + 4);
    qToLittleEndian<quint16>(quint16(text.size()), p + 6);
    qToLittleEndian<qint64>(startUtcMs, p + 8);
    return header + text;
}

void appendRecord(QByteArray &out, qint64 timeUs, Direction direction, Channel channel, QByteArrayView bytes)
{
    do {
        const qsizetype n = qMin<qsizetype>(bytes.size(), MaxPayload);
        const qsizetype at = out.size();
        out.resize(at + RecordHeaderSize + n + RecordTrailerSize);
        char *p = out.data() + at;
        qToLittleEndian<quint16>(quint16(n), p);
        p[2] = char((direction == Direction::In ? KindDirectionBit : 0) | int(channel));
        qToLittleEndian<qint64>(timeUs, p + 3);
        if (n > 0)
            std::memcpy(p + RecordHeaderSize, bytes.data(), size_t(n));
        p[RecordHeaderSize + n] = char(recordCheck(p, RecordHeaderSize + n));
        bytes = bytes.sliced(n);
    } while (!bytes.isEmpty());
}

QString Recording::field(const QString &key) const
{
    for (qsizetype i = fields.size() - 1; i >= 0; --i) {
        if (fields.at(i).first == key)
            return fields.at(i).second;
    }
    return {};
}

std::optional<Recording> Recording::parse(QByteArrayView data, QString *error)
{
    if (data.size() < FixedHeaderSize || std::memcmp(data.data(), Magic, 4) != 0) {
        *error = QStringLiteral("not a session recording");
        return std::nullopt;
    }
    Recording r;
    const char *p = data.data();
    r.version = qFromLittleEndian<quint16>(p + 4);
    if (r.version != Version) {
        *error = QStringLiteral("recording format version %1 is not known (this program reads %2)")
                     .arg(r.version)
                     .arg(Version);
        return std::nullopt;
    }
    const quint16 textSize = qFromLittleEndian<quint16>(p + 6);
    r.startUtcMs = qFromLittleEndian<qint64>(p + 8);
    if (data.size() < FixedHeaderSize + textSize) {
        *error = QStringLiteral("the recording's header is cut short");
        return std::nullopt;
    }
    r.fields = decodeFields(data.sliced(FixedHeaderSize, textSize));
    qsizetype at = FixedHeaderSize + textSize;
    while (data.size() - at >= RecordHeaderSize + RecordTrailerSize) {
        const char *rec = p + at;
        const quint16 n = qFromLittleEndian<quint16>(rec);
        const qsizetype total = RecordHeaderSize + n + RecordTrailerSize;
        if (data.size() - at < total || quint8(rec[RecordHeaderSize + n]) != recordCheck(rec, RecordHeaderSize + n))
            break;
        const quint8 kind = quint8(rec[2]);
        if ((kind & ~(KindDirectionBit | KindChannelMask)) != 0 || (kind & KindChannelMask) > int(Channel::Info))
            break; // not a record this version writes: spoiled
        Record record;
        record.direction = (kind & KindDirectionBit) ? Direction::In : Direction::Out;
        record.channel = Channel(kind & KindChannelMask);
        record.timeUs = qFromLittleEndian<qint64>(rec + 3);
        record.bytes = QByteArray(rec + RecordHeaderSize, n);
        if (record.channel == Channel::Info)
            r.fields += decodeFields(record.bytes);
        r.records.append(std::move(record));
        at += total;
    }
    r.wholeBytes = at;
    r.trailingBytes = data.size() - at;
    return r;
}

std::optional<Recording> Recording::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return parse(file.readAll(), error);
}

} // namespace SessionFile
