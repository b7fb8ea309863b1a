// Draws every icon of the QV desktop suite with QPainter and writes them as
// PNG files, so the pictures are ours and are rebuilt with the program.
//
//   qv_iconmaker [--size N] OUTDIR NAME.png...
//
// --size draws square icons at N x N pixels (the programs' icons for the
// desktop's menus, in each size it asks for).
//
// Each name must be one this program knows; an unknown name is an error, so
// the build's list of icons and the drawings cannot drift apart silently.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <unistd.h>
#include <functional>
#include <map>

namespace {

struct Icon
{
    int width;
    int height;
    std::function<void(QPainter &)> draw; // draws into a 64 x 64 unit square
                                          // unless it scales itself
};

const QColor White(255, 255, 255);

QPen roundPen(const QColor &color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QFont boldFont(qreal pixelSize, const QString &family = QStringLiteral("DejaVu Sans"))
{
    QFont f(family);
    f.setPixelSize(int(std::lround(pixelSize)));
    f.setBold(true);
    return f;
}

// The coloured rounded tile behind every test-page pictogram: one look for
// the thirteen buttons, each told apart by colour and glyph.
void tile(QPainter &p, const QColor &base)
{
    QLinearGradient g(0, 4, 0, 60);
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(1, base.darker(115));
    p.setPen(QPen(base.darker(160), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 12, 12);
}

void arrowHead(QPainter &p, QPointF tip, qreal angleDeg, qreal size, const QColor &color)
{
    const qreal a = qDegreesToRadians(angleDeg);
    const QPointF back(tip.x() - size * std::cos(a), tip.y() - size * std::sin(a));
    const QPointF normal(-std::sin(a) * size * 0.6, std::cos(a) * size * 0.6);
    QPolygonF head;
    head << tip << back + normal << back - normal;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(head);
}

// A straight arrow from a to b whose head ends exactly at b.
void arrow(QPainter &p, QPointF a, QPointF b, qreal width, qreal head, const QColor &color)
{
    const qreal angle = qRadiansToDegrees(std::atan2(b.y() - a.y(), b.x() - a.x()));
    const qreal len = std::hypot(b.x() - a.x(), b.y() - a.y());
    const QPointF shaftEnd = a + (b - a) * ((len - head * 0.8) / len);
    p.setPen(roundPen(color, width));
    p.drawLine(a, shaftEnd);
    arrowHead(p, b, angle, head, color);
}

void circleBadge(QPainter &p, const QColor &color)
{
    QRadialGradient g(QPointF(26, 22), 36);
    g.setColorAt(0, color.lighter(140));
    g.setColorAt(1, color.darker(110));
    p.setPen(QPen(color.darker(150), 2));
    p.setBrush(g);
    p.drawEllipse(QRectF(4, 4, 56, 56));
}

void centredText(QPainter &p, const QRectF &r, const QString &text, const QFont &font,
                 const QColor &color)
{
    p.setFont(font);
    p.setPen(color);
    p.drawText(r, Qt::AlignCenter, text);
}

// A sheet of paper with a folded top-right corner.
void document(QPainter &p, const QRectF &r, const QColor &edge)
{
    const qreal fold = r.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(roundPen(edge, 2.5));
    p.setBrush(White);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(220, 220, 220));
    p.drawPath(corner);
}

// ---- flags (drawn at the image size, not in the 64-unit square) ----------

void frameFlag(QPainter &p, const QRectF &r)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 60, 160), 1));
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

void ukFlag(QPainter &p)
{
    const QRectF r(0, 0, p.device()->width(), p.device()->height());
    const QColor blue(1, 33, 105), red(200, 16, 46);
    p.fillRect(r, blue);
    p.save();
    p.setClipRect(r);
    // The flag's own 60 x 30 proportions, stretched to the icon.
    p.scale(r.width() / 60.0, r.height() / 30.0);
    p.setPen(QPen(White, 6));
    p.drawLine(QPointF(0, 0), QPointF(60, 30));
    p.drawLine(QPointF(60, 0), QPointF(0, 30));
    // Red diagonals offset anticlockwise, as the real flag counterchanges them.
    p.setPen(QPen(red, 2));
    p.drawLine(QPointF(0, -1), QPointF(30, 14));
    p.drawLine(QPointF(30, 16), QPointF(60, 31));
    p.drawLine(QPointF(61, 0), QPointF(31, 15));
    p.drawLine(QPointF(29, 15), QPointF(-1, 30));
    p.fillRect(QRectF(25, 0, 10, 30), White);
    p.fillRect(QRectF(0, 10, 60, 10), White);
    p.fillRect(QRectF(27, 0, 6, 30), red);
    p.fillRect(QRectF(0, 12, 60, 6), red);
    p.restore();
    frameFlag(p, r);
}

