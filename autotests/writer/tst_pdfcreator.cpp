#include "testpaths.h"
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
    void wholeReport_data();
    void wholeReport();
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
    void chartLabels_data();
    void chartLabels();
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

// Each report of the typical file, for both ports and for the one-port
// model, and of the all-zero file: its whole text against the text
// expected of it (expected/<row>.txt).
void TestPdfCreator::wholeReport_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("onePort");
    QTest::addColumn<int>("report");
    const struct { const char *name; QByteArray file; bool onePort; } files[] = {
        {"typical", ResultFiles::typical(), false},
        {"oneport", ResultFiles::typical(), true},
        {"zeros", ResultFiles::filled(0), false},
    };
    for (const auto &f : files) {
        for (int r = 0; r < ReportSections::Count; ++r) {
            const QByteArray pdf(ReportWriter::Reports[r].file);
            QTest::addRow("%s-%s", f.name, pdf.mid(1, pdf.indexOf('.') - 1).constData()) << f.file << f.onePort << r;
        }
    }
}

void TestPdfCreator::wholeReport()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, onePort);
    QFETCH(int, report);
    QFile expectedFile(QStringLiteral(QV_EXPECTED_DIR "/%1.txt").arg(QLatin1String(QTest::currentDataTag())));
    QVERIFY2(expectedFile.open(QIODevice::ReadOnly), qPrintable(expectedFile.fileName()));
    const QStringList expected = textLines(QString::fromUtf8(expectedFile.readAll()));

    QTemporaryDir dir;
    const ReportWriter::Report &r = ReportWriter::Reports[report];
    const ReportOutcome out = ReportWriter::write(jobFor(dir.path(), file, r.bit, onePort), ReportResources::current());
    QCOMPARE(out.status, ReportOutcome::Created);
    const QStringList actual = pdfLines(dir.path() + QLatin1String(r.file));
    QVERIFY2(actual == expected, qPrintable(lineDiff(expected, actual)));
}

// What the whole texts do not cover: Russian, and every count at its
// largest (lists stay bounded, codes without a text show as numbers, 64-bit
// arithmetic keeps its values).
void TestPdfCreator::reportText_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("russian");
    QTest::addColumn<int>("report");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("absent");

    const QByteArray typical = ResultFiles::typical();
    const QByteArray zeros = ResultFiles::filled(0);
    const QByteArray ones = ResultFiles::filled(char(0xFF));
    using S = ReportSections;

    QTest::newRow("russian") << typical << true << int(S::Bert)
        << QStringList{"Отчёт о тестировании Ethernet", "Изготовитель QV Test Systems", "Дата и время 09/07/04 05:03:12",
                       "Настройки интерфейса (Порт A)", "Скорость соединения 1000", "BERT настройки (Порт A)",
                       "Тип шаблона 2E15-1", "Единицы Мбит/с", "Тип шаблона 2E31-1", "Единицы кбит/с", "BERT результаты (Порт B)"}
        << QStringList{"Ethernet testing report", "(Port A)"};
    QTest::newRow("russian jitter") << typical << true << int(S::Jitter)
        << QStringList{"Джиттер настройки (Порт A)", "Все 1.000E+03 100.00", "Джиттер распределение (Порт B)"}
        << QStringList{};
    QTest::newRow("russian zeros bert") << zeros << true << int(S::Bert)
        << QStringList{"Тип шаблона Пользовательский", "Единицы %"} << QStringList{};
    QTest::newRow("russian zeros rfc2544") << zeros << true << int(S::Rfc)
        << QStringList{"Состояние Кадр Нагрузка, % Проп. сп., бит/с", "Ожидание 0 0 0"} << QStringList{};

    QTest::newRow("0xFF bert") << ones << false << int(S::Bert)
        << QStringList{"VLAN counts 255", "3 ffff 7 4095", "MPLS counts 255", "3 fffff 7 255",
                       "Pattern type 2E31-1", "Units Mbps", "User pattern ffffffff", "Estimate time 00:00:00",
                       "Rx bits 18446744073709551615", "BER 1", "LSS,% 100", "LOS,% 100"}
        << QStringList{"4 ffff 7 4095", "4 fffff 7 255"};
    QTest::newRow("0xFF traffic") << ones << false << int(S::Traffic)
        << QStringList{"Load 255%", "Loss frames 0 0.000", "runt 4294967295 1.000", "runt+jabber+CRC 4294967293 1.000"}
        << QStringList{};
    QTest::newRow("0xFF ping") << ones << false << int(S::Ping)
        << QStringList{"65535 --- 65535 ---", "Average ---", "Minimum 0", "Lost 0"} << QStringList{};
    QTest::newRow("0xFF jitter") << ones << false << int(S::Jitter)
        << QStringList{"All 1.845E+19 100.00", "Not in order 0.000E+00 0.00", ">=65535.000 100"} << QStringList{};
    QTest::newRow("0xFF multistream") << ones << false << int(S::Multi)
        << QStringList{"Tx bytes 281470681677825", "Loss frames 0 0.000", "Stream #10"} << QStringList{"Stream #11"};
    QTest::newRow("0xFF rfc2544") << ones << false << int(S::Rfc)
        << QStringList{"255 65535 --- ---", "255 65535 --- ---", "Load, % 255", "65535 4294967295"}
        << QStringList{"Load, % 255 250"};
}

