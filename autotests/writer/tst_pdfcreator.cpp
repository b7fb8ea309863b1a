#include "canvas.h"
#include "pdfcreator.h"
#include "reportresources.h"
#include "reportsections.h"
#include "reporttext.h"
#include "reportwriter.h"
#include "resultfiles.h"
#include "zorqv.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <atomic>
#include <cmath>
#include <limits>

namespace {

constexpr quint32 kAllReports = 0x100 | 0x020 | 0x010 | 0x040 | 0x080 | 0x002 | 0x800;

ReportJob jobFor(const QString &dir, const QByteArray &data, quint32 mask = kAllReports, bool onePort = false)
{
    ReportJob job;
    job.directory = dir;
    job.data = data;
    job.mask = mask;
    job.singlePort = onePort;
    job.serialNumber = 1234;
    job.linkSpeedA = 3;
    job.linkSpeedB = 2;
    return job;
}

QStringList pdfsIn(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

// A finished PDF ends with its end-of-file marker; an unfinished one does not.
bool complete(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.size() > 0 && f.readAll().trimmed().endsWith("%%EOF");
}

// A chart drawn by the canvas onto a white picture at the printer's
// resolution, with the plot box it was given (the chart's own offsets).
struct DrawnChart
{
    QImage image;
    QRect box;     // the plot box, outline included
    int chartTop;  // y of the chart's title row
    int chartRight;

    DrawnChart(const Chart &chart)
        : image(4500, 3600, QImage::Format_Grayscale8)
    {
        image.fill(Qt::white);
        image.setDotsPerMeterX(47244); // 1200 dpi, as the reports
        image.setDotsPerMeterY(47244);
        QPrinter printer(QPrinter::HighResolution);
        QPainter painter(&image);
        const QImage tick(200, 200, QImage::Format_ARGB32);
        Canvas c(printer, painter, tick, tick, {});
        chartTop = c.y();
        chartRight = c.x() + chart.width - 1;
        box = QRect(QPoint(c.x() + 400, chartTop + 400), QPoint(c.x() + chart.width - 401, chartTop + chart.height - 400));
        c.chart(chart);
    }
    bool painted(int x, int y) const { return qGray(image.pixel(x, y)) < 250; }
    // The first painted pixel in the rectangle, or a null point.
    QPoint paintedIn(const QRect &r) const
    {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const uchar *line = image.constScanLine(y);
            for (int x = r.left(); x <= r.right(); ++x)
                if (line[x] < 250)
                    return {x, y};
        }
        return {};
    }
};

} // namespace

// The report writer: each report's text read back from the PDF, the outcome
// of every kind of job, cooperative stops, superseded jobs, the page breaks
// and the device record's message.
class TestPdfCreator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void reportText_data();
    void reportText();
    void outcomes_data();
    void outcomes();
    void stopRemovesPartialFile();
    void supersededJobSaysNothing();
    void destructorStopsRun();
    void rowsStayOnPage_data();
    void rowsStayOnPage();
    void percentChartKeepsToBox_data();
    void percentChartKeepsToBox();
    void barScaleReachesLargest_data();
    void barScaleReachesLargest();
    void deviceRecordShowsOutcome_data();
    void deviceRecordShowsOutcome();

private:
    QTranslator m_russian;
};

void TestPdfCreator::initTestCase()
{
    QVERIFY2(QFileInfo::exists(QStringLiteral("/usr/bin/pdftotext")), "poppler-utils (scripts/setup) is needed");
}

void TestPdfCreator::init()
{
    // A text used by a report but missing from the translation table.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^PDFCreator: no report text")));
}

