#include "updaterdevice.h"

#include "block.h"
#include "packet.h"

#include <QDir>
#include <QSaveFile>

#include <cstring>

namespace {
// The updater's frame: a 32-bit value after the command, then 256 data bytes.
constexpr int kValue = 2;
constexpr int kData = 6;
constexpr int kDataSize = 256;
constexpr int kText = 2; // reply texts, read from byte 0 as one string

QByteArray reply(quint8 command)
{
    return Packet::make(command, Packet::SerialReplyStart);
}

QByteArray withValue(quint8 command, quint32 value)
{
    QByteArray p = reply(command);
    Bytes::put32(p.data(), kValue, value);
    return p;
}

QByteArray withText(quint8 command, const char *text)
{
    QByteArray p = reply(command);
    std::memcpy(p.data() + kText, text, std::strlen(text));
    return p;
}

quint32 valueOf(const QByteArray &request)
{
    return Bytes::get32(request.constData(), kValue);
}
} // namespace

void UpdaterDevice::Transfer::begin(qint64 size)
{
    length = size;
    received = 0;
    data = QByteArray(int(size), char(0xFF));
}

UpdaterDevice::UpdaterDevice(const DeviceIdentity &identity)
    : m_identity(identity)
{
}

bool UpdaterDevice::setFlashDirectory(const QString &dir, QString *error)
{
    if (!m_files.setDirectory(QDir(dir).filePath(QStringLiteral("fs")), error))
        return false;
    m_flashDir = QDir(dir).absolutePath();
    return true;
}

QByteArray UpdaterDevice::respond(const QByteArray &request)
{
    const auto command = quint8(Packet::id(request));
    const quint32 value = valueOf(request);
    switch (command) {
    case Status:
        return status();
    case SetMode:
        if (value == NormalMode || value == FpgaMode || value == FsMode || value == CpuMode)
            m_mode = quint8(value);
        return withValue(command, value);
    case WriteSerial:
        m_identity.serial = quint16(value);
        saveFlash(QStringLiteral("serial.txt"), QByteArray::number(m_identity.serial) + '\n');
        return withValue(command, value);

    case CpuErase:
        if (m_mode != CpuMode)
            return withText(command, "CP_ER");
        m_cpuErased = true;
        m_cpu = Transfer();
        return withText(command, "CP_OK");
    case CpuLength:
        if (m_mode != CpuMode || !m_cpuErased || value > MaxImage)
            return withValue(command, 0);
        m_cpu.begin(value);
        return withValue(command, value);
    case CpuBlock:
        if (m_mode != CpuMode)
            return withValue(command, 0);
        return block(m_cpu, request, &UpdaterDevice::finishCpu);

    case FpgaErase:
        if (m_mode == FpgaMode) {
            m_fpgaErased = false;
            m_fpga = Transfer();
            m_erasePollsLeft = ErasePolls;
        }
        return withValue(command, 0);
    case FpgaErasePoll:
        if (m_mode != FpgaMode || m_erasePollsLeft < 0)
            return withText(command, "ClrER");
        if (m_erasePollsLeft > 0) {
            --m_erasePollsLeft;
            return withText(command, "Clr..");
        }
        m_fpgaErased = true;
        return withText(command, "ClrOK");
    case FpgaLength:
        if (m_mode != FpgaMode || !m_fpgaErased || value > MaxImage)
            return withValue(command, 0);
        m_fpga.begin(value);
        return withValue(command, value);
    case FpgaBlock:
        if (m_mode != FpgaMode)
            return withValue(command, 0);
        return block(m_fpga, request, &UpdaterDevice::finishFpga);

    case FsBegin:
        return withText(command, m_mode == FsMode ? "OK" : "ER");
    case FsCreate: {
        const QByteArray field = request.mid(kData, kDataSize);
        const QString name = QString::fromLatin1(field.left(field.indexOf('\0')));
        if (m_mode != FsMode || !FileStore::validName(name) || value > MaxImage)
            return withText(command, "ER");
        m_file.begin(value);
        m_file.name = name;
        if (value == 0)
            finishFile();
        return withText(command, "OK");
    }
    case FsBlock:
        if (m_mode != FsMode)
            return withValue(command, 0);
        return block(m_file, request, &UpdaterDevice::finishFile);
    default:
        return {};
    }
}

QByteArray UpdaterDevice::status() const
{
    QByteArray p = reply(Status);
    writeIdentity(p, m_identity, m_mode);
    return p;
}

QByteArray UpdaterDevice::block(Transfer &transfer, const QByteArray &request, void (UpdaterDevice::*finish)())
{
    const quint8 command = Packet::id(request);
    if (transfer.length < 0)
        return withValue(command, 0);
    const qint64 offset = valueOf(request);
    // Only the block that continues what is there counts; a repeated block
    // (its reply was lost) is taken again, a gap is not bridged.
    if (offset <= transfer.received && offset < transfer.length) {
        const qint64 n = qMin<qint64>(kDataSize, transfer.length - offset);
        std::memcpy(transfer.data.data() + offset, request.constData() + kData, size_t(n));
        const bool wasComplete = transfer.complete();
        transfer.received = qMax(transfer.received, offset + n);
        if (transfer.complete() && !wasComplete)
            (this->*finish)();
    }
    // Once everything is in, the tester says so instead of counting.
    if (transfer.complete())
        return withText(command, "ready");
    return withValue(command, quint32(transfer.received));
}

void UpdaterDevice::finishCpu()
{
    saveFlash(QStringLiteral("cpu.bin"), m_cpu.data);
}

void UpdaterDevice::finishFpga()
{
    saveFlash(QStringLiteral("fpga.rpd"), m_fpga.data);
}

void UpdaterDevice::finishFile()
{
    m_files.write(m_file.name, m_file.data);
}

void UpdaterDevice::saveFlash(const QString &name, const QByteArray &data) const
{
    if (m_flashDir.isEmpty())
        return;
    QSaveFile f(QDir(m_flashDir).filePath(name));
    if (f.open(QIODevice::WriteOnly) && f.write(data) == data.size())
        f.commit();
}
