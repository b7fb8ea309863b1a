#include "reportresources.h"

#include "conversions.h"
#include "resultvalues.h"

#include <QCoreApplication>
#include <QPainter>
#include <QtDebug>

namespace {

// Every text of the reports, so that the translations can be looked up in
// advance (and lupdate finds them here).
const char *const kTexts[] = {
    QT_TRANSLATE_NOOP("PDFCreator", "Ethernet testing report"),
    QT_TRANSLATE_NOOP("PDFCreator", "Common settings"),
    QT_TRANSLATE_NOOP("PDFCreator", "Manufactured by"),
    QT_TRANSLATE_NOOP("PDFCreator", "Device"),
    QT_TRANSLATE_NOOP("PDFCreator", "Serial number"),
    QT_TRANSLATE_NOOP("PDFCreator", "Date & time"),
    QT_TRANSLATE_NOOP("PDFCreator", "(Port A)"),
    QT_TRANSLATE_NOOP("PDFCreator", "(Port B)"),
    QT_TRANSLATE_NOOP("PDFCreator", "Interface settings"),
    QT_TRANSLATE_NOOP("PDFCreator", "Link speed"),
    QT_TRANSLATE_NOOP("PDFCreator", "No Sync"),
    QT_TRANSLATE_NOOP("PDFCreator", "MAC"),
    QT_TRANSLATE_NOOP("PDFCreator", "DHCP"),
    QT_TRANSLATE_NOOP("PDFCreator", "IP address"),
    QT_TRANSLATE_NOOP("PDFCreator", "Subnet mask"),
    QT_TRANSLATE_NOOP("PDFCreator", "Gateway"),
    QT_TRANSLATE_NOOP("PDFCreator", "VLAN counts"),
    QT_TRANSLATE_NOOP("PDFCreator", "TPID"),
    QT_TRANSLATE_NOOP("PDFCreator", "PCP"),
    QT_TRANSLATE_NOOP("PDFCreator", "VID"),
    QT_TRANSLATE_NOOP("PDFCreator", "MPLS counts"),
    QT_TRANSLATE_NOOP("PDFCreator", "Value"),
    QT_TRANSLATE_NOOP("PDFCreator", "QoS"),
    QT_TRANSLATE_NOOP("PDFCreator", "TTL"),
    QT_TRANSLATE_NOOP("PDFCreator", "Header level 2"),
    QT_TRANSLATE_NOOP("PDFCreator", "Auto MAC destination"),
    QT_TRANSLATE_NOOP("PDFCreator", "MAC destination"),
    QT_TRANSLATE_NOOP("PDFCreator", "Header level 3"),
    QT_TRANSLATE_NOOP("PDFCreator", "IP destination"),
    QT_TRANSLATE_NOOP("PDFCreator", "ToS/Precedence"),
    QT_TRANSLATE_NOOP("PDFCreator", "Tos"),
    QT_TRANSLATE_NOOP("PDFCreator", "Precedence"),
    QT_TRANSLATE_NOOP("PDFCreator", "DSCP"),
    QT_TRANSLATE_NOOP("PDFCreator", "Header level 4"),
    QT_TRANSLATE_NOOP("PDFCreator", "UDP source"),
    QT_TRANSLATE_NOOP("PDFCreator", "UDP destination"),
    QT_TRANSLATE_NOOP("PDFCreator", "settings"),
    QT_TRANSLATE_NOOP("PDFCreator", "results"),
    QT_TRANSLATE_NOOP("PDFCreator", "statistics"),
    QT_TRANSLATE_NOOP("PDFCreator", "latency"),
    QT_TRANSLATE_NOOP("PDFCreator", "distribution"),
    QT_TRANSLATE_NOOP("PDFCreator", "header"),
    QT_TRANSLATE_NOOP("PDFCreator", "BERT"),
    QT_TRANSLATE_NOOP("PDFCreator", "Traffic test"),
    QT_TRANSLATE_NOOP("PDFCreator", "Ping"),
    QT_TRANSLATE_NOOP("PDFCreator", "Trace"),
    QT_TRANSLATE_NOOP("PDFCreator", "Jitter"),
    QT_TRANSLATE_NOOP("PDFCreator", "Multistream"),
    QT_TRANSLATE_NOOP("PDFCreator", "Multistream test"),
    QT_TRANSLATE_NOOP("PDFCreator", "RFC-2544"),
    QT_TRANSLATE_NOOP("PDFCreator", "Pattern type"),
    QT_TRANSLATE_NOOP("PDFCreator", "User pattern"),
    QT_TRANSLATE_NOOP("PDFCreator", "Frame size"),
    QT_TRANSLATE_NOOP("PDFCreator", "Units"),
    QT_TRANSLATE_NOOP("PDFCreator", "Rate"),
    QT_TRANSLATE_NOOP("PDFCreator", "Duration"),
    QT_TRANSLATE_NOOP("PDFCreator", "Elapsed time"),
    QT_TRANSLATE_NOOP("PDFCreator", "Estimate time"),
    QT_TRANSLATE_NOOP("PDFCreator", "Rx bits"),
    QT_TRANSLATE_NOOP("PDFCreator", "Rx ebits"),
    QT_TRANSLATE_NOOP("PDFCreator", "BER"),
    QT_TRANSLATE_NOOP("PDFCreator", "LSS"),
    QT_TRANSLATE_NOOP("PDFCreator", "LOS"),
    QT_TRANSLATE_NOOP("PDFCreator", "Advanced"),
    QT_TRANSLATE_NOOP("PDFCreator", "Loading type"),
    QT_TRANSLATE_NOOP("PDFCreator", "Constant"),
    QT_TRANSLATE_NOOP("PDFCreator", "Count"),
    QT_TRANSLATE_NOOP("PDFCreator", "Coef"),
    QT_TRANSLATE_NOOP("PDFCreator", "Load"),
    QT_TRANSLATE_NOOP("PDFCreator", "Tx frames"),
    QT_TRANSLATE_NOOP("PDFCreator", "Rx frames"),
    QT_TRANSLATE_NOOP("PDFCreator", "Tx bytes"),
    QT_TRANSLATE_NOOP("PDFCreator", "Loss frames"),
    QT_TRANSLATE_NOOP("PDFCreator", "runt"),
    QT_TRANSLATE_NOOP("PDFCreator", "jabber"),
    QT_TRANSLATE_NOOP("PDFCreator", "CRC"),
    QT_TRANSLATE_NOOP("PDFCreator", "Pause"),
    QT_TRANSLATE_NOOP("PDFCreator", "Status"),
    QT_TRANSLATE_NOOP("PDFCreator", "Frame"),
    QT_TRANSLATE_NOOP("PDFCreator", "Lat"),
    QT_TRANSLATE_NOOP("PDFCreator", "Sent"),
    QT_TRANSLATE_NOOP("PDFCreator", "Recieved"), // the report's own spelling
    QT_TRANSLATE_NOOP("PDFCreator", "Lost"),
    QT_TRANSLATE_NOOP("PDFCreator", "Average"),
    QT_TRANSLATE_NOOP("PDFCreator", "Minimum"),
    QT_TRANSLATE_NOOP("PDFCreator", "Maximum"),
    QT_TRANSLATE_NOOP("PDFCreator", "IP"),
    QT_TRANSLATE_NOOP("PDFCreator", "Latency"),
    QT_TRANSLATE_NOOP("PDFCreator", "timeout"),
    QT_TRANSLATE_NOOP("PDFCreator", "Threshold"),
    QT_TRANSLATE_NOOP("PDFCreator", "All"),
    QT_TRANSLATE_NOOP("PDFCreator", "In order"),
    QT_TRANSLATE_NOOP("PDFCreator", "Not in order"),
    QT_TRANSLATE_NOOP("PDFCreator", "Stream #"),
    QT_TRANSLATE_NOOP("PDFCreator", "Active"),
    QT_TRANSLATE_NOOP("PDFCreator", "Throughput"),
    QT_TRANSLATE_NOOP("PDFCreator", "Enabled"),
    QT_TRANSLATE_NOOP("PDFCreator", "Starting load"),
    QT_TRANSLATE_NOOP("PDFCreator", "Ending load"),
    QT_TRANSLATE_NOOP("PDFCreator", "Thr"),
    QT_TRANSLATE_NOOP("PDFCreator", "Iteration"),
    QT_TRANSLATE_NOOP("PDFCreator", "Interval"),
    QT_TRANSLATE_NOOP("PDFCreator", "User loading"),
    QT_TRANSLATE_NOOP("PDFCreator", "Back to back"),
    QT_TRANSLATE_NOOP("PDFCreator", "Min interval"),
    QT_TRANSLATE_NOOP("PDFCreator", "Max interval"),
    QT_TRANSLATE_NOOP("PDFCreator", "Min T"),
    QT_TRANSLATE_NOOP("PDFCreator", "Average T"),
    QT_TRANSLATE_NOOP("PDFCreator", "Max T"),
    QT_TRANSLATE_NOOP("PDFCreator", "Frameloss"),
    QT_TRANSLATE_NOOP("PDFCreator", "Loading step"),
    QT_TRANSLATE_NOOP("PDFCreator", "frame"),
    QT_TRANSLATE_NOOP("PDFCreator", "ms"),
    QT_TRANSLATE_NOOP("PDFCreator", "s"),
    QT_TRANSLATE_NOOP("PDFCreator", "ns"),
    QT_TRANSLATE_NOOP("PDFCreator", "b"),
};

// The check images come from the program's resources; a program without
// them (a bare test binary) still gets legible boxes.
QImage checkImage(const char *resource, bool checked)
{
    QImage image(QString::fromLatin1(resource));
    if (image.isNull()) {
        image = QImage(64, 64, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setPen(QPen(Qt::black, 4));
        p.drawRect(6, 6, 52, 52);
        if (checked) {
            p.setPen(QPen(Qt::black, 7));
            p.drawPolyline(QPolygon({QPoint(16, 32), QPoint(28, 45), QPoint(49, 17)}));
        }
    }
    return image.scaled(200, 200, Qt::KeepAspectRatio, Qt::FastTransformation);
}

} // namespace

ReportResources ReportResources::current()
{
    ReportResources r;
    for (const char *source : kTexts)
        r.m_texts.insert(QByteArray(source), QCoreApplication::translate("PDFCreator", source));
    r.status = ResultValues::statusTexts();
    r.units = ResultValues::unitsTexts();
    r.pingStatus = ResultValues::pingStatusTexts();
    r.patterns = ResultValues::bertPatternNames();
    for (int i = 0; i < Conv::DscpItems; ++i)
        r.dscp << Conv::dscpName(i);
    r.check = checkImage(":/check.png", true);
    r.uncheck = checkImage(":/uncheck.png", false);
    return r;
}

QString ReportResources::operator()(const char *source) const
{
    const auto it = m_texts.constFind(QByteArray::fromRawData(source, qsizetype(qstrlen(source))));
    if (it != m_texts.constEnd())
        return it.value();
    qWarning("PDFCreator: no report text \"%s\"", source);
    return QString::fromUtf8(source);
}