void TestPdfCreator::reportText_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("onePort");
    QTest::addColumn<bool>("russian");
    QTest::addColumn<int>("report");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("absent");

    const QByteArray typical = ResultFiles::typical();
    const QByteArray zeros = ResultFiles::filled(0);
    const QByteArray ones = ResultFiles::filled(char(0xFF));
    using S = ReportSections;

    QTest::newRow("bert") << typical << false << false << int(S::Bert)
        << QStringList{"Ethernet testing report", "Manufactured by QV Test Systems", "Device ZORT-QV",
                       "Serial number 1234", "Date & time 09/07/04 05:03:12", "Interface settings (Port A)",
                       "Link speed 1000", "MAC 00:1a:2b:3c:4d:5e", "IP address 010.001.002.003",
                       "Subnet mask 255.255.000.000", "Gateway 010.001.000.001", "VLAN counts 2", "# TPID PCP VID",
                       "1 8100 5 100", "2 9100 3 200", "MPLS counts 1", "# Value QoS TTL", "1 12345 6 64",
                       "Interface settings (Port B)", "Link speed 100", "MAC 00:aa:bb:cc:dd:ee", "VLAN counts 0",
                       "BERT", "BERT settings (Port A)", "Pattern type 2E15-1", "User pattern 1234abcd",
                       "Frame size 1518", "Units Mbps", "Rate 75", "Duration 01:00:00", "BERT results (Port A)",
                       "Elapsed time 00:10:00", "Estimate time 00:50:00", "Rx bits 5000000000000", "Rx ebits 5000",
                       "BER 1e-09", "LSS 12", "LOS 30", "LSS,% 2", "LOS,% 5", "BERT settings (Port B)",
                       "Pattern type 2E31-1", "User pattern 00000042", "Units kbps", "Duration 00:01:40",
                       "Elapsed time 00:00:00", "Estimate time 00:01:40", "BER 0", "LSS 7", "LSS,% 0", "LOS,% 0"}
        << QStringList{"3 8100 5 100"};
    QTest::newRow("traffic") << typical << false << false << int(S::Traffic)
        << QStringList{"Traffic test", "Traffic test settings (Port A)", "Header level 2",
                       "MAC destination 02:10:20:30:40:07", "Header level 3", "IP destination 192.168.005.006",
                       "Tos 0100", "Precedence 5", "EF ( 101110 )", "Header level 4", "UDP source 1111",
                       "UDP destination 2222", "Advanced", "Loading type Constant", "Units kbps", "Rate 5000",
                       "Frame size 512", "Duration 02:02:02", "Traffic test results (Port A)", "Elapsed time ---",
                       "Estimate time ---", "Count Coef", "Load 75%", "Tx frames 1000000", "Rx frames 999000",
                       "Tx bytes 512000000", "Loss frames 1000 0.001", "runt 10 0.000", "jabber 20 0.000",
                       "CRC 30 0.000", "runt+jabber+CRC 60 0.000", "Pause 7", "Traffic test settings (Port B)",
                       "AF31 ( 011010 )", "Units Mbps", "Traffic test results (Port B)", "Load 1%",
                       "Loss frames 4294967291 ---", "CRC 3 ---", "runt+jabber+CRC 3 ---"}
        << QStringList{};
    QTest::newRow("ping") << typical << false << false << int(S::Ping)
        << QStringList{"Ping", "Ping settings (Port A)", "IP destination 008.008.004.004", "Frame size 100",
                       "Pause,ms 500", "Ping results (Port A)", "# Status Frame,b Lat,ms", "1 OK 100 12",
                       "2 Timeout 100 ---", "3 --- 100 ---", "Ping statistics (Port A)", "Sent 3", "Received 1",
                       "Lost 2", "Ping latency (Port A)", "Average 12.5", "Minimum 0", "Maximum 12",
                       "Ping settings (Port B)", "Sent 2", "Received 4", "Lost 0", "Minimum 3"}
        << QStringList{};
    QTest::newRow("trace") << typical << false << false << int(S::Trace)
        << QStringList{"Trace settings (Port A)", "IP destination 001.001.001.001", "Pause,ms 250",
                       "Trace results (Port A)", "# IP Latency,ms", "1 010.000.000.001 3", "2 timeout", "3 ...",
                       "4 001.001.001.001 20", "255 009.009.009.009 99", "Trace settings (Port B)",
                       "Trace results (Port B)"}
        << QStringList{};
    QTest::newRow("jitter") << typical << false << false << int(S::Jitter)
        << QStringList{"Jitter settings (Port A)", "IP destination 192.168.007.008", "UDP source 5555",
                       "Rate 50 %", "Frame size 256", "Duration 00:02:00", "Threshold,s 8", "Jitter results (Port A)",
                       "Rx frames Count %", "All 1000 100.00", "In order 990 99.00", "Not in order 10 1.00",
                       "Jitter distribution (Port A)", "Jitter,ms %", "0.000-1.000 50", "1.000-2.000 25",
                       "2.000-3.000 12.5", "3.000-4.000 6", "5.000-6.000 1.5", "7.000-8.000 0.5", ">=8.000 0.5",
                       "Jitter results (Port B)", "All 0 ---", "In order 0 ---", "0.000-0.000 ---", ">=0.000 ---"}
        << QStringList{};
    QTest::newRow("multistream") << typical << false << false << int(S::Multi)
        << QStringList{"Multistream", "Multistream settings (Port A)", "Stream #1", "IP destination 192.168.010.001",
                       "UDP source 100", "UDP destination 200", "Units %", "Rate 10", "Frame size 9000", "Stream #2",
                       "Units bps", "Stream #10", "Multistream test results (Port A)", "Elapsed time ---",
                       "Stream #1", "Count Coef", "Load 20%", "Tx frames 3000000000", "Rx frames 2999999000",
                       "Tx bytes 27000000000000", "Loss frames 1000 0.000", "Latency 500", "Stream #3", "Load 22%",
                       "Tx frames 3000", "Rx frames 2998", "Tx bytes 576000", "Stream #4", "Load 0%", "Tx frames 0",
                       "Loss frames 0 ---", "Multistream settings (Port B)"}
        << QStringList{};
    QTest::newRow("rfc2544") << typical << false << false << int(S::Rfc)
        << QStringList{"RFC-2544 (Port A)", "RFC-2544 Frame size (Port A)", "64", "9000",
                       "RFC-2544 header settings (Port A)", "IP destination 010.020.030.040", "UDP source 7000",
                       "Throughput settings (Port A)", "Starting load, % 90", "Ending load, % 10", "Duration,s 20",
                       "Status Frame Load, % Thr, Mbps", "Wait 64 100 100", "OK 128 90 200", "No Sync 1280 50 600",
                       "12 9000 30 800", "Throughput, %", "Latency settings (Port A)", "Iteration 7", "Interval,s 3",
                       "Frame Load, % Frame Load, %", "64 11 128 12", "1518 17 9000 18", "Status Frame Load, % Lat,ns",
                       "OK 64 100 1500.5", "OK 9000 30 8500.5", "Latency, ns", "Back to back settings (Port A)",
                       "Iteration 9", "Min interval 2", "Max interval 50", "Status Frame Min T,s Max T,s",
                       "OK 64 1 10", "OK 9000 8 80", "Min T/Average T/Max T, s", "Frameloss settings (Port A)",
                       "Interval,s 2", "Loading step, % 5", "Starting load, % 100", "Ending load, % 80",
                       "Frameloss, frame", "Frameloss", "Load, % 100 95 90 85 80", "64 0 2 4 6 8",
                       "9000 7 9 11 13 15", "RFC-2544 (Port B)", "Status Frame Load, % Thr, bps", "Wait 0 --- 0"}
        << QStringList{"Load, % 100 95 90 85 80 75"};
    QTest::newRow("one port") << typical << true << false << int(S::Bert)
        << QStringList{"Device ZORT-QVB", "Interface settings (Port A)", "BERT settings (Port A)",
                       "BERT results (Port A)"}
        << QStringList{"Interface settings (Port B)", "BERT settings (Port B)", "BERT results (Port B)"};
    QTest::newRow("one port rfc2544") << typical << true << false << int(S::Rfc)
        << QStringList{"RFC-2544 (Port A)"} << QStringList{"RFC-2544 (Port B)", "Throughput settings (Port B)"};
    QTest::newRow("russian") << typical << false << true << int(S::Bert)
        << QStringList{"Отчёт о тестировании Ethernet", "Изготовитель QV Test Systems", "Дата и время 09/07/04 05:03:12",
                       "Настройки интерфейса (Порт A)", "Скорость соединения 1000", "BERT настройки (Порт A)",
                       "Тип шаблона 2E15-1", "Единицы Мбит/с", "Тип шаблона 2E31-1", "Единицы кбит/с", "BERT результаты (Порт B)"}
        << QStringList{"Ethernet testing report", "(Port A)"};
    QTest::newRow("russian jitter") << typical << false << true << int(S::Jitter)
        << QStringList{"Джиттер настройки (Порт A)", "Все 1000 100.00", "Джиттер распределение (Порт B)"}
        << QStringList{};
    QTest::newRow("russian zeros bert") << zeros << false << true << int(S::Bert)
        << QStringList{"Тип шаблона Пользовательский", "Единицы %"} << QStringList{};
    QTest::newRow("russian zeros rfc2544") << zeros << false << true << int(S::Rfc)
        << QStringList{"Состояние Кадр Нагрузка, % Проп. сп., бит/с", "Ожидание 0 0 0"} << QStringList{};

    QTest::newRow("zeros bert") << zeros << false << false << int(S::Bert)
        << QStringList{"Date & time 00/00/00 00:00:00", "Link speed 1000", "Pattern type User", "Units %",
                       "BER 0", "LSS,% 0", "Estimate time 00:00:00"}
        << QStringList{};
    QTest::newRow("zeros traffic") << zeros << false << false << int(S::Traffic)
        << QStringList{"default ( 000000 )", "Loss frames 0 ---", "runt+jabber+CRC 0 ---"} << QStringList{};
    QTest::newRow("zeros rfc2544") << zeros << false << false << int(S::Rfc)
        << QStringList{"Status Frame Load, % Thr, bps", "Wait 0 0 0", "Load, % 0"} << QStringList{};
    QTest::newRow("zeros ping") << zeros << false << false << int(S::Ping)
        << QStringList{"# Status Frame,b Lat,ms", "Ping statistics (Port A)", "Average 0", "Minimum 0"}
        << QStringList{"0 --- 0 ---"};
    // Every count at its largest: lists stay bounded, codes without a text
    // show as numbers, 64-bit arithmetic keeps its values.
    QTest::newRow("0xFF bert") << ones << false << false << int(S::Bert)
        << QStringList{"VLAN counts 255", "3 ffff 7 4095", "MPLS counts 255", "3 fffff 7 255",
                       "Pattern type 2E31-1", "Units Mbps", "User pattern ffffffff", "Estimate time 00:00:00",
                       "Rx bits 18446744073709551615", "BER 1", "LSS,% 100", "LOS,% 100"}
        << QStringList{"4 ffff 7 4095", "4 fffff 7 255"};
    QTest::newRow("0xFF traffic") << ones << false << false << int(S::Traffic)
        << QStringList{"Load 255%", "Loss frames 0 0.000", "runt 4294967295 1.000", "runt+jabber+CRC 4294967293 1.000"}
        << QStringList{};
    QTest::newRow("0xFF ping") << ones << false << false << int(S::Ping)
        << QStringList{"65535 --- 65535 ---", "Average ---", "Minimum 0", "Lost 0"} << QStringList{};
    QTest::newRow("0xFF jitter") << ones << false << false << int(S::Jitter)
        << QStringList{"All 18446744073709551615 100.00", "Not in order 0 0.00", ">=65535.000 100"} << QStringList{};
    QTest::newRow("0xFF multistream") << ones << false << false << int(S::Multi)
        << QStringList{"Tx bytes 281470681677825", "Loss frames 0 0.000", "Stream #10"} << QStringList{"Stream #11"};
    QTest::newRow("0xFF rfc2544") << ones << false << false << int(S::Rfc)
        << QStringList{"255 65535 --- ---", "255 65535 --- ---", "Load, % 255", "65535 4294967295"}
        << QStringList{"Load, % 255 250"};
}

