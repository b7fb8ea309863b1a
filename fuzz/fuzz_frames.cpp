// The serial frame cutter on arbitrary byte streams in arbitrary reads: the
// first two bytes seed the read sizes (1 to 600 bytes), the rest is the
// stream. Every byte must come out exactly once, as free text, as part of a
// delivered frame or still buffered; a delivered frame is a whole, sound
// "$" frame.

#include "fuzzcheck.h"
#include "packet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    quint32 random = in.word() * 2654435761u + 1;
    QByteArray buffer;
    qint64 consumed = 0;
    qint64 shown = 0;
    qint64 delivered = 0;
    while (!in.atEnd()) {
        random = random * 1103515245u + 12345u;
        size_t got = 0;
        const uint8_t *chunk = in.take(1 + (random >> 16) % 600, &got);
        buffer.append(reinterpret_cast<const char *>(chunk), qsizetype(got));
        consumed += qint64(got);
        while (const auto frame = Packet::takeFrame(buffer, [&](const QByteArray &text) {
                   FUZZ_CHECK(!text.isEmpty());
                   shown += text.size();
               })) {
            FUZZ_CHECK(frame->size() == Packet::Size);
            FUZZ_CHECK(frame->at(0) == Packet::SerialReplyStart);
            FUZZ_CHECK(Packet::crcValid(*frame));
            delivered += frame->size();
        }
        FUZZ_CHECK(shown + delivered + buffer.size() == consumed);
    }
    return 0;
}
