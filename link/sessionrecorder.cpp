#include "sessionrecorder.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

// How much a session may write before the cap is looked at again: a long
// session must not grow the folder without bound either.
constexpr qint64 kCapCheckBytes = 1000 * 1000;
const QString kEnabledKey = QStringLiteral("recording/enabled");
const QString kCapKey = QStringLiteral("recording/capMB");

QSettings programSettings(const QString &program)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("qvsuite"), program);
}

} // namespace

SessionRecorder::Settings SessionRecorder::Settings::load(const QString &program)
{
    Settings s;
    const QSettings stored = programSettings(program);
    s.enabled = stored.value(kEnabledKey, true).toBool();
    bool ok = false;
    const qint64 capMB = stored.value(kCapKey, DefaultCapMB).toLongLong(&ok);
    if (ok && capMB > 0)
        s.capBytes = capMB * BytesPerMB;
    s.directory = qEnvironmentVariable("QV_SESSIONS_DIR");
    if (s.directory.isEmpty())
        s.directory = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
            + QStringLiteral("/sessions");
    return s;
}

void SessionRecorder::Settings::save(const QString &program) const
{
    QSettings stored = programSettings(program);
    stored.setValue(kEnabledKey, enabled);
    stored.setValue(kCapKey, capBytes / BytesPerMB);
}

SessionRecorder::SessionRecorder(const QString &program, const QString &version, const Settings &settings)
    : m_program(program)
    , m_version(version)
    , m_settings(settings)
{
}

SessionRecorder::~SessionRecorder()
{
    end();
}

void SessionRecorder::begin(const QString &transport, const SessionFile::Fields &linkSettings)
{
    end();
    if (!m_settings.enabled || m_settings.directory.isEmpty())
        return;
    QDir dir(m_settings.directory);
    if (!dir.mkpath(QStringLiteral(".")))
        return;
    applyCap(dir.path(), m_settings.capBytes);

    const QDateTime start = QDateTime::currentDateTimeUtc();
    m_stem = start.toString(QStringLiteral("yyyyMMdd-HHmmss.zzz")) + u'-' + m_program;
    m_path = dir.filePath(m_stem + QLatin1String(SessionFile::Suffix));
    for (int n = 2; QFile::exists(m_path); ++n) {
        m_stem = start.toString(QStringLiteral("yyyyMMdd-HHmmss.zzz")) + u'-' + QString::number(n) + u'-' + m_program;
        m_path = dir.filePath(m_stem + QLatin1String(SessionFile::Suffix));
    }
    m_file.setFileName(m_path);
    // Unbuffered: each record is one write to the system, nothing waits in
    // the program for a crash to lose.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        m_path.clear();
        return;
    }
    m_clock.start();
    m_sinceCapCheck = 0;
    SessionFile::Fields fields{{QStringLiteral("program"), m_program},
                               {QStringLiteral("version"), m_version},
                               {QStringLiteral("transport"), transport}};
    fields += linkSettings;
    write(SessionFile::encodeHeader(start.toMSecsSinceEpoch(), fields));
}

void SessionRecorder::record(Direction direction, Channel channel, QByteArrayView bytes)
{
    if (!m_file.isOpen())
        return;
    m_buffer.resize(0);
    SessionFile::appendRecord(m_buffer, m_clock.nsecsElapsed() / 1000, direction, channel, bytes);
    write(m_buffer);
    m_sinceCapCheck += m_buffer.size();
    if (m_sinceCapCheck >= kCapCheckBytes) {
        m_sinceCapCheck = 0;
        applyCap(m_settings.directory, m_settings.capBytes, m_path);
    }
}

void SessionRecorder::addInfo(const SessionFile::Fields &info)
{
    if (!m_file.isOpen())
        return;
    record(Direction::In, Channel::Info, SessionFile::encodeFields(info));
    for (const auto &[key, value] : info) {
        if (key != QLatin1String("serial") || value.isEmpty())
            continue;
        // The open file keeps being written under its new name.
        const QString renamed = QFileInfo(m_path).dir().filePath(m_stem + QStringLiteral("-SN") + value
                                                                 + QLatin1String(SessionFile::Suffix));
        if (renamed != m_path && QFile::rename(m_path, renamed))
            m_path = renamed;
    }
}

void SessionRecorder::end()
{
    if (m_file.isOpen())
        m_file.close();
    m_path.clear();
}

void SessionRecorder::write(const QByteArray &bytes)
{
    if (m_file.write(bytes) != bytes.size()) {
        // A full disc or a removed folder: stop rather than leave a gap.
        m_file.close();
    }
}

QStringList SessionRecorder::recordings(const QString &directory)
{
    QDir dir(directory);
    QStringList names = dir.entryList({u'*' + QLatin1String(SessionFile::Suffix)}, QDir::Files, QDir::Name);
    // Named by their UTC start, so the name order is the age order.
    QStringList paths;
    for (const QString &name : std::as_const(names))
        paths << dir.filePath(name);
    return paths;
}

int SessionRecorder::applyCap(const QString &directory, qint64 capBytes, const QString &keep)
{
    const QStringList paths = recordings(directory);
    qint64 total = 0;
    for (const QString &path : paths)
        total += QFileInfo(path).size();
    int removed = 0;
    for (const QString &path : paths) {
        if (total <= capBytes)
            break;
        if (path == keep)
            continue;
        const qint64 size = QFileInfo(path).size();
        if (QFile::remove(path)) {
            total -= size;
            ++removed;
        }
    }
    return removed;
}
