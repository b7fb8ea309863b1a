// The session recording reader on arbitrary bytes (a customer's file may be
// cut, spoiled or not a recording at all): whatever it keeps, written again,
// gives back exactly the bytes it read, and it says how many were left over.

#include "fuzzcheck.h"
#include "sessionfile.h"

#include <QtEndian>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const auto r = SessionFile::Recording::parse(bytes, &error);
    if (!r) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(r->wholeBytes + r->trailingBytes == qsizetype(size));
    const quint16 textSize = qFromLittleEndian<quint16>(data + 6);
    QByteArray again(reinterpret_cast<const char *>(data), SessionFile::FixedHeaderSize + textSize);
    for (const SessionFile::Record &rec : r->records) {
        FUZZ_CHECK(rec.bytes.size() <= SessionFile::MaxPayload);
        SessionFile::appendRecord(again, rec.timeUs, rec.direction, rec.channel, rec.bytes);
        (void)rec.id();
    }
    FUZZ_CHECK(again == bytes.first(r->wholeBytes));
    return 0;
}
