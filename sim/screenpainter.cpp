#include "screenpainter.h"

#include "blocksizes.h"
#include "conversions.h"
#include "screen.h"
#include "testcodes.h"

#include <QFont>
#include <QImage>
#include <QPainter>

namespace {

// Colours on the palette's levels, so that nothing is lost in the 6 bits.
const QColor kBackground(0, 0, 85);
const QColor kBar(0, 85, 170);
const QColor kText(255, 255, 255);
const QColor kDim(170, 170, 170);
const QColor kRunning(0, 255, 0);
const QColor kWarn(255, 255, 0);
const QColor kIdle(85, 85, 85);

QString testLabel(quint32 w, quint8 loopLevel)
{
    const auto any = [w](int bit) { return (w & (StateBit::tx(bit) | StateBit::rx(bit))) != 0; };
    static const struct
    {
        int bit;
        const char *text;
    } order[] = {{StateBit::Traffic, "TRAF"}, {StateBit::Rfc, "RFC"},  {StateBit::Jitter, "JIT"},
                 {StateBit::Cable, "CAB"},    {StateBit::Loopback, "LB"}, {StateBit::Transit, "THRU"},
                 {StateBit::Ping, "PING"},    {StateBit::Trace, "TRT"}, {StateBit::Bert, "BERT"},
                 {StateBit::Dns, "DNS"},      {StateBit::Oam, "OAM"},   {StateBit::Multi, "MS"}};
    for (const auto &o : order) {
        if (any(o.bit))
            return o.bit == StateBit::Loopback ? QStringLiteral("LB%1").arg(loopLevel) : QLatin1String(o.text);
    }
    return QStringLiteral("idle");
}

QString rateText(double bytesPerSecond)
{
    const double bits = bytesPerSecond * 8;
    if (bits >= 1e6)
        return QStringLiteral("%1 Mbit/s").arg(bits / 1e6, 0, 'f', 1);
    if (bits >= 1e3)
        return QStringLiteral("%1 kbit/s").arg(bits / 1e3, 0, 'f', 1);
    return QStringLiteral("%1 bit/s").arg(bits, 0, 'f', 0);
}

void paintPort(QPainter &painter, const QRect &box, int index, const ScreenState::Port &port)
{
    const QString name = index == 0 ? QStringLiteral("A") : QStringLiteral("B");
    painter.fillRect(box.x(), box.y(), box.width(), 16, kBar);
    painter.setPen(kText);
    painter.drawText(box.x() + 4, box.y() + 12, QStringLiteral("Port %1").arg(name));
    painter.setPen(kDim);
    painter.drawRect(box.adjusted(0, 0, -1, -1));

    const int x = box.x() + 6;
    int y = box.y() + 32;
    const auto line = [&](const QString &label, const QString &value, const QColor &colour) {
        painter.setPen(kDim);
        painter.drawText(x, y, label);
        painter.setPen(colour);
        painter.drawText(x + 44, y, value);
        y += 16;
    };
    static const char *const speeds[] = {"no link", "10 Mbit", "100 Mbit", "1000 Mbit"};
    line(QStringLiteral("Link"), QLatin1String(speeds[port.speedCode & 3]), port.speedCode ? kRunning : kWarn);
    line(QStringLiteral("IP"), Conv::ipToText(port.address), kText);
    line(QStringLiteral("Test"), testLabel(port.state, port.loopLevel), port.state ? kRunning : kIdle);
    const QString other = index == 0 ? QStringLiteral("B") : QStringLiteral("A");
    line(QStringLiteral("Topo"),
         port.topology == 0 ? name + QStringLiteral("->") + other
         : port.topology == 1 ? name + QStringLiteral("->") + name
                              : QStringLiteral("---"),
         kText);
    line(QStringLiteral("Time"), Conv::durationText(quint64(port.elapsedSeconds)), kText);
    line(QStringLiteral("Tx"), rateText(port.txRate), kText);
    line(QStringLiteral("Rx"), rateText(port.rxRate), kText);
}

} // namespace

QByteArray paintScreen(const ScreenState &state)
{
    const int w = int(BlockSize::ScreenWidth);
    const int h = int(BlockSize::ScreenHeight);
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(kBackground);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setStyleHint(QFont::Monospace);
        font.setPixelSize(11);
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);

        painter.fillRect(0, 0, w, 18, kBar);
        painter.setPen(kText);
        painter.drawText(4, 13, QStringLiteral("%1  S/N %2").arg(state.qvb ? "ZORT-QVB" : "ZORT-QV").arg(state.serial));
        painter.drawText(w - 60, 13, state.time.toString(QStringLiteral("hh:mm:ss")));

        if (state.qvb) {
            paintPort(painter, QRect(4, 24, w - 8, 180), 0, state.port[0]);
        } else {
            paintPort(painter, QRect(4, 24, w / 2 - 6, 180), 0, state.port[0]);
            paintPort(painter, QRect(w / 2 + 2, 24, w / 2 - 6, 180), 1, state.port[1]);
        }

        painter.fillRect(0, h - 22, w, 22, kBar);
        static const char *const keys[] = {"Tests", "Setup", "Files", "Info"};
        for (int i = 0; i < 4; ++i) {
            painter.setPen(kText);
            painter.drawText(8 + i * 80, h - 7, QLatin1String(keys[i]));
        }
    }
    QByteArray pixels(qsizetype(w) * h, '\0');
    for (int y = 0; y < h; ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < w; ++x)
            pixels[qsizetype(y) * w + x] = char(Screen::pixel(line[3 * x], line[3 * x + 1], line[3 * x + 2]));
    }
    return pixels;
}
