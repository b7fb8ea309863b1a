#pragma once

#include "sessionfile.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QStringList>

// Records every connection of a program into a file of its own in the
// sessions folder (SessionFile's format): written record by record, straight
// to the system, so that a program that is killed loses at most the record
// it was writing. The folder is kept under a size cap by removing the
// oldest recordings. The links call it; a link without one records nothing.
class SessionRecorder final
{
    Q_DISABLE_COPY_MOVE(SessionRecorder)

public:
    using Direction = SessionFile::Direction;
    using Channel = SessionFile::Channel;

    static constexpr qint64 DefaultCapMB = 200;
    static constexpr qint64 BytesPerMB = 1000 * 1000;

    // On/off and the cap come from the program's settings file; the folder
    // is AppLocalDataLocation/sessions unless QV_SESSIONS_DIR names another.
    struct Settings
    {
        bool enabled = true;
        qint64 capBytes = DefaultCapMB * BytesPerMB;
        QString directory;

        static Settings load(const QString &program);
        // Stores on/off and the cap (not the folder) for the next start.
        void save(const QString &program) const;
    };

    SessionRecorder(const QString &program, const QString &version, const Settings &settings);
    ~SessionRecorder();

    const Settings &settings() const { return m_settings; }
    // Takes effect at the next connection.
    void setSettings(const Settings &settings) { m_settings = settings; }

    // A new connection: ends the current recording and, if recording is on,
    // starts a file whose header names the transport and its settings.
    void begin(const QString &transport, const SessionFile::Fields &linkSettings);
    void record(Direction direction, Channel channel, QByteArrayView bytes);
    // What the session learnt about the tester (model, versions, serial);
    // a "serial" field puts the serial number into the file name.
    void addInfo(const SessionFile::Fields &info);
    void end();

    bool isRecording() const { return m_file.isOpen(); }
    QString currentPath() const { return m_path; }

    // The recordings in a folder, oldest first.
    static QStringList recordings(const QString &directory);
    // Removes the oldest recordings until the folder holds at most capBytes;
    // keep is never removed. Returns how many went.
    static int applyCap(const QString &directory, qint64 capBytes, const QString &keep = {});

private:
    void write(const QByteArray &bytes);

    QString m_program;
    QString m_version;
    Settings m_settings;
    QFile m_file;
    QString m_path;
    QString m_stem; // the file name without the serial and the suffix
    QElapsedTimer m_clock;
    QByteArray m_buffer;
    qint64 m_sinceCapCheck = 0;
};