void TestPdfCreator::reportText()
{
    QFETCH(QByteArray, file);
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
    const ReportOutcome out = ReportWriter::write(jobFor(dir.path(), file, r.bit), texts);
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

// Each kind of chart read back from a PDF: the y axis numbers from the
// bottom up, the values written over the bars or points and the x labels,
// both from left to right. A bar scale is a round number above the largest
// value, and never infinite, up to the largest double.
void TestPdfCreator::chartLabels_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("axis");
    QTest::addColumn<QString>("written");
    const QStringList three{"64", "128", "256"};
    QTest::newRow("bars") << int(Chart::Bars) << three << QList<double>{12.5, 980, 3} << "0 300 600 900 1200"
                          << "12.5 980 3";
    QTest::newRow("bars up to the largest double")
        << int(Chart::Bars) << three << QList<double>{1, std::numeric_limits<double>::max(), 7}
        << "0 4.49423e+307 8.98847e+307 1.34827e+308 1.79769e+308" << "1 1.79769e+308 7";
    QTest::newRow("bars near the largest double") << int(Chart::Bars) << three << QList<double>{1e307, 1.6e308, 2}
                                                  << "0 4e+307 8e+307 1.2e+308 1.6e+308" << "1e+307 1.6e+308 2";
    QTest::newRow("triples") << int(Chart::Triples) << QStringList{"64", "1518"}
                             << QList<double>{1, 5.5, 10, 8, 44, 80} << "0 25 50 75 100" << "1 5.5 10 8 44 80";
    // Twenty points a size: the 1st and the 11th carry their values, one
    // above the scale at the top edge.
    QList<double> points;
    for (int i = 0; i < 20; ++i)
        points << 4.0 * i;
    for (int i = 0; i < 20; ++i)
        points << 120.0 - i;
    QTest::newRow("percent") << int(Chart::Percent) << QStringList{"64b", "9000b"} << points << "0 25 50 75 100"
                             << "0 40 120 110";
}

void TestPdfCreator::chartLabels()
{
    QFETCH(int, kind);
    QFETCH(QStringList, labels);
    QFETCH(QList<double>, values);
    QFETCH(QString, axis);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setFullPage(true);
    printer.setOutputFileName(path);
    QPainter painter(&printer);
    const QImage box(200, 200, QImage::Format_ARGB32);
    Canvas c(printer, painter, box, box, {});
    const Chart chart{QStringLiteral("Title"), labels, values, Chart::Kind(kind), 4000, 3000};
    // The plot box in points, as the chart lays it out.
    const double pt = 72.0 / printer.resolution();
    const QRectF plot(QPointF(c.x() + 400, c.y() + 400) * pt, QPointF(c.x() + 3599, c.y() + 2600) * pt);
    c.chart(chart);
    QVERIFY(painter.end());

    // Words by their place: left of the box from the bottom up, over and
    // under it from left to right.
    QMultiMap<double, QString> left, over, under;
    for (const PdfWord &w : pdfWords(path)) {
        if (w.box.right() < plot.left())
            left.insert(-w.box.top(), w.text);
        else if (w.box.top() > plot.bottom())
            under.insert(w.box.left(), w.text);
        else if (w.text != chart.title)
            over.insert(w.box.left(), w.text);
    }
    QCOMPARE(left.values().join(u' '), axis);
    QCOMPARE(over.values().join(u' '), written);
    QCOMPARE(under.values().join(u' '), labels.join(u' '));
}

void TestPdfCreator::deviceRecordShowsOutcome_data()
{
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<QString>("text");
    QTest::newRow("created") << quint32(0x010) << QStringLiteral("Result PDFs created.");
    QTest::newRow("mask 0") << quint32(0) << QStringLiteral("No report was selected: no PDF was written.");
}

// The device record hands a job to its writer and reports how it ended.
void TestPdfCreator::deviceRecordShowsOutcome()
{
    QFETCH(quint32, mask);
    QFETCH(QString, text);
    QTemporaryDir dir;
    Zorqv device;
    QSignalSpy finished(&device, &Zorqv::report_finished);
    device.startReport(jobFor(dir.path(), ResultFiles::typical(), mask));
    QVERIFY(finished.wait(30000));
    QCOMPARE(finished.first().first().value<ReportOutcome>().message(), text);
    QCOMPARE(device.lastReportOutcome().message(), text);
}

QTEST_MAIN(TestPdfCreator)
#include "tst_pdfcreator.moc"
