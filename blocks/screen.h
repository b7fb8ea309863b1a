#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>

// The tester's screen: 320 x 240 pixels, one byte each, a 6-bit colour with
// two bits per channel (red bits 0-1, green 2-3, blue 4-5).
namespace Screen {
QRgb colour(quint8 pixel);
// The inverse for a colour already on the palette levels 0, 85, 170, 255.
quint8 pixel(int red, int green, int blue);
// The picture of the 76800 screen bytes; missing bytes are black.
QImage image(const QByteArray &bytes);
} // namespace Screen
