// The updater link's reply parsing on arbitrary input: a request (command
// and value from the first five bytes) and the bytes of its window, arriving
// in reads of arbitrary size. Whatever takeReply() answers must be true of
// the bytes it leaves: an answer is a sound "$" frame at the front that is
// not the late count of the block before, and no reply means less than a
// frame is left.

#include "crc8.h"
#include "fuzzcheck.h"
#include "updatelink.h"

#include <QtEndian>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    QByteArray request(UpdateLink::kFrameSize, '\0');
    request[0] = '@';
    request[1] = char(in.byte());
    qToLittleEndian<quint32>(in.dword(), request.data() + 2);
    quint32 random = in.byte() * 2654435761u + 1;

    QByteArray received;
    int result = UpdateLink::NoReply;
    while (!in.atEnd() && result == UpdateLink::NoReply) {
        random = random * 1103515245u + 12345u;
        size_t got = 0;
        const uint8_t *chunk = in.take(1 + (random >> 16) % 700, &got);
        received.append(reinterpret_cast<const char *>(chunk), qsizetype(got));
        result = UpdateLink::takeReply(request, received);
    }
    switch (result) {
    case UpdateLink::NoReply:
        FUZZ_CHECK(received.size() < UpdateLink::kFrameSize);
        break;
    case UpdateLink::BadStart:
        FUZZ_CHECK(received.size() >= UpdateLink::kFrameSize && received.at(0) != '$');
        break;
    case UpdateLink::BadCrc:
        FUZZ_CHECK(received.size() >= UpdateLink::kFrameSize && received.at(0) == '$');
        FUZZ_CHECK(Crc8::compute(received.constData(), UpdateLink::kFrameSize - 1)
                   != quint8(received.at(UpdateLink::kFrameSize - 1)));
        break;
    case UpdateLink::NoError:
        FUZZ_CHECK(received.size() >= UpdateLink::kFrameSize && received.at(0) == '$');
        FUZZ_CHECK(Crc8::compute(received.constData(), UpdateLink::kFrameSize - 1)
                   == quint8(received.at(UpdateLink::kFrameSize - 1)));
        break;
    default:
        FUZZ_CHECK(false);
    }
    return 0;
}