void rusFlag(QPainter &p)
{
    const QRectF r(0, 0, p.device()->width(), p.device()->height());
    const qreal h = r.height() / 3;
    p.fillRect(QRectF(0, 0, r.width(), h), White);
    p.fillRect(QRectF(0, h, r.width(), h), QColor(0, 57, 166));
    p.fillRect(QRectF(0, 2 * h, r.width(), r.height() - 2 * h), QColor(213, 43, 30));
    frameFlag(p, r);
}

// ---- test pages ----------------------------------------------------------

void rfcIcon(QPainter &p)
{
    tile(p, QColor(63, 81, 181));
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    const qreal heights[] = {12, 20, 28, 36};
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(12 + i * 10.5, 50 - heights[i], 8, heights[i]), 1.5, 1.5);
    p.setPen(roundPen(QColor(255, 235, 59), 3));
    p.drawLine(QPointF(11, 52), QPointF(53, 52));
}

void multiIcon(QPainter &p)
{
    tile(p, QColor(0, 137, 123));
    const QColor colors[] = {White, QColor(255, 235, 59), QColor(178, 235, 242)};
    const qreal ends[] = {52, 46, 50};
    for (int i = 0; i < 3; ++i)
        arrow(p, QPointF(12, 19 + i * 13), QPointF(ends[i], 19 + i * 13), 4.5, 10, colors[i]);
}