void TestPdfCreator::reportText()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, onePort);
    QFETCH(bool, russian);
    QFETCH(int, report);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, absent);

    if (russian) {
        QVERIFY(m_russian.load(QStringLiteral("QVRemote_ru"), QStringLiteral(":/")));
        QCoreApplication::installTranslator(&m_russian);
    }
    const ReportResources texts = ReportResources::current();
    QCoreApplication::removeTranslator(&m_russian);

    QTemporaryDir dir;
    const ReportWriter::Report &r = ReportWriter::Reports[report];
    const ReportOutcome out = ReportWriter::write(jobFor(dir.path(), file, r.bit, onePort), texts);
    QCOMPARE(out.status, ReportOutcome::Created);
    const QString path = dir.path() + QLatin1String(r.file);
    QCOMPARE(out.written, QStringList{path});

    const QStringList text = pdfLines(path);
    QVERIFY(!text.isEmpty());
    const QString missing = missingInOrder(text, lines);
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing or out of order: \"%1\"\n%2").arg(missing, text.join(u'\n'))));
    for (const QString &line : absent)
        QVERIFY2(!text.contains(line), qPrintable(line));
}

void TestPdfCreator::outcomes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<QString>("blocker"); // a file where the writer needs a folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("pdfs");

    const QByteArray typical = ResultFiles::typical();
    QTest::newRow("all seven") << typical << kAllReports << QString() << int(ReportOutcome::Created)
        << QStringList{"bert.pdf", "jitter.pdf", "multi.pdf", "ping.pdf", "rfc2544.pdf", "trace.pdf", "traffic.pdf"};
    QTest::newRow("two of them") << typical << quint32(0x100 | 0x040) << QString() << int(ReportOutcome::Created)
        << QStringList{"bert.pdf", "trace.pdf"};
    QTest::newRow("bits beside the reports") << typical << quint32(0x1000 | 0x001 | 0x020) << QString()
        << int(ReportOutcome::Created) << QStringList{"traffic.pdf"};
    QTest::newRow("mask 0") << typical << quint32(0) << QString() << int(ReportOutcome::NothingRequested)
        << QStringList{};
    QTest::newRow("short file") << ResultFiles::tooShort() << kAllReports << QString()
        << int(ReportOutcome::ShortFile) << QStringList{};
    QTest::newRow("empty file") << QByteArray() << kAllReports << QString() << int(ReportOutcome::ShortFile)
        << QStringList{};
    QTest::newRow("folder is a file") << typical << kAllReports << QStringLiteral(".") << int(ReportOutcome::FolderFailed)
        << QStringList{};
    // The painter cannot open the third report: the first two stay.
    QTest::newRow("unwritable pdf") << typical << kAllReports << QStringLiteral("ping.pdf")
        << int(ReportOutcome::FileFailed) << QStringList{"bert.pdf", "traffic.pdf"};
}

