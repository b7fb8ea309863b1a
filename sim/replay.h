#pragma once

#include "responder.h"
#include "sessionfile.h"

#include <QList>

// The tester as a recording remembers it: each request is answered with the
// reply that followed the same request in the recording, after the delay it
// had then (divided by the speed; speed 0 answers at once). A request is
// matched by its ID and payload, the first not yet used from where the
// replay stands; without such a match by the ID alone, nearest in time.
class Replay final : public Responder
{
public:
    // updater: the updater's replies name no request, so a reply belongs to
    // the request before it whatever its byte 1 holds.
    Replay(const SessionFile::Recording &recording, bool updater, double speed);

    QByteArray respond(const QByteArray &request) override;
    qint64 replyDelayUs() const override { return m_lastDelayUs; }
    QList<QPair<qint64, QByteArray>> textAfterAnswer() const override { return m_lastText; }
    // The tester's text before the first request (its boot lines).
    QByteArray textBefore() const { return m_textBefore; }

    qint64 exact() const { return m_exact; }
    qint64 loose() const { return m_loose; }
    qint64 notFound() const { return m_notFound; }
    qint64 requests() const { return m_exchanges.size(); }

private:
    struct Exchange
    {
        qint64 timeUs = 0;
        QByteArray body; // ID and payload
        QByteArray reply; // ID and payload; empty: the tester did not answer
        qint64 delayUs = 0;
        QList<QPair<qint64, QByteArray>> text; // the tester's until the next request
        bool used = false;
    };

    int findExact(const QByteArray &body) const;
    int findLoose(quint8 id) const;
    qint64 cursorTime() const;

    QList<Exchange> m_exchanges;
    double m_speed = 1;
    int m_cursor = 0;
    qint64 m_lastDelayUs = 0;
    QList<QPair<qint64, QByteArray>> m_lastText;
    QByteArray m_textBefore;
    qint64 m_exact = 0;
    qint64 m_loose = 0;
    qint64 m_notFound = 0;
};
