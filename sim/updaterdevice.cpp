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
// Reply texts are read from byte 0 as one string: they follow the "$".
constexpr int kText = 1;

quint32 valueOf(const QByteArray &request)
{
    return Bytes::get32(request.constData(), kValue);
}
} // namespace

// Only the "$", the value, a text and the CRC are defined in a reply; the
// link sets the start byte and the CRC.
QByteArray UpdaterDevice::reply()
{
    QByteArray p(Packet::Size, '\0');
    p[0] = Packet::SerialReplyStart;
    m_undefined.fill(p, 1, Packet::CrcOffset - 1);
    return p;
}

QByteArray UpdaterDevice::withValue(quint32 value)
{
    QByteArray p = reply();
    Bytes::put32(p.data(), kValue, value);
    return p;
}

QByteArray UpdaterDevice::withText(const char *text)
{
    QByteArray p = reply();
    std::memcpy(p.data() + kText, text, std::strlen(text) + 1);
    return p;
}

void UpdaterDevice::Transfer::begin(qint64 size)
{
    length = size;
    received = 0;
    data = QByteArray(int(size), char(0xFF));
}

UpdaterDevice::UpdaterDevice(const DeviceIdentity &identity, UndefinedBytes undefined)
    : m_identity(identity)
    , m_undefined(std::move(undefined))
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
        return reply(); // the transaction is the answer
    case WriteSerial:
        m_identity.serial = quint16(value);
        saveFlash(QStringLiteral("serial.txt"), QByteArray::number(m_identity.serial) + '\n');
        return reply();

    case CpuErase:
        if (m_mode != CpuMode)
            return withText("CP_ER");
        m_cpuErased = true;
        m_cpu = Transfer();
        return withText("CP_OK");
    case CpuLength:
        if (m_mode != CpuMode || !m_cpuErased || value > MaxImage)
            return withValue(0);
        m_cpu.begin(value);
        return withValue(value);
    case CpuBlock:
        if (m_mode != CpuMode)
            return withValue(0);
        return block(m_cpu, request, &UpdaterDevice::finishCpu);

    case FpgaErase:
        if (m_mode == FpgaMode) {
            m_fpgaErased = false;
            m_fpga = Transfer();
            m_erasePollsLeft = ErasePolls;
        }
        return reply();
    case FpgaErasePoll:
        if (m_mode != FpgaMode || m_erasePollsLeft < 0)
            return withText("ClrER");
        if (m_erasePollsLeft > 0) {
            --m_erasePollsLeft;
            return withText("Clr..");
        }
        m_fpgaErased = true;
        return withText("ClrOK");
    case FpgaLength:
        if (m_mode != FpgaMode || !m_fpgaErased || value > MaxImage)
            return withValue(0);
        m_fpga.begin(value);
        return withValue(value);
    case FpgaBlock:
        if (m_mode != FpgaMode)
            return withValue(0);
        return block(m_fpga, request, &UpdaterDevice::finishFpga);

    case FsBegin:
        return withText(m_mode == FsMode ? "OK" : "ER");
    case FsCreate: {
        const QByteArray field = request.mid(kData, kDataSize);
        const QString name = QString::fromLatin1(field.left(field.indexOf('\0')));
        if (m_mode != FsMode || !FileStore::validName(name) || value > MaxImage)
            return withText("ER");
        m_file.begin(value);
        m_file.name = name;
        if (value == 0)
            finishFile();
        return withText("OK");
    }
    case FsBlock:
        if (m_mode != FsMode)
            return withValue(0);
        return block(m_file, request, &UpdaterDevice::finishFile);
    default:
        return {};
    }
}

QByteArray UpdaterDevice::status()
{
    QByteArray p = reply();
    writeIdentity(p, m_identity, m_mode);
    return p;
}

QByteArray UpdaterDevice::block(Transfer &transfer, const QByteArray &request, void (UpdaterDevice::*finish)())
{
    if (transfer.length < 0)
        return withValue(0);
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
        return withText("ready");
    return withValue(quint32(transfer.received));
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