void TestPdfCreator::outcomes()
{
    QFETCH(QByteArray, file);
    QFETCH(quint32, mask);
    QFETCH(QString, blocker);
    QFETCH(int, status);
    QFETCH(QStringList, pdfs);

    QTemporaryDir tmp;
    QString dir = tmp.filePath(QStringLiteral("out"));
    if (blocker == QLatin1String(".")) {
        QFile f(dir);
        QVERIFY(f.open(QIODevice::WriteOnly));
        dir += QStringLiteral("/inside");
    } else if (!blocker.isEmpty()) {
        QVERIFY(QDir().mkpath(dir + u'/' + blocker));
    }
    PDFCreator writer;
    QSignalSpy finished(&writer, &PDFCreator::reportFinished);
    writer.startReport(jobFor(dir, file, mask));
    QVERIFY(finished.wait(30000));
    const auto out = finished.at(0).at(0).value<ReportOutcome>();
    QCOMPARE(int(out.status), status);
    QCOMPARE(out.ok(), status == ReportOutcome::Created);
    QCOMPARE(out.job, writer.currentJob());
    QCOMPARE(pdfsIn(dir), pdfs);
    QCOMPARE(out.written.size(), pdfs.size());
    for (const QString &pdf : pdfs)
        QVERIFY2(complete(dir + u'/' + pdf), qPrintable(pdf));
    QVERIFY(!out.message().isEmpty());
    if (status != ReportOutcome::Created)
        QVERIFY(out.message() != QCoreApplication::translate("PDFCreator", "Result PDFs created."));
}

