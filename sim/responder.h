#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// What a link hands each request to: the normal tester or its updater mode.
class Responder
{
public:
    virtual ~Responder() = default;
    // The answer to one 263-byte request (its CRC already checked where the
    // link has one): a 263-byte packet whose start byte and CRC the link
    // sets, or an empty array when the tester does not answer.
    virtual QByteArray respond(const QByteArray &request) = 0;
    // How long after its request the last answer is due (a replayed
    // recording keeps the tester's own pace).
    virtual qint64 replyDelayUs() const { return 0; }
    // Free text for the serial line after the last answer, each piece with
    // its delay after the request in µs.
    virtual QList<QPair<qint64, QByteArray>> textAfterAnswer() const { return {}; }
};
