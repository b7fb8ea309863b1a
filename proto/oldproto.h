#pragma once

#include "reportjob.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QTimer>

#include <optional>

class Zorqv;

// The protocol engine: the only part of QVRemote that knows what packets
// mean. It keeps the link in a strict request-reply rhythm (one packet
// outstanding), closes a link whose tester has gone silent, runs the
// handshake, builds requests from the device record and decodes replies into
// it. The packet builders and decoders live in commandset.cpp.
class OldProto final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OldProto)

public:
    static constexpr int ResponseTimeoutMs = 1100;
    // The sizes a download may announce: a result file is never shorter,
    // and nothing the tester stores is larger. Anything else is refused
    // rather than trusted.
    static constexpr qint64 MinDownloadSize = 16368;
    static constexpr qint64 MaxDownloadSize = 16 * 1024 * 1024;

    explicit OldProto(Zorqv *device, QObject *parent = nullptr);
    ~OldProto() override;

    // A 263-byte request, or an empty array for an ID without a builder.
    QByteArray build(quint8 id, quint32 parameter);
    // Queues a packet (an empty one only releases the queue) and sends the
    // oldest queued packet when no request is outstanding.
    void send(const QByteArray &packet);
    bool awaitingReply() const { return m_responseTimer.isActive(); }
    int queuedPackets() const { return int(m_sendQueue.size()); }

Q_SIGNALS:
    void debug_fpga_rcv(uint w);
    void snd_pckt(QByteArray packet);
    void status_upd();
    void qv_conn();
    void qv_disc();
    void disc_port();
    void disc_sock();
    void res_rcv(unsigned short code);
    void cfg_rcv(unsigned short code);
    // The link has ended without the user asking: why, in the user's words.
    void link_lost(const QString &why);

public Q_SLOTS:
    void debug_fpga_rw(uint w);
    void pckt_rcv(const QByteArray &packet);
    void port_conn(const QString &name);
    void sock_conn(const QString &host);
    void port_disc();
    void sock_disc();
    void disc_qv();
    void upd_status();
    void upd_res();
    void gs_cfg(unsigned short code);
    void start_test(unsigned short code);

private Q_SLOTS:
    void tQvTmout();

private:
    void request(quint8 id, quint32 parameter) { send(build(id, parameter)); }
    void linkOpened(int linkType);
    void reset();
    void decode(const QByteArray &packet);
    void decodeStatus(const QByteArray &packet);
    void decodeFileList(const QByteArray &packet);
    void decodeFileOpen(const QByteArray &packet);
    void decodeFileRead(const QByteArray &packet);
    void decodeScreen(const QByteArray &packet);
    void decodeRfcStep(const QByteArray &packet, quint8 proc, quint8 step);
    enum TransferHold : quint8 { List = 1, Download = 2, Screen = 4 };
    void fetchFileList();
    void holdTransfer(TransferHold what);
    void releaseTransfer(TransferHold what);
    void beginDownload();
    void finishDownload();
    void failDownload(DownloadFailure why);
    std::optional<quint8> takeProcess(quint8 id, int limit);
    void notifyCfg(quint8 proc, quint8 test) { Q_EMIT cfg_rcv(quint16(proc << 8 | test)); }
    void notifyRes(quint8 proc, quint8 test) { Q_EMIT res_rcv(quint16(proc << 8 | test)); }

    // How the link will have ended when its transport reports it closed.
    enum class LinkEnd { Asked, Silent, Lost };

    QTimer m_responseTimer;
    LinkEnd m_linkEnd = LinkEnd::Asked;
    quint8 m_transferHolds = 0; // TransferHold bits: who needs file-transfer mode
    quint8 m_awaitedId = 0; // the ID of the request outstanding, while the timer runs
    Zorqv *m_device;
    // Whether each outstanding interface request asked for its reply as a
    // result rather than a configuration, in sending order: one flag per
    // interface could not tell a read from a poll queued behind it.
    QQueue<bool> m_pendingResultFlag;
    // A download is awaited from the moment its open request is queued and
    // read once the tester has announced a plausible size. A new request
    // supersedes the one before; replies that belong to no download, or to
    // a superseded one, are ignored.
    int m_opensAwaited = 0;
    bool m_reading = false;
    qint64 m_downloadSize = 0;
    // Where and which reports, fixed when the download was asked for: the
    // file name and folder may change before it completes.
    ReportJob m_job;
    QList<QByteArray> m_sendQueue;
    QQueue<quint8> m_pendingProcess;
    QQueue<int> m_pendingOffset;
    QQueue<int> m_pendingLength;
    QQueue<quint8> m_pendingStep;
    QQueue<quint8> m_pendingTracePage;
    int m_rfcCycle = 0; // one position for the whole program, not per process
};