// A stop asked for in the middle of the third report: the two finished
// reports stay, the third is removed, and the run says it was stopped.
void TestPdfCreator::stopRemovesPartialFile()
{
    QTemporaryDir dir;
    const ReportResources texts = ReportResources::current();
    int asked = 0;
    int firstTwo = 0;
    {
        // How many times two reports ask, to stop inside the third.
        QTemporaryDir probe;
        ReportWriter::write(jobFor(probe.path(), ResultFiles::typical(), 0x100 | 0x020), texts, [&] {
            ++firstTwo;
            return false;
        });
    }
    const ReportOutcome out =
        ReportWriter::write(jobFor(dir.path(), ResultFiles::typical()), texts, [&] { return ++asked > firstTwo + 5; });
    QCOMPARE(out.status, ReportOutcome::Stopped);
    QCOMPARE(out.written.size(), 2);
    QCOMPARE(pdfsIn(dir.path()), (QStringList{"bert.pdf", "traffic.pdf"}));
    QVERIFY(complete(dir.filePath(QStringLiteral("traffic.pdf"))));
}

// Jobs started back to back: whatever state each earlier job is in when the
// next one starts, only the last one is announced, once.
void TestPdfCreator::supersededJobSaysNothing()
{
    QTemporaryDir dir;
    PDFCreator writer;
    QSignalSpy finished(&writer, &PDFCreator::reportFinished);
    for (int i = 0; i < 4; ++i)
        writer.startReport(jobFor(dir.filePath(QString::number(i)), ResultFiles::typical(), kAllReports));
    QVERIFY(finished.wait(30000));
    QTest::qWait(200);
    QCOMPARE(finished.size(), 1);
    const auto out = finished.at(0).at(0).value<ReportOutcome>();
    QCOMPARE(out.job, quint64(4));
    QCOMPARE(out.status, ReportOutcome::Created);
    // An earlier job left only complete files behind.
    for (int i = 0; i < 3; ++i) {
        const QString d = dir.filePath(QString::number(i));
        for (const QString &pdf : pdfsIn(d))
            QVERIFY2(complete(d + u'/' + pdf), qPrintable(pdf));
    }
}

