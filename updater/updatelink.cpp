#include "updatelink.h"

#include "crc8.h"
#include "serialaccess.h"
#include "sessionrecorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSerialPortInfo>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr qint32 kBaudRate = 500000;
constexpr int kOpenRetries = 10;
constexpr int kModeRetries = 10;
constexpr int kSerialRetries = 1;
// The tester's port never stalls a 263-byte write for long; a write that has
// not gone out after this long means the port is gone.
constexpr int kWriteTimeoutMs = 5000;

// Ports named alike ("ttyS2", "ttyS10") in number order, as a user counts them.
bool portNameLess(const QString &a, const QString &b)
{
    auto split = [](const QString &s) {
        qsizetype i = s.size();
        while (i > 0 && s.at(i - 1).isDigit())
            --i;
        return std::pair(s.left(i), i < s.size() ? s.mid(i).toULongLong() : 0ULL);
    };
    const auto [stemA, numberA] = split(a);
    const auto [stemB, numberB] = split(b);
    if (stemA != stemB)
        return stemA < stemB;
    if (numberA != numberB)
        return numberA < numberB;
    return a < b;
}

// Marks the link as waiting for as long as it lets other events run.
class WaitScope
{
public:
    explicit WaitScope(bool &flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~WaitScope() { m_flag = m_previous; }

private:
    bool &m_flag;
    bool m_previous;
};

} // namespace

UpdateLink::UpdateLink()
{
    m_clock.start();
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onPortError(error); });
}

void UpdateLink::onPortError(QSerialPort::SerialPortError error)
{
    // A vanished device shows as a resource error; a hung-up terminal reads
    // end-of-file, a read error whose notifier would fire again and again
    // and spin the event loop. Either way the port is of no more use. It is
    // closed from the event loop, not from inside the port's own handler.
    if (m_lost || !m_port.isOpen()
        || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    m_lost = true;
    m_connected = false;
    QTimer::singleShot(0, &m_port, [this] {
        if (!m_lost)
            return;
        m_port.close();
        if (m_lostHandler)
            m_lostHandler();
    });
}

UpdateLink::~UpdateLink()
{
    close();
}

QStringList UpdateLink::listPorts()
{
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        QSerialPort probe(info);
        if (!probe.open(QIODevice::ReadOnly))
            continue;
        probe.close();
        names << info.portName();
    }
    std::sort(names.begin(), names.end(), portNameLess);
    return names;
}

QString UpdateLink::errorText(int code)
{
    switch (code) {
    case NoError:
        return {};
    case OpenFailed:
        return QCoreApplication::translate("UpdateLink", "Ошибка открытия COM порта.");
    case WriteFailed:
        return QCoreApplication::translate("UpdateLink", "Ошибка записи в COM порт.");
    case SetupFailed:
        return QCoreApplication::translate("UpdateLink", "Ошибка чтения из COM порта.");
    case NoReply:
        return QCoreApplication::translate("UpdateLink", "Нет ответа от прибора.");
    case BadStart:
        return QCoreApplication::translate("UpdateLink", "Неправильный формат ответа от прибора.");
    case BadCrc:
        return QCoreApplication::translate("UpdateLink", "CRC ошибка ответного пакета.");
    case OldFirmware:
        return QCoreApplication::translate("UpdateLink", "Устаревшая версия прибора.");
    default:
        return QCoreApplication::translate("UpdateLink", "Ошибка при выполнении операции.");
    }
}

