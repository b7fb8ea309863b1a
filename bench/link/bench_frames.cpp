// Throughput of the CRC-8 and of the serial frame extraction on a noisy
// stream, and how the time scales from 1 MB to 4 MB (linear: about 4).

#include "crc8.h"
#include "packet.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Frames separated by free text of random length and content, as a tester
// that prints diagnostics between its replies would produce.
QByteArray noisyStream(qsizetype size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray frame = Packet::make(63, Packet::SerialReplyStart);
    for (int i = 2; i < Packet::CrcOffset; ++i)
        frame[i] = char(rng.bounded(256));
    Packet::seal(frame);
    QByteArray stream;
    stream.reserve(size + 1024);
    while (stream.size() < size) {
        const int noise = int(rng.bounded(0, 400));
        for (int i = 0; i < noise; ++i)
            stream.append(char(rng.bounded(256)));
        stream.append(frame);
    }
    stream.truncate(size);
    return stream;
}

template <typename F>
double bestSeconds(F &&work, int repeats = 5)
{
    std::vector<double> times;
    for (int r = 0; r < repeats; ++r) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1e9);
    }
    return *std::min_element(times.begin(), times.end());
}

struct Result
{
    double crcSeconds;
    double extractSeconds;
    int frames;
};

Result measure(const QByteArray &stream)
{
    Result r{};
    volatile quint8 sink = 0;
    r.crcSeconds = bestSeconds([&] { sink = Crc8::compute(stream); });
    r.extractSeconds = bestSeconds([&] {
        // Reads of at most 1024 bytes, as the serial transport makes them.
        QByteArray buffer;
        int frames = 0;
        qsizetype text = 0;
        for (qsizetype pos = 0; pos < stream.size(); pos += 1024) {
            buffer.append(stream.constData() + pos, qMin<qsizetype>(1024, stream.size() - pos));
            while (Packet::takeFrame(buffer, [&](const QByteArray &t) { text += t.size(); }))
                ++frames;
        }
        r.frames = frames;
    });
    Q_UNUSED(sink);
    return r;
}

} // namespace

int main()
{
    constexpr qsizetype MB = 1024 * 1024;
    const QByteArray small = noisyStream(1 * MB, 1);
    const QByteArray large = noisyStream(4 * MB, 2);
    const Result s = measure(small);
    const Result l = measure(large);

    std::printf("CRC-8:            1 MB %.2f ms, 4 MB %.2f ms, %.0f MB/s, ratio 4MB:1MB %.2f\n",
                s.crcSeconds * 1e3, l.crcSeconds * 1e3, 4.0 / l.crcSeconds, l.crcSeconds / s.crcSeconds);
    std::printf("frame extraction: 1 MB %.2f ms, 4 MB %.2f ms, %.0f MB/s, ratio 4MB:1MB %.2f (%d frames in 4 MB)\n",
                s.extractSeconds * 1e3, l.extractSeconds * 1e3, 4.0 / l.extractSeconds,
                l.extractSeconds / s.extractSeconds, l.frames);
    return 0;
}