void TestPdfCreator::destructorStopsRun()
{
    QTemporaryDir dir;
    {
        PDFCreator writer;
        writer.startReport(jobFor(dir.path(), ResultFiles::filled(char(0xFF))));
        QTest::qWait(20);
    }
    for (const QString &pdf : pdfsIn(dir.path()))
        QVERIFY2(complete(dir.filePath(pdf)), qPrintable(pdf));
}

// Rows of every kind never pass the usable height; a caption with the rows
// it announces starts a new page instead of leaving them on the next one.
void TestPdfCreator::rowsStayOnPage_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("captionRows");
    QTest::newRow("many rows") << 150 << 0;
    QTest::newRow("caption near the end") << 55 << 10;
}

void TestPdfCreator::rowsStayOnPage()
{
    QFETCH(int, rows);
    QFETCH(int, captionRows);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(dir.filePath(QStringLiteral("rows.pdf")));
    QPainter painter(&printer);
    const int bottom = painter.viewport().height() * 28 / 30;
    const QImage box(200, 200, QImage::Format_ARGB32);
    Canvas c(printer, painter, box, box, {});
    for (int i = 0; i < rows; ++i) {
        const int before = c.y();
        if (i % 3 == 0)
            c.row({QStringLiteral("a"), QStringLiteral("b")});
        else if (i % 3 == 1)
            c.check(QStringLiteral("c"), true);
        else
            c.caption(QStringLiteral("d"), 0);
        QVERIFY2(c.y() <= bottom, qPrintable(QString::number(i)));
        QVERIFY(c.y() == before + Canvas::RowHeight || c.y() == c.top() + Canvas::RowHeight);
    }
    if (captionRows) {
        const int before = c.y();
        c.caption(QStringLiteral("kept together"), captionRows);
        const bool fits = before + (captionRows + 1) * Canvas::RowHeight <= bottom;
        QCOMPARE(c.y(), fits ? before + Canvas::RowHeight : c.top() + Canvas::RowHeight);
        QVERIFY(!fits);
    }
    // Charts: zeros only, no labels, values that are not finite.
    c.chart({QStringLiteral("all zero"), {QStringLiteral("x")}, {0.0}, Chart::Bars, 4000, 3000});
    QVERIFY(c.y() - Canvas::RowHeight <= bottom);
    c.chart({QStringLiteral("no labels"), {}, {}, Chart::Triples, 4000, 3000});
    QVERIFY(c.y() - Canvas::RowHeight <= bottom);
    c.chart({QStringLiteral("not finite"), {QStringLiteral("x"), QStringLiteral("y")},
             {qQNaN(), qInf(), 5.0, 6.0}, Chart::Percent, 4000, 3000});
    QVERIFY(c.y() - Canvas::RowHeight <= bottom);
    QVERIFY(painter.end());
}

