#include "supportfile.h"

#include "sessionrecorder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QSettings>
#include <QSysInfo>
#include <QtEndian>

#include <array>

namespace {

// The zip container with deflated members, enough for any unzip tool:
// no zip64, so a member stays below 4 GB (the recordings' cap is far less).
class ZipWriter
{
public:
    void add(const QString &name, const QByteArray &data)
    {
        // qCompress gives a zlib stream behind a 4-byte length: without its
        // 2-byte header and 4-byte checksum it is the raw deflate zip wants.
        const QByteArray zlib = qCompress(data, 6);
        const QByteArray deflated = zlib.mid(4 + 2, zlib.size() - 4 - 2 - 4);
        Entry e{name.toUtf8(), crc32(data), quint32(deflated.size()), quint32(data.size()), quint32(m_out.size())};
        m_out += header(0x04034b50, e, false) + e.name + deflated;
        m_entries.append(e);
    }

    QByteArray finish()
    {
        QByteArray central;
        for (const Entry &e : std::as_const(m_entries))
            central += header(0x02014b50, e, true) + e.name;
        QByteArray end(22, '\0');
        char *p = end.data();
        qToLittleEndian<quint32>(0x06054b50, p);
        qToLittleEndian<quint16>(quint16(m_entries.size()), p + 8);
        qToLittleEndian<quint16>(quint16(m_entries.size()), p + 10);
        qToLittleEndian<quint32>(quint32(central.size()), p + 12);
        qToLittleEndian<quint32>(quint32(m_out.size()), p + 16);
        return m_out + central + end;
    }

private:
    struct Entry
    {
        QByteArray name;
        quint32 crc;
        quint32 packed;
        quint32 size;
        quint32 offset;
    };

    static quint32 crc32(const QByteArray &data)
    {
        static const std::array<quint32, 256> table = [] {
            std::array<quint32, 256> t{};
            for (quint32 i = 0; i < 256; ++i) {
                quint32 c = i;
                for (int k = 0; k < 8; ++k)
                    c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
                t[i] = c;
            }
            return t;
        }();
        quint32 c = 0xFFFFFFFFu;
        for (const char b : data)
            c = table[(c ^ quint8(b)) & 0xFF] ^ (c >> 8);
        return c ^ 0xFFFFFFFFu;
    }

    // The local header (30 bytes) or the central directory's (46 bytes).
    static QByteArray header(quint32 signature, const Entry &e, bool central)
    {
        QByteArray h(central ? 46 : 30, '\0');
        char *p = h.data();
        const int shift = central ? 2 : 0; // the central one adds "version made by"
        qToLittleEndian<quint32>(signature, p);
        if (central)
            qToLittleEndian<quint16>(20, p + 4);
        qToLittleEndian<quint16>(20, p + 4 + shift);          // version needed: deflate
        qToLittleEndian<quint16>(0x0800, p + 6 + shift);      // names in UTF-8
        qToLittleEndian<quint16>(8, p + 8 + shift);           // deflated
        qToLittleEndian<quint16>(0, p + 10 + shift);          // time 00:00
        qToLittleEndian<quint16>(0x21, p + 12 + shift);       // date 1980-01-01
        qToLittleEndian<quint32>(e.crc, p + 14 + shift);
        qToLittleEndian<quint32>(e.packed, p + 18 + shift);
        qToLittleEndian<quint32>(e.size, p + 22 + shift);
        qToLittleEndian<quint16>(quint16(e.name.size()), p + 26 + shift);
        if (central)
            qToLittleEndian<quint32>(e.offset, p + 42);
        return h;
    }

    QByteArray m_out;
    QList<Entry> m_entries;
};

QByteArray aboutText(const SessionRecorder &recorder)
{
    const SessionRecorder::Settings &s = recorder.settings();
    QString text;
    text += QStringLiteral("program: %1 %2\n").arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
    text += QStringLiteral("Qt: %1 (built with %2)\n").arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
    text += QStringLiteral("system: %1, %2\n").arg(QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture());
    text += QStringLiteral("written: %1\n").arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    text += QStringLiteral("recording: %1, cap %2 MB, folder %3\n")
                .arg(s.enabled ? QStringLiteral("on") : QStringLiteral("off"))
                .arg(s.capBytes / SessionRecorder::BytesPerMB)
                .arg(s.directory);
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("qvsuite"),
                             QCoreApplication::applicationName());
    text += QStringLiteral("settings (%1):\n").arg(settings.fileName());
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys)
        text += QStringLiteral("  %1 = %2\n").arg(key, settings.value(key).toString());
    return text.toUtf8();
}

} // namespace

QString SupportFile::write(const QString &path, const SessionRecorder &recorder)
{
    ZipWriter zip;
    zip.add(QStringLiteral("about.txt"), aboutText(recorder));
    const QStringList recordings = SessionRecorder::recordings(recorder.settings().directory);
    for (qsizetype i = qMax<qsizetype>(0, recordings.size() - RecordingsKept); i < recordings.size(); ++i) {
        QFile file(recordings.at(i));
        if (file.open(QIODevice::ReadOnly))
            zip.add(QStringLiteral("sessions/") + QFileInfo(file).fileName(), file.readAll());
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(zip.finish()) < 0 || !out.commit())
        return out.errorString();
    return {};
}
