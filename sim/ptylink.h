#pragma once

#include "precisetimer.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>

class FaultInjector;
class QSocketNotifier;
class Responder;

// The tester's serial line on the master side of a pseudo-terminal. It cuts
// "@" requests out of the incoming stream (a request with a bad CRC is
// dropped, as noise before a start byte is), answers each with one "$" frame
// and writes the tester's free text between frames, never inside one.
//
// With a line rate set, both directions behave like a UART at that rate: a
// request counts as received when its last byte would have arrived, and a
// reply leaves byte by byte from then on, on a budget kept against the
// monotonic clock: a write that wakes up late catches up, so latencies never
// accumulate from one frame to the next and the line is never outrun.
class PtyLink final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PtyLink)

public:
    PtyLink(Responder *responder, FaultInjector *faults, QObject *parent = nullptr);
    ~PtyLink() override;

    bool open(QString *error);
    QString slavePath() const { return m_slavePath; }
    // A symbolic link at path to the slave; removed again with the link.
    bool makeSymlink(const QString &path, QString *error);

    // Baud rate of the emulated line (bytes per second = baud / 10); 0 runs
    // at the speed of the pseudo-terminal.
    void setLineRate(qint64 baud) { m_baud = baud; }
    void setVerbose(bool on) { m_verbose = on; }

    // Free text of the tester, queued behind what is already on the line.
    void sendText(const QByteArray &text);

private:
    // Bytes for the line that may not start before a time: a reply not
    // before its request has arrived (and its delay has passed).
    struct Segment
    {
        QByteArray bytes;
        qint64 notBefore = 0;
        bool overtakable = false; // segments due earlier may pass it
        qint64 start = -1; // when its first byte went on the line
        qint64 sent = 0;
    };

    void readMaster();
    void cutRequests(qint64 lastByteDone);
    void handleRequest(const QByteArray &request, qint64 arrived);
    void enqueue(const QByteArray &bytes, qint64 notBefore, bool overtakable = false);
    void pump();
    qint64 queued() const;
    qint64 lineTime(qint64 bytes) const { return bytes * 10000000000LL / m_baud; }

    Responder *m_responder;
    FaultInjector *m_faults;
    int m_master = -1;
    int m_slave = -1; // kept open so that the master never sees a hang-up
    QString m_slavePath;
    QString m_symlink;
    qint64 m_baud = 0;
    bool m_verbose = false;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;

    QByteArray m_in;
    qint64 m_rxLineFree = 0; // when the last byte read so far has arrived

    std::deque<Segment> m_out;
    qint64 m_txLineFree = 0; // when the last written byte has left
    PreciseTimer m_txTimer;
};