// The frame-loss chart has a fixed scale of 0 to 100: a value above it is
// cut at the top edge, not flattened onto it, and nothing of the series
// (lines, the wide pen, point values) leaves the plot box.
void TestPdfCreator::percentChartKeepsToBox_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<int>("sizes");
    QTest::newRow("losses above 100") << QList<double>{20, 60, 150, 400, 100, 120, 5000, 30} << 2;
    QTest::newRow("on both edges") << QList<double>{100, 100, 0, 0, 40, 60, 100, 0} << 1;
    QTest::newRow("counter-sized") << QList<double>{4294967295.0, 0, 4294967295.0, 50, 60} << 1;
    QTest::newRow("not finite") << QList<double>{qQNaN(), 70, qInf(), -qInf(), 40, 30} << 2;
    QList<double> report; // the report's own size: 8 sizes of 100 steps
    for (int i = 0; i < 800; ++i)
        report << (i % 3 == 0 ? 250.0 : double(i % 97));
    QTest::newRow("eight frame sizes, 100 steps") << report << 8;
}

void TestPdfCreator::percentChartKeepsToBox()
{
    QFETCH(QList<double>, values);
    QFETCH(int, sizes);
    QStringList labels;
    for (int i = 0; i < sizes; ++i)
        labels << QStringLiteral("%1b").arg(64 << i);
    const DrawnChart d({QStringLiteral("Frameloss, frame"), labels, values, Chart::Percent, 4000, 3000});
    const QRect &b = d.box;
    // The row between the title and the box, the strip right of it and the
    // strip between it and the frame-size labels stay white.
    const QRect outside[] = {QRect(QPoint(b.left(), d.chartTop + 260), QPoint(d.chartRight, b.top() - 2)),
                             QRect(QPoint(b.right() + 2, b.top()), QPoint(d.chartRight, b.bottom() + 15)),
                             QRect(QPoint(b.left(), b.bottom() + 2), QPoint(b.right(), b.bottom() + 15))};
    for (const QRect &r : outside) {
        const QPoint at = d.paintedIn(r);
        QVERIFY2(at.isNull(), qPrintable(QStringLiteral("painted at %1,%2").arg(at.x()).arg(at.y())));
    }
    // Inside: a segment between two values on the scale is drawn; one
    // between two values above it leaves no trace along the top edge.
    const int perSlot = int(values.size()) / sizes;
    const double slotW = double(b.width() - 1) / sizes;
    const double step = slotW / perSlot;
    int drawn = 0;
    int cut = 0;
    for (int i = 0; i < sizes; ++i) {
        for (int s = 1; s < perSlot; ++s) {
            const double v0 = values.at(i * perSlot + s - 1);
            const double v1 = values.at(i * perSlot + s);
            const int x = b.left() + int(std::lround(i * slotW)) + int(step * s);
            if (v0 >= 5 && v0 <= 95 && v1 >= 5 && v1 <= 95) {
                const int y = b.bottom() - int(std::lround((v0 + v1) / 2 / 100 * (b.height() - 1)));
                QVERIFY2(d.painted(x, y), qPrintable(QStringLiteral("segment %1 of slot %2").arg(s).arg(i)));
                ++drawn;
            } else if (v0 > 105 && v1 > 105) {
                QVERIFY2(!d.painted(x, b.top() + 3), qPrintable(QStringLiteral("flat %1 of slot %2").arg(s).arg(i)));
                ++cut;
            }
        }
    }
    QVERIFY(drawn + cut > 0);
    // The first point of a slot carries its value; at or above the top it
    // is written under the top edge, where it stays readable.
    for (int i = 0; i < sizes; ++i) {
        if (!(values.at(i * perSlot) >= 100))
            continue;
        const int x = b.left() + int(std::lround(i * slotW)) + int(step / 2);
        QVERIFY2(!d.paintedIn(QRect(QPoint(x - 80, b.top() + 8), QPoint(x + 80, b.top() + 250))).isNull(),
                 qPrintable(QStringLiteral("no value at slot %1").arg(i)));
    }
}

