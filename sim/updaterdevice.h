#pragma once

#include "filestore.h"
#include "identity.h"
#include "responder.h"
#include "undefinedbytes.h"
#include "updatercommands.h"

#include <QByteArray>
#include <QString>

// The tester in the mode its firmware updater talks to: identification,
// mode switching, erasing and writing the CPU and FPGA images, files of the
// file system and the serial number. What arrives is kept in memory and,
// with a flash directory, written to DIR/cpu.bin, DIR/fpga.rpd, DIR/fs/NAME
// and DIR/serial.txt as soon as each transfer is complete.
class UpdaterDevice final : public Responder, public UpdaterCommands
{
public:
    // Erase polls answered "Clr.." before the FPGA flash reports "ClrOK".
    static constexpr int ErasePolls = 3;
    static constexpr qint64 MaxImage = 64 * 1024 * 1024;

    explicit UpdaterDevice(const DeviceIdentity &identity, UndefinedBytes undefined = {});

    bool setFlashDirectory(const QString &dir, QString *error);
    QByteArray respond(const QByteArray &request) override;

    quint8 mode() const { return m_mode; }
    quint16 serial() const { return m_identity.serial; }
    QByteArray cpuImage() const { return m_cpu.complete() ? m_cpu.data : QByteArray(); }
    QByteArray fpgaImage() const { return m_fpga.complete() ? m_fpga.data : QByteArray(); }
    const FileStore &files() const { return m_files; }

private:
    // An image or file under transfer: announced length, bytes so far.
    struct Transfer
    {
        QString name;
        qint64 length = -1;
        qint64 received = 0;
        QByteArray data;
        bool complete() const { return length >= 0 && received >= length; }
        void begin(qint64 size);
    };

    QByteArray reply();
    QByteArray withValue(quint32 value);
    QByteArray withText(const char *text);
    QByteArray status();
    QByteArray block(Transfer &transfer, const QByteArray &request, void (UpdaterDevice::*finish)());
    void finishCpu();
    void finishFpga();
    void finishFile();
    void saveFlash(const QString &name, const QByteArray &data) const;

    DeviceIdentity m_identity;
    UndefinedBytes m_undefined;
    quint8 m_mode = NormalMode;
    QString m_flashDir;
    FileStore m_files;
    Transfer m_cpu;
    Transfer m_fpga;
    Transfer m_file;
    bool m_cpuErased = false;
    bool m_fpgaErased = false;
    int m_erasePollsLeft = -1; // -1: no erase started
};
