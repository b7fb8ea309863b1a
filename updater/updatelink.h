#pragma once

#include "updatercommands.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

class SessionRecorder;

// The updater's own serial link to the tester: fixed 263-byte "@" requests
// and "$" replies with CRC-8, one request-reply transaction at a time with
// retries, the identification read at open and the numbered error codes.
// While it waits for a reply it lets the application's events run, so the
// caller must make sure that nothing re-enters it meanwhile (isWaiting()).
class UpdateLink final : public UpdaterCommands
{
    Q_DISABLE_COPY_MOVE(UpdateLink)

public:
    static constexpr int kFrameSize = 263;
    static constexpr int kDataSize = 256;
    static constexpr int kReplyTimeoutMs = 1000;
    // How long after its request a reply may still come. Which attempt a
    // reply answers cannot be told, so every attempt's reply is owed until
    // then, unless as many replies as attempts have come.
    static constexpr int kLateReplyMs = 2000;

    enum Error {
        NoError = 0,
        OpenFailed = 1,
        WriteFailed = 2,
        SetupFailed = 3,
        NoReply = 4,
        BadStart = 5,
        BadCrc = 6,
        OldFirmware = 7,
        OperationFailed = 100,
        // The port failed under an open link (device unplugged, terminal
        // hung up): told to the user as the port's read error.
        PortLost = SetupFailed,
    };

    UpdateLink();
    ~UpdateLink();

    // Names of the serial ports that can be opened right now, in the
    // platform's naming; ports in use elsewhere are left out.
    static QStringList listPorts();
    static QString errorText(int code);

    int open(const QString &portName);
    void close();

    bool isConnected() const { return m_connected; }
    // After an open() refused for want of permission: the group the user
    // must join to use the port (else empty).
    QString deniedGroup() const { return m_deniedGroup; }
    // Called from the event loop once the port is lost, whether or not an
    // operation is running, so that an idle window learns of it too.
    void setLostHandler(std::function<void()> handler) { m_lostHandler = std::move(handler); }
    // Every open() starts a recording there (not owned; none: not recorded).
    void setRecorder(SessionRecorder *recorder) { m_recorder = recorder; }
    quint8 mode() const { return m_mode; }
    quint16 serialNumber() const { return m_serialNumber; }
    QString cpuVersionText() const { return versionText(2); }
    QString fpgaVersionText() const { return versionText(5); }

    // The receive buffer: the last reply, always kFrameSize bytes. A short
    // reply overwrites only its own length and leaves the rest as it was.
    const QByteArray &reply() const { return m_rx; }
    const QByteArray &request() const { return m_tx; }
    // The 32-bit value of the reply (bytes 2 to 5).
    quint32 replyValue() const;
    // The reply read as a zero-terminated string from byte 0 contains text.
    bool replyContains(const char *text) const;

    // data points at kDataSize bytes and is used only by the commands that
    // carry data; the other commands leave the data field as it was.
    void build(quint8 command, quint32 value, const char *data = nullptr);
    // Sends the request and reads its answer. A reply carries nothing that
    // names its request, so a late reply to an earlier attempt is kept from
    // answering another request by three means: before a request other than
    // the last one goes out, the replies still owed by attempts that timed
    // out are waited for (up to kLateReplyMs after each) and dropped;
    // whatever waits in the input before an attempt is dropped; and a block's
    // answer must not carry the count of the block before (takeReply).
    // A late reply to the same request answers it as well as a fresh one.
    int transact(int retries);
    int setMode(quint8 mode);
    // Examines the bytes received since request went out: NoReply while
    // no whole frame is there, BadStart or BadCrc for a spoiled frame at the
    // front, NoError when the front frame is sound. Only byte 0, the value
    // and the CRC are defined in every reply, so for an image or file block
    // a sound frame that counts up to this block's offset (the late answer
    // to the block before) is removed first; anything else sound answers.
    static int takeReply(QByteArrayView request, QByteArray &received);
    int writeSerial(quint16 number);

    // True while the link waits and lets other events run; an operation
    // started from such an event would re-enter the link.
    bool isWaiting() const { return m_waiting; }
    // Lets events run for ms milliseconds (the pauses of the procedures).
    void pause(int ms);

private:
    void onPortError(QSerialPort::SerialPortError error);
    int readReply();
    bool waitForInput(int ms);
    // Takes what waits in the input (counting it against the owed replies)
    // and drops it, with what the port has not handed over yet.
    void purgeInput();
    QByteArray readInput();
    // Waits until the replies owed by timed-out attempts have come, or are
    // too late to come, and drops them.
    void drainOwedReplies();
    void forgetOwedReplies();
    QString versionText(int offset) const;
    // The input as frames of the reply size, for the recording; what is
    // left of a frame when the input is dropped goes as bytes outside one.
    void recordInput(const QByteArray &bytes);
    void flushRecordedInput();

    QSerialPort m_port;
    QByteArray m_tx = QByteArray(kFrameSize, '\0');
    QByteArray m_rx = QByteArray(kFrameSize, '\0');
    // The request of the last attempt: its retries need no draining.
    QByteArray m_lastSent;
    // Reply bytes still due to attempts, and until when a late one may come.
    qint64 m_owedBytes = 0;
    qint64 m_owedUntilMs = 0;
    QElapsedTimer m_clock;
    bool m_connected = false;
    QString m_deniedGroup;
    bool m_waiting = false;
    // From the moment the open port failed until the next open() or close():
    // the port is closed and every transaction fails at once with PortLost.
    bool m_lost = false;
    std::function<void()> m_lostHandler;
    SessionRecorder *m_recorder = nullptr;
    QByteArray m_recordedInput;
    quint8 m_mode = 0;
    quint16 m_serialNumber = 0;
    qint8 m_version[6] = {};
};