// A bar chart scales to its largest value, up to the largest double.
void TestPdfCreator::barScaleReachesLargest_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("ordinary") << QList<double>{12.5, 980, 3};
    QTest::newRow("largest double") << QList<double>{1.0, std::numeric_limits<double>::max(), 7};
    QTest::newRow("near the largest") << QList<double>{1e307, 1.6e308, 2};
}

void TestPdfCreator::barScaleReachesLargest()
{
    QFETCH(QList<double>, values);
    const DrawnChart d({QStringLiteral("Latency, ns"), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")},
                        values, Chart::Bars, 4000, 3000});
    // The tallest bar's outline, down its left side, reaches above 5/8 of
    // the box (off the grid lines); its value is written above the box.
    const double slotW = double(d.box.width() - 1) / 3;
    const int x = d.box.left() + int(std::lround(slotW)) + int(slotW / 4);
    QVERIFY(d.painted(x, d.box.top() + d.box.height() * 3 / 8));
    QVERIFY(!d.paintedIn(QRect(QPoint(d.box.left(), d.chartTop + 220), QPoint(d.box.right(), d.box.top() - 2))).isNull());
}

void TestPdfCreator::deviceRecordShowsOutcome_data()
{
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("text");
    QTest::newRow("created") << quint32(0x010) << int(QMessageBox::Information) << QStringLiteral("Result PDFs created.");
    QTest::newRow("mask 0") << quint32(0) << int(QMessageBox::Warning)
                            << QStringLiteral("No report was selected: no PDF was written.");
}

void TestPdfCreator::deviceRecordShowsOutcome()
{
    QFETCH(quint32, mask);
    QFETCH(int, icon);
    QFETCH(QString, text);
    QTemporaryDir dir;
    Zorqv device;
    QSignalSpy finished(&device, &Zorqv::report_finished);
    device.startReport(jobFor(dir.path(), ResultFiles::typical(), mask));
    QVERIFY(finished.wait(30000));
    QCOMPARE(device.lastReportOutcome().message(), text);
    QMessageBox *box = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
            box = b;
    }
    QVERIFY(box);
    QCOMPARE(int(box->icon()), icon);
    QCOMPARE(box->text(), text);
    box->accept();
}

QTEST_MAIN(TestPdfCreator)
#include "tst_pdfcreator.moc"