int UpdateLink::open(const QString &portName)
{
    close();
    m_port.setPortName(portName);
    m_deniedGroup.clear();
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (m_port.error() == QSerialPort::PermissionError)
            m_deniedGroup = SerialAccess::groupToJoin(portName);
        return OpenFailed;
    }

    const bool configured = m_port.setBaudRate(kBaudRate)
        && m_port.setDataBits(QSerialPort::Data8)
        && m_port.setParity(QSerialPort::NoParity)
        && m_port.setStopBits(QSerialPort::OneStop)
        && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_port.close();
        return SetupFailed;
    }
    m_port.clear(QSerialPort::AllDirections);
    forgetOwedReplies();
    m_recordedInput.clear();
    if (m_recorder) {
        m_recorder->begin(QStringLiteral("serial"),
                          {{QStringLiteral("port"), portName},
                           {QStringLiteral("baud"), QString::number(kBaudRate)},
                           {QStringLiteral("line"), QStringLiteral("8N1")}});
    }

    build(Status, 0);
    const int result = transact(kOpenRetries);
    if (result != NoError) {
        close();
        return result;
    }
    if (quint8(m_rx.at(2)) == 0xFD && quint8(m_rx.at(3)) == 0xFC) {
        close();
        return OldFirmware;
    }
    m_connected = true;
    for (int i = 0; i < 6; ++i)
        m_version[i] = qint8(m_rx.at(2 + i));
    m_mode = quint8(m_rx.at(8));
    m_serialNumber = qFromLittleEndian<quint16>(m_rx.constData() + 25);
    if (m_recorder) {
        m_recorder->addInfo({{QStringLiteral("cpu"), cpuVersionText()},
                             {QStringLiteral("fpga"), fpgaVersionText()},
                             {QStringLiteral("mode"), QString::number(m_mode)},
                             {QStringLiteral("serial"), QString::number(m_serialNumber)}});
    }
    return NoError;
}

void UpdateLink::close()
{
    flushRecordedInput();
    if (m_recorder)
        m_recorder->end();
    if (m_port.isOpen())
        m_port.close();
    m_connected = false;
    m_lost = false;
    forgetOwedReplies();
}

quint32 UpdateLink::replyValue() const
{
    return qFromLittleEndian<quint32>(m_rx.constData() + 2);
}

bool UpdateLink::replyContains(const char *text) const
{
    const QByteArrayView string(m_rx.constData(), qstrnlen(m_rx.constData(), kFrameSize));
    return string.contains(QByteArrayView(text));
}

void UpdateLink::build(quint8 command, quint32 value, const char *data)
{
    char *p = m_tx.data();
    p[0] = '@';
    p[1] = char(command);
    qToLittleEndian<quint32>(value, p + 2);
    const bool carriesData = command == FpgaBlock || command == CpuBlock
        || command == FsCreate || command == FsBlock;
    if (carriesData && data)
        std::memcpy(p + 6, data, kDataSize);
    p[kFrameSize - 1] = char(Crc8::compute(p, kFrameSize - 1));
}

int UpdateLink::transact(int retries)
{
    if (m_lost)
        return PortLost;
    if (!m_port.isOpen())
        return NoError;
    if (m_tx != m_lastSent)
        drainOwedReplies();
    m_lastSent = m_tx;
    for (;;) {
        int result = NoError;
        purgeInput();
        const qint64 sentAt = m_clock.elapsed();
        const bool written = m_port.write(m_tx.constData(), kFrameSize) == kFrameSize;
        bool flushed = written;
        while (flushed && m_port.bytesToWrite() > 0)
            flushed = m_port.waitForBytesWritten(kWriteTimeoutMs);
        if (!flushed) {
            // Drop what did not go out so that a retry sends one whole frame.
            m_port.clear(QSerialPort::Output);
            result = WriteFailed;
        } else {
            if (m_recorder)
                m_recorder->record(SessionRecorder::Direction::Out, SessionRecorder::Channel::Frame,
                                   QByteArrayView(m_tx.constData(), kFrameSize));
            m_owedBytes += kFrameSize;
            m_owedUntilMs = sentAt + kLateReplyMs;
        }
        {
            WaitScope scope(m_waiting);
            QCoreApplication::processEvents();
        }
        if (result == NoError)
            result = readReply();
        if (m_lost) {
            m_port.close();
            return PortLost;
        }
        if (result == NoError || retries == 0)
            return result;
        --retries;
    }
}

QByteArray UpdateLink::readInput()
{
    if (!m_port.isOpen())
        return {};
    // Bytes the port has not handed over yet count too.
    if (!m_lost)
        m_port.waitForReadyRead(0);
    const QByteArray bytes = m_port.readAll();
    recordInput(bytes);
    m_owedBytes = qMax<qint64>(0, m_owedBytes - bytes.size());
    return bytes;
}

