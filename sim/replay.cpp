#include "replay.h"

#include "packet.h"

#include <QTextStream>

#include <cstdlib>

Replay::Replay(const SessionFile::Recording &recording, bool updater, double speed)
    : m_speed(speed)
{
    for (const SessionFile::Record &r : recording.records) {
        if (r.channel == SessionFile::Channel::Text && r.direction == SessionFile::Direction::In) {
            if (m_exchanges.isEmpty())
                m_textBefore += r.bytes;
            else
                m_exchanges.last().text.append({r.timeUs - m_exchanges.last().timeUs, r.bytes});
            continue;
        }
        if (!r.isFrame() || r.bytes.isEmpty())
            continue;
        if (r.direction == SessionFile::Direction::Out) {
            Exchange e;
            e.timeUs = r.timeUs;
            e.body = r.body();
            m_exchanges.append(e);
            continue;
        }
        // A reply answers the latest unanswered request with its ID; a late
        // one can follow a newer request. The updater's carry no ID.
        for (qsizetype i = m_exchanges.size() - 1; i >= 0; --i) {
            Exchange &e = m_exchanges[i];
            if (!e.reply.isEmpty())
                break;
            if (updater || e.body.at(0) == r.body().at(0)) {
                e.reply = r.body();
                e.delayUs = r.timeUs - e.timeUs;
                break;
            }
        }
    }
}

qint64 Replay::cursorTime() const
{
    if (m_exchanges.isEmpty())
        return 0;
    return m_exchanges.at(qMin<qsizetype>(m_cursor, m_exchanges.size() - 1)).timeUs;
}

int Replay::findExact(const QByteArray &body) const
{
    for (qsizetype i = m_cursor; i < m_exchanges.size(); ++i) {
        if (!m_exchanges.at(i).used && m_exchanges.at(i).body == body)
            return int(i);
    }
    // Asked again (a retry, a page opened twice): the nearest such request.
    int best = -1;
    const qint64 now = cursorTime();
    for (qsizetype i = 0; i < m_exchanges.size(); ++i) {
        if (m_exchanges.at(i).body == body
            && (best < 0 || std::llabs(m_exchanges.at(i).timeUs - now) < std::llabs(m_exchanges.at(best).timeUs - now)))
            best = int(i);
    }
    return best;
}

int Replay::findLoose(quint8 id) const
{
    int best = -1;
    const qint64 now = cursorTime();
    for (qsizetype i = 0; i < m_exchanges.size(); ++i) {
        const Exchange &e = m_exchanges.at(i);
        if (quint8(e.body.at(0)) != id)
            continue;
        const auto distance = [now](const Exchange &x) { return std::llabs(x.timeUs - now); };
        if (best < 0 || distance(e) < distance(m_exchanges.at(best))
            || (distance(e) == distance(m_exchanges.at(best)) && m_exchanges.at(best).used && !e.used))
            best = int(i);
    }
    return best;
}

QByteArray Replay::respond(const QByteArray &request)
{
    m_lastDelayUs = 0;
    m_lastText.clear();
    const QByteArray body = request.mid(Packet::IdOffset, Packet::TcpFrameSize);
    const quint8 id = quint8(body.at(0));
    int at = findExact(body);
    if (at >= 0) {
        ++m_exact;
    } else {
        at = findLoose(id);
        QTextStream err(stderr);
        if (at < 0) {
            ++m_notFound;
            err << "qvsim: replay: no request with ID " << id << " in the recording; not answered" << Qt::endl;
            return {};
        }
        ++m_loose;
        err << "qvsim: replay: request ID " << id << " differs from the recording; answered as the one at "
            << QString::number(double(m_exchanges.at(at).timeUs) / 1e6, 'f', 6) << " s" << Qt::endl;
    }
    Exchange &e = m_exchanges[at];
    e.used = true;
    m_cursor = at + 1;
    if (e.reply.isEmpty())
        return {};
    const auto scaled = [this](qint64 us) { return m_speed > 0 ? qint64(double(us) / m_speed) : 0; };
    m_lastDelayUs = scaled(e.delayUs);
    for (const auto &[delay, text] : std::as_const(e.text))
        m_lastText.append({scaled(delay), text});
    QByteArray reply = Packet::SerialReplyStart + e.reply + '\0';
    reply.resize(Packet::Size, '\0');
    return reply;
}