void cableIcon(QPainter &p)
{
    tile(p, QColor(239, 108, 0));
    // An RJ45 plug seen from the contact side, its cable leaving downwards.
    p.setPen(roundPen(White, 3));
    p.setBrush(QColor(255, 255, 255, 60));
    QPainterPath plug;
    plug.addRoundedRect(QRectF(14, 10, 36, 28), 3, 3);
    p.drawPath(plug);
    p.setPen(roundPen(QColor(255, 235, 59), 2.2));
    for (int i = 0; i < 8; ++i)
        p.drawLine(QPointF(18.5 + i * 3.9, 13), QPointF(18.5 + i * 3.9, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    p.drawRect(QRectF(25, 38, 14, 6));
    p.setPen(roundPen(White, 6));
    p.drawLine(QPointF(32, 44), QPointF(32, 55));
}

void loopbackIcon(QPainter &p)
{
    tile(p, QColor(142, 36, 170));
    // Out to the right, round the bend and back to the left.
    QPainterPath path;
    path.moveTo(12, 22);
    path.lineTo(38, 22);
    path.arcTo(QRectF(28, 22, 22, 22), 90, -180);
    path.lineTo(24, 44);
    p.setPen(roundPen(White, 5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    arrowHead(p, QPointF(12, 44), 180, 13, White);
}

void tcpIcon(QPainter &p)
{
    tile(p, QColor(25, 118, 210));
    // A globe: the network beyond the port.
    const QRectF globe(12, 12, 40, 40);
    p.setPen(roundPen(White, 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(globe);
    p.drawEllipse(QRectF(24, 12, 16, 40));
    p.drawLine(QPointF(32, 12), QPointF(32, 52));
    p.drawLine(QPointF(12, 32), QPointF(52, 32));
    p.setPen(roundPen(White, 2.2));
    p.drawLine(QPointF(15.5, 22), QPointF(48.5, 22));
    p.drawLine(QPointF(15.5, 42), QPointF(48.5, 42));
}

void trafficIcon(QPainter &p)
{
    tile(p, QColor(56, 142, 60));
    // Packets on their way to the right.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 130));
    p.drawRoundedRect(QRectF(9, 26, 10, 12), 2, 2);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawRoundedRect(QRectF(21, 26, 10, 12), 2, 2);
    p.setBrush(White);
    QPolygonF big;
    big << QPointF(34, 22) << QPointF(42, 22) << QPointF(42, 14) << QPointF(56, 32)
        << QPointF(42, 50) << QPointF(42, 42) << QPointF(34, 42);
    p.drawPolygon(big);
}

void jitterIcon(QPainter &p)
{
    tile(p, QColor(216, 27, 96));
    // Pulses whose edges wander: faint copies of each edge show the spread
    // of the delay being measured.
    const qreal edges[][2] = {{14, 22}, {30, 38}, {46, 54}};
    p.setPen(roundPen(QColor(255, 255, 255, 110), 2));
    for (const auto &e : edges) {
        for (const qreal dx : {-3.0, 3.0}) {
            p.drawLine(QPointF(e[0] + dx, 18), QPointF(e[0] + dx, 46));
            p.drawLine(QPointF(e[1] + dx, 18), QPointF(e[1] + dx, 46));
        }
    }
    QPainterPath wave;
    wave.moveTo(8, 46);
    for (const auto &e : edges) {
        wave.lineTo(e[0], 46);
        wave.lineTo(e[0], 18);
        wave.lineTo(e[1], 18);
        wave.lineTo(e[1], 46);
    }
    wave.lineTo(57, 46);
    p.setPen(roundPen(White, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

void bertIcon(QPainter &p)
{
    tile(p, QColor(69, 90, 100));
    // Bits, one of them wrong.
    const QFont f = boldFont(20, QStringLiteral("DejaVu Sans Mono"));
    centredText(p, QRectF(6, 8, 52, 24), QStringLiteral("010"), f, White);
    p.setFont(f);
    const QFontMetricsF fm(f);
    const qreal w = fm.horizontalAdvance(QStringLiteral("0"));
    const qreal x0 = 32 - 1.5 * w;
    p.setPen(White);
    p.drawText(QRectF(x0, 32, w, 24), Qt::AlignCenter, QStringLiteral("1"));
    p.setPen(QColor(255, 82, 82));
    p.drawText(QRectF(x0 + w, 32, w, 24), Qt::AlignCenter, QStringLiteral("1"));
    p.setPen(White);
    p.drawText(QRectF(x0 + 2 * w, 32, w, 24), Qt::AlignCenter, QStringLiteral("0"));
}

void oamIcon(QPainter &p)
{
    tile(p, QColor(121, 85, 72));
    // A wrench: operations, administration and maintenance.
    p.save();
    p.translate(32, 32);
    p.rotate(45);
    QPainterPath wrench;
    wrench.addRoundedRect(QRectF(-4.5, -6, 9, 30), 4, 4);
    QPainterPath head;
    head.addEllipse(QPointF(0, -14), 12, 12);
    QPainterPath jaw;
    jaw.addRect(QRectF(-4.5, -28, 9, 14));
    wrench = wrench.united(head).subtracted(jaw);
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    p.drawPath(wrench);
    p.restore();
}

void transitIcon(QPainter &p)
{
    tile(p, QColor(0, 151, 167));
    // Two ports with traffic passing straight through between them.
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    p.drawRoundedRect(QRectF(9, 16, 8, 32), 2, 2);
    p.drawRoundedRect(QRectF(47, 16, 8, 32), 2, 2);
    arrow(p, QPointF(21, 26), QPointF(44, 26), 3.5, 9, White);
    arrow(p, QPointF(43, 38), QPointF(20, 38), 3.5, 9, QColor(255, 235, 59));
}

void ifaceIcon(QPainter &p)
{
    tile(p, QColor(84, 110, 122));
    // An Ethernet jack seen from the front.
    QPainterPath jack;
    jack.moveTo(13, 20);
    jack.lineTo(51, 20);
    jack.lineTo(51, 44);
    jack.lineTo(40, 44);
    jack.lineTo(40, 50);
    jack.lineTo(24, 50);
    jack.lineTo(24, 44);
    jack.lineTo(13, 44);
    jack.closeSubpath();
    p.setPen(roundPen(White, 3));
    p.setBrush(QColor(30, 40, 45));
    p.drawPath(jack);
    p.setPen(roundPen(QColor(255, 213, 79), 2));
    for (int i = 0; i < 8; ++i)
        p.drawLine(QPointF(18.5 + i * 3.9, 23), QPointF(18.5 + i * 3.9, 31));
    // Link and activity lamps.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(105, 240, 174));
    p.drawRect(QRectF(14, 11, 8, 5));
    p.setBrush(QColor(255, 213, 79));
    p.drawRect(QRectF(42, 11, 8, 5));
}

void statisticsIcon(QPainter &p)
{
    tile(p, QColor(198, 40, 40));
    // A pie chart with one slice pulled out.
    const QRectF pie(10, 14, 40, 40);
    p.setPen(QPen(QColor(120, 20, 20), 1.5));
    p.setBrush(White);
    p.drawPie(pie, 90 * 16, 270 * 16);
    p.setBrush(QColor(255, 235, 59));
    p.drawPie(pie.translated(5, -5), 0, 90 * 16);
}

void fileTransferIcon(QPainter &p)
{
    tile(p, QColor(104, 159, 56));
    document(p, QRectF(10, 9, 28, 38), QColor(51, 105, 30));
    p.setPen(roundPen(QColor(51, 105, 30), 2));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(15, 24 + i * 5.5), QPointF(31, 24 + i * 5.5));
    // Both ways between the PC and the tester.
    arrow(p, QPointF(44, 56), QPointF(44, 28), 4, 10, White);
    arrow(p, QPointF(53, 22), QPointF(53, 50), 4, 10, QColor(255, 235, 59));
}

// ---- menu and about box ----------------------------------------------------

void aboutIcon(QPainter &p)
{
    circleBadge(p, QColor(30, 136, 229));
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    p.drawEllipse(QPointF(32, 18), 5, 5);
    p.drawRoundedRect(QRectF(27, 27, 10, 25), 3, 3);
}

void qtIcon(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(65, 205, 82));
    p.drawRoundedRect(QRectF(4, 8, 56, 48), 10, 10);
    centredText(p, QRectF(4, 8, 56, 46), QStringLiteral("Qt"), boldFont(32), White);
}

void fontsIcon(QPainter &p)
{
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setPixelSize(46);
    serif.setBold(true);
    p.setFont(serif);
    p.setPen(QColor(33, 33, 33));
    p.drawText(QRectF(0, 2, 40, 56), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("A"));
    QFont sans = boldFont(34);
    p.setFont(sans);
    p.setPen(QColor(30, 136, 229));
    p.drawText(QRectF(32, 10, 32, 46), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("a"));
}

void header(QPainter &p)
{
    const qreal w = p.device()->width(), h = p.device()->height();
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(13, 71, 161));
    g.setColorAt(1, QColor(0, 151, 167));
    p.fillRect(QRectF(0, 0, w, h), g);
    // The tester: a box with a display and two ports.
    const QRectF box(18, 16, 120, h - 32);
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.setBrush(QColor(240, 240, 240));
    p.drawRoundedRect(box, 8, 8);
    p.setBrush(QColor(38, 50, 56));
    const QRectF screen(box.left() + 10, box.top() + 10, 58, box.height() - 20);
    p.drawRect(screen);
    p.setPen(roundPen(QColor(105, 240, 174), 2));
    QPainterPath trace;
    trace.moveTo(screen.left() + 4, screen.center().y() + 8);
    for (int i = 1; i <= 6; ++i)
        trace.lineTo(screen.left() + 4 + i * 8.3, screen.center().y() + ((i % 2) ? -10 : 8));
    p.drawPath(trace);
    for (int i = 0; i < 2; ++i) {
        const QRectF port(box.left() + 78, box.top() + 12 + i * (box.height() / 2 - 4), 30, 22);
        p.setPen(QPen(QColor(20, 20, 20), 1.5));
        p.setBrush(QColor(30, 30, 30));
        p.drawRect(port);
        p.setPen(Qt::NoPen);
        p.setBrush(i ? QColor(255, 213, 79) : QColor(105, 240, 174));
        p.drawRect(QRectF(port.left() + 2, port.top() - 6, 7, 4));
    }
    p.setPen(White);
    p.setFont(boldFont(34));
    p.drawText(QRectF(160, 10, w - 170, h / 2), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("ZORT-QV"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(18);
    p.setFont(small);
    p.setPen(QColor(224, 247, 250));
    p.drawText(QRectF(162, h / 2 + 6, w - 170, h / 2 - 10), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("QVRemote"));
}

void appIcon(QPainter &p)
{
    tile(p, QColor(13, 71, 161));
    centredText(p, QRectF(3, 3, 58, 58), QStringLiteral("QV"), boldFont(28), White);
}

// QVUpdater's: the suite's tile in green, firmware going up into the tester.
void updaterIcon(QPainter &p)
{
    tile(p, QColor(46, 125, 50));
    centredText(p, QRectF(3, 5, 58, 26), QStringLiteral("QV"), boldFont(20), White);
    arrow(p, QPointF(32, 56), QPointF(32, 32), 7, 16, White);
}

// ---- page buttons and list states --------------------------------------------

void startIcon(QPainter &p)
{
    circleBadge(p, QColor(67, 160, 71));
    QPolygonF play;
    play << QPointF(25, 17) << QPointF(48, 32) << QPointF(25, 47);
    p.setPen(roundPen(White, 3));
    p.setBrush(White);
    p.drawPolygon(play);
}

void stopIcon(QPainter &p)
{
    circleBadge(p, QColor(229, 57, 53));
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    p.drawRoundedRect(QRectF(21, 21, 22, 22), 3, 3);
}

void arrowIcon(QPainter &p)
{
    QPolygonF shape;
    shape << QPointF(6, 24) << QPointF(32, 24) << QPointF(32, 10) << QPointF(58, 32)
          << QPointF(32, 54) << QPointF(32, 40) << QPointF(6, 40);
    QLinearGradient g(0, 10, 0, 54);
    g.setColorAt(0, QColor(100, 181, 246));
    g.setColorAt(1, QColor(21, 101, 192));
    p.setPen(QPen(QColor(13, 71, 161), 2, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPolygon(shape);
}

void imageIcon(QPainter &p)
{
    // A framed landscape: a picture, a screenshot.
    const QRectF frame(5, 10, 54, 44);
    p.setPen(QPen(QColor(84, 110, 122), 3));
    p.setBrush(QColor(179, 229, 252));
    p.drawRoundedRect(frame, 4, 4);
    p.save();
    p.setClipRect(frame.adjusted(1.5, 1.5, -1.5, -1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 202, 40));
    p.drawEllipse(QPointF(44, 22), 6, 6);
    p.setBrush(QColor(67, 160, 71));
    QPolygonF hills;
    hills << QPointF(5, 54) << QPointF(22, 30) << QPointF(34, 44) << QPointF(42, 36)
          << QPointF(59, 54);
    p.drawPolygon(hills);
    p.restore();
}

void tray(QPainter &p)
{
    p.setPen(roundPen(QColor(84, 110, 122), 5));
    p.setBrush(Qt::NoBrush);
    QPolygonF t;
    t << QPointF(10, 42) << QPointF(10, 54) << QPointF(54, 54) << QPointF(54, 42);
    p.drawPolyline(t);
}

void downIcon(QPainter &p)
{
    tray(p);
    arrow(p, QPointF(32, 6), QPointF(32, 46), 7, 18, QColor(30, 136, 229));
}

void upIcon(QPainter &p)
{
    tray(p);
    arrow(p, QPointF(32, 46), QPointF(32, 6), 7, 18, QColor(67, 160, 71));
}

void deleteIcon(QPainter &p)
{
    // A waste bin.
    const QColor red(211, 47, 47);
    p.setPen(roundPen(red.darker(130), 2.5));
    p.setBrush(red);
    QPolygonF bin;
    bin << QPointF(15, 20) << QPointF(49, 20) << QPointF(45, 58) << QPointF(19, 58);
    p.drawPolygon(bin);
    p.drawRoundedRect(QRectF(10, 12, 44, 7), 2, 2);
    p.drawRoundedRect(QRectF(25, 6, 14, 7), 2, 2);
    p.setPen(roundPen(White, 3));
    for (const qreal x : {25.0, 32.0, 39.0})
        p.drawLine(QPointF(x, 27), QPointF(x, 51));
}

void pdfIcon(QPainter &p)
{
    document(p, QRectF(10, 4, 44, 56), QColor(97, 97, 97));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(211, 47, 47));
    p.drawRoundedRect(QRectF(4, 30, 46, 20), 3, 3);
    centredText(p, QRectF(4, 30, 46, 20), QStringLiteral("PDF"), boldFont(15), White);
}

void refreshIcon(QPainter &p)
{
    const QColor c(30, 136, 229);
    const QRectF r(12, 12, 40, 40);
    p.setPen(roundPen(c, 6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(r, 20 * 16, 140 * 16);
    p.drawArc(r, 200 * 16, 140 * 16);
    // Heads at the ends of the arcs, pointing along the turn.
    const auto at = [&](qreal deg) {
        const qreal a = qDegreesToRadians(deg);
        return QPointF(32 + 20 * std::cos(a), 32 - 20 * std::sin(a));
    };
    arrowHead(p, at(160) + QPointF(-1, 6), 100, 16, c);
    arrowHead(p, at(340) + QPointF(1, -6), -80, 16, c);
}

void procIcon(QPainter &p)
{
    // An hourglass: still in progress.
    const QColor frame(121, 85, 72);
    p.setPen(roundPen(frame, 4));
    p.drawLine(QPointF(14, 6), QPointF(50, 6));
    p.drawLine(QPointF(14, 58), QPointF(50, 58));
    QPainterPath glass;
    glass.moveTo(18, 8);
    glass.lineTo(46, 8);
    glass.cubicTo(46, 24, 34, 28, 34, 32);
    glass.cubicTo(34, 36, 46, 40, 46, 56);
    glass.lineTo(18, 56);
    glass.cubicTo(18, 40, 30, 36, 30, 32);
    glass.cubicTo(30, 28, 18, 24, 18, 8);
    p.setPen(roundPen(frame, 2.5));
    p.setBrush(QColor(227, 242, 253));
    p.drawPath(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 179, 0));
    QPolygonF top;
    top << QPointF(23, 20) << QPointF(41, 20) << QPointF(32, 30);
    p.drawPolygon(top);
    QPolygonF bottom;
    bottom << QPointF(21, 55) << QPointF(43, 55) << QPointF(32, 44);
    p.drawPolygon(bottom);
}

void infoIcon(QPainter &p)
{
    circleBadge(p, QColor(251, 140, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(White);
    p.drawRoundedRect(QRectF(27, 12, 10, 27), 3, 3);
    p.drawEllipse(QPointF(32, 48), 5.5, 5.5);
}

void okIcon(QPainter &p)
{
    circleBadge(p, QColor(67, 160, 71));
    p.setPen(roundPen(White, 7));
    p.setBrush(Qt::NoBrush);
    QPolygonF tick;
    tick << QPointF(18, 33) << QPointF(28, 43) << QPointF(46, 22);
    p.drawPolyline(tick);
}

void checkBox(QPainter &p, bool checked)
{
    p.setPen(QPen(QColor(0, 0, 0), 4));
    p.setBrush(White);
    p.drawRect(QRectF(6, 6, 52, 52));
    if (!checked)
        return;
    p.setPen(roundPen(QColor(0, 0, 0), 7));
    QPolygonF tick;
    tick << QPointF(16, 32) << QPointF(28, 45) << QPointF(49, 17);
    p.drawPolyline(tick);
}

// A square icon is drawn at its own size unless `size` asks for another one
// (the desktop's icon sizes).
std::map<QString, Icon> catalogue(int size)
{
    const auto square = [size](void (*f)(QPainter &), int ownSize = 64) {
        const int side = size > 0 ? size : ownSize;
        return Icon{side, side, [f, side](QPainter &p) {
                        p.scale(side / 64.0, side / 64.0);
                        f(p);
                    }};
    };
    return {
        {QStringLiteral("uk-icon.png"), Icon{60, 40, ukFlag}},
        {QStringLiteral("rus-icon.png"), Icon{60, 40, rusFlag}},
        {QStringLiteral("rfc2544.png"), square(rfcIcon)},
        {QStringLiteral("mtraffic.png"), square(multiIcon)},
        {QStringLiteral("cable.png"), square(cableIcon)},
        {QStringLiteral("lb.png"), square(loopbackIcon)},
        {QStringLiteral("tcp.png"), square(tcpIcon)},
        {QStringLiteral("traffic.png"), square(trafficIcon)},
        {QStringLiteral("jitter.png"), square(jitterIcon)},
        {QStringLiteral("bert.png"), square(bertIcon)},
        {QStringLiteral("oam.png"), square(oamIcon)},
        {QStringLiteral("trans.png"), square(transitIcon)},
        {QStringLiteral("iface.png"), square(ifaceIcon)},
        {QStringLiteral("statistics.png"), square(statisticsIcon)},
        {QStringLiteral("ram.png"), square(fileTransferIcon)},
        {QStringLiteral("about-icon.png"), square(aboutIcon)},
        {QStringLiteral("qt-icon.png"), square(qtIcon)},
        {QStringLiteral("fonts-icon.png"), square(fontsIcon)},
        {QStringLiteral("header.png"), Icon{420, 110, header}},
        {QStringLiteral("app-icon.png"), square(appIcon, 128)},
        {QStringLiteral("updater-icon.png"), square(updaterIcon, 128)},
        {QStringLiteral("start-icon.png"), square(startIcon)},
        {QStringLiteral("stop-icon.png"), square(stopIcon)},
        {QStringLiteral("arrow-icon.png"), square(arrowIcon)},
        {QStringLiteral("img-icon.png"), square(imageIcon, 128)},
        {QStringLiteral("down-icon.png"), square(downIcon)},
        {QStringLiteral("up-icon.png"), square(upIcon)},
        {QStringLiteral("del-icon.png"), square(deleteIcon)},
        {QStringLiteral("pdf-icon.png"), square(pdfIcon)},
        {QStringLiteral("refresh-icon.png"), square(refreshIcon)},
        {QStringLiteral("proc-icon.png"), square(procIcon)},
        {QStringLiteral("info-icon.png"), square(infoIcon)},
        {QStringLiteral("ok-icon.png"), square(okIcon)},
        // Drawn large: the report writer scales them to 200 x 200 device units.
        {QStringLiteral("check.png"), square([](QPainter &p) { checkBox(p, true); }, 200)},
        {QStringLiteral("uncheck.png"), square([](QPainter &p) { checkBox(p, false); }, 200)},
    };
}

} // namespace

int main(int argc, char *argv[])
{
    // Text in the icons needs fonts, which need a GUI application; no
    // window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt's own fallback, made first so that the build log stays quiet.
        const QString runtime = QDir::tempPath() + QStringLiteral("/runtime-") + QString::number(::getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    int size = 0;
    if (args.size() > 1 && args.first() == QLatin1String("--size")) {
        size = args.at(1).toInt();
        args = args.mid(2);
    }
    if (args.size() < 2 || size < 0) {
        err << "usage: qv_iconmaker [--size N] OUTDIR NAME.png...\n";
        return 2;
    }
    const QDir out(args.first());
    if (!out.mkpath(QStringLiteral("."))) {
        err << "qv_iconmaker: cannot create " << out.path() << '\n';
        return 1;
    }
    const auto icons = catalogue(size);
    for (const QString &name : args.mid(1)) {
        const auto it = icons.find(name);
        if (it == icons.end()) {
            err << "qv_iconmaker: no drawing for " << name << '\n';
            return 1;
        }
        if (size > 0 && (it->second.width != size || it->second.height != size)) {
            err << "qv_iconmaker: " << name << " is not square\n";
            return 1;
        }
        QImage image(it->second.width, it->second.height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            it->second.draw(p);
        }
        if (!image.save(out.filePath(name), "PNG")) {
            err << "qv_iconmaker: cannot write " << out.filePath(name) << '\n';
            return 1;
        }
    }
    return 0;
}