void UpdateLink::recordInput(const QByteArray &bytes)
{
    if (!m_recorder || bytes.isEmpty())
        return;
    m_recordedInput += bytes;
    while (m_recordedInput.size() >= kFrameSize) {
        m_recorder->record(SessionRecorder::Direction::In, SessionRecorder::Channel::Frame,
                           QByteArrayView(m_recordedInput.constData(), kFrameSize));
        m_recordedInput.remove(0, kFrameSize);
    }
}

void UpdateLink::flushRecordedInput()
{
    if (m_recorder && !m_recordedInput.isEmpty())
        m_recorder->record(SessionRecorder::Direction::In, SessionRecorder::Channel::Text, m_recordedInput);
    m_recordedInput.clear();
}

void UpdateLink::purgeInput()
{
    readInput();
    flushRecordedInput();
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Input);
}

void UpdateLink::drainOwedReplies()
{
    for (;;) {
        readInput();
        const qint64 left = m_owedUntilMs - m_clock.elapsed();
        if (m_owedBytes == 0 || left <= 0 || !m_port.isOpen() || m_lost)
            break;
        waitForInput(int(left));
    }
    forgetOwedReplies();
}

void UpdateLink::forgetOwedReplies()
{
    m_owedBytes = 0;
    m_owedUntilMs = 0;
    m_lastSent.clear();
}

int UpdateLink::readReply()
{
    QElapsedTimer clock;
    clock.start();
    QByteArray received;
    int result = NoReply;
    for (;;) {
        received += readInput();
        result = takeReply(m_tx, received);
        if (result != NoReply)
            break;
        const qint64 left = kReplyTimeoutMs - clock.elapsed();
        if (left <= 0 || !m_port.isOpen() || m_lost)
            break;
        waitForInput(int(left));
    }
    std::memcpy(m_rx.data(), received.constData(), size_t(qMin<qsizetype>(received.size(), kFrameSize)));
    return result;
}

int UpdateLink::takeReply(QByteArrayView request, QByteArray &received)
{
    Q_ASSERT(request.size() >= kFrameSize);
    const auto command = quint8(request.at(1));
    const quint32 blockOffset = qFromLittleEndian<quint32>(request.data() + 2);
    const bool isBlock = command == FpgaBlock || command == CpuBlock || command == FsBlock;
    while (received.size() >= kFrameSize) {
        if (received.at(0) != '$')
            return BadStart;
        if (quint8(received.at(kFrameSize - 1)) != Crc8::compute(received.constData(), kFrameSize - 1))
            return BadCrc;
        const QByteArrayView text(received.constData(), qstrnlen(received.constData(), kFrameSize));
        // The answer to the block before this one counts up to this block's
        // offset; the first block has no block before it.
        const bool earlierBlock = isBlock && blockOffset > 0
            && qFromLittleEndian<quint32>(received.constData() + 2) == blockOffset
            && !text.contains("ready");
        if (!earlierBlock)
            return NoError;
        received.remove(0, kFrameSize);
    }
    return NoReply;
}

bool UpdateLink::waitForInput(int ms)
{
    WaitScope scope(m_waiting);
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&m_port, &QIODevice::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &loop, &QEventLoop::quit);
    deadline.start(ms);
    loop.exec();
    return m_port.bytesAvailable() > 0;
}

void UpdateLink::pause(int ms)
{
    WaitScope scope(m_waiting);
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

int UpdateLink::setMode(quint8 mode)
{
    build(SetMode, mode);
    int result = transact(kModeRetries);
    if (result != NoError)
        return result;
    build(Status, 0);
    result = transact(kModeRetries);
    if (result == NoError)
        m_mode = quint8(m_rx.at(8));
    return result;
}

int UpdateLink::writeSerial(quint16 number)
{
    build(WriteSerial, number);
    return transact(kSerialRetries);
}

QString UpdateLink::versionText(int offset) const
{
    const qint8 *v = m_version + (offset - 2);
    return QStringLiteral("%1.").arg(int(v[0])) + QStringLiteral("%1.").arg(int(v[1]))
        + QStringLiteral("%1").arg(int(v[2]));
}
