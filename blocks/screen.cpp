#include "screen.h"

#include "blocksizes.h"

namespace {
constexpr int kLevel = 85; // 2-bit channel value to 8 bits: 0, 85, 170, 255
} // namespace

QRgb Screen::colour(quint8 pixel)
{
    return qRgb((pixel & 0x3) * kLevel, ((pixel >> 2) & 0x3) * kLevel, ((pixel >> 4) & 0x3) * kLevel);
}

quint8 Screen::pixel(int red, int green, int blue)
{
    const auto level = [](int v) { return quint8(qBound(0, (v + kLevel / 2) / kLevel, 3)); };
    return quint8(level(red) | (level(green) << 2) | (level(blue) << 4));
}

QImage Screen::image(const QByteArray &bytes)
{
    const int w = int(BlockSize::ScreenWidth);
    const int h = int(BlockSize::ScreenHeight);
    QImage picture(w, h, QImage::Format_RGB888);
    picture.fill(Qt::black);
    const qsizetype count = qMin<qsizetype>(bytes.size(), qsizetype(w) * h);
    for (qsizetype i = 0; i < count; ++i)
        picture.setPixel(int(i % w), int(i / w), colour(quint8(bytes.at(i))));
    return picture;
}
