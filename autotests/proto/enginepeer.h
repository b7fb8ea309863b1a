#pragma once

#include "oldproto.h"
#include "packet.h"
#include "zorqv.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>

// Stands in for the transports: records every packet the engine sends and,
// when a responder is set, answers it on the next turn of the event loop,
// as a TCP link would (262 bytes, 0x40 in front, no checksum).
class EnginePeer : public QObject
{
    Q_OBJECT

public:
    using Responder = std::function<QByteArray(const QByteArray &request)>;

    explicit EnginePeer(OldProto *proto)
        : m_proto(proto)
    {
        connect(proto, &OldProto::snd_pckt, this, &EnginePeer::onSend);
    }

    static QByteArray reply(quint8 id, const QByteArray &payload = {})
    {
        QByteArray p(Packet::CrcOffset, '\0');
        p[0] = Packet::RequestStart;
        p[1] = char(id);
        p.replace(Packet::PayloadOffset, qMin<int>(int(payload.size()), Packet::CrcOffset - 2),
                  payload.left(Packet::CrcOffset - 2));
        return p;
    }

    // An empty answer: same ID, zero payload.
    static QByteArray echo(const QByteArray &request) { return reply(Packet::id(request)); }

    QList<QByteArray> sent;
    Responder responder;

    QList<int> sentIds() const
    {
        QList<int> ids;
        for (const QByteArray &p : sent)
            ids << Packet::id(p);
        return ids;
    }

private:
    void onSend(const QByteArray &packet)
    {
        sent << packet;
        if (!responder)
            return;
        const QByteArray answer = responder(packet);
        if (answer.isEmpty())
            return;
        QMetaObject::invokeMethod(
            this, [this, answer] { m_proto->pckt_rcv(answer); }, Qt::QueuedConnection);
    }

    OldProto *m_proto;
};
