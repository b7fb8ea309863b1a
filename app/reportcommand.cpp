#include "reportcommand.h"

#include "pdfcreator.h"
#include "resultcsv.h"
#include "resultfile.h"
#include "resultjson.h"
#include "resultrecord.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTranslator>

#include <cstdio>
#include <cstring>

namespace ReportCommand {

namespace {

enum Exit { Ok = 0, WriteFailed = 1, Usage = 2, BadInput = 3 };

// The reports' bits: BERT, traffic, ping, trace, jitter, RFC-2544, multistream.
constexpr quint32 kAllReports = 0x100 | 0x020 | 0x010 | 0x040 | 0x080 | 0x002 | 0x800;
// Link-speed codes: 0 no sync, 1 10, 2 100, 3 1000 Mbit/s.
constexpr quint64 kMaxSpeedCode = 3;

QString tr(const char *text)
{
    return QApplication::translate("ReportCommand", text);
}

void out(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(QDir::toNativeSeparators(line)));
}

void err(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

int usage(const QString &message)
{
    err(message);
    err(tr("Usage: QVRemote --report RESULTFILE --out DIR [--mask M] [--serial-number N] [--speeds A,B] [--qvb] "
           "[--lang en|ru] [--json] [--csv]"));
    return Usage;
}

// Decimal, or hexadecimal after "0x"; a leading 0 is not octal.
bool parseNumber(const QString &text, quint64 max, quint64 &value)
{
    bool ok = false;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    value = hex ? text.mid(2).toULongLong(&ok, 16) : text.toULongLong(&ok, 10);
    return ok && value <= max;
}

} // namespace

bool requested(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--report") == 0 || std::strncmp(argv[i], "--report=", 9) == 0)
            return true;
    }
    return false;
}

void prepare()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Scripts read stderr for errors: the platform's chatter stays out of it.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.warning=false"));
}

int run(QApplication &app)
{
    QCommandLineParser parser;
    const QCommandLineOption report(QStringLiteral("report"), tr("The result file to report on."),
                                    QStringLiteral("RESULTFILE"));
    const QCommandLineOption outDir(QStringLiteral("out"), tr("The folder for the PDF files."), QStringLiteral("DIR"));
    const QCommandLineOption mask(QStringLiteral("mask"), tr("Which reports (decimal or 0x...; all seven by default)."),
                                  QStringLiteral("M"));
    const QCommandLineOption serial(QStringLiteral("serial-number"), tr("The serial number in the header."),
                                    QStringLiteral("N"));
    const QCommandLineOption speeds(QStringLiteral("speeds"), tr("The link-speed codes of ports A and B."),
                                    QStringLiteral("A,B"));
    const QCommandLineOption qvb(QStringLiteral("qvb"), tr("A one-port (ZORT-QVB) report."));
    const QCommandLineOption lang(QStringLiteral("lang"), tr("The language of the reports: en or ru."),
                                  QStringLiteral("LANG"), QStringLiteral("en"));
    const QCommandLineOption json(QStringLiteral("json"), tr("Also write every decoded value to results.json."));
    const QCommandLineOption csv(QStringLiteral("csv"), tr("Also write a CSV file beside each PDF."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, tr("Show this help."));
    parser.addOptions({report, outDir, mask, serial, speeds, qvb, lang, json, csv, help});

    // "--report --help" asks for help too, though --report would take it as its value.
    const QStringList args = app.arguments();
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        out(parser.helpText());
        return Ok;
    }
    if (!parser.parse(args))
        return usage(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("Unexpected argument: %1").arg(parser.positionalArguments().constFirst()));
    if (parser.value(report).isEmpty() || parser.value(outDir).isEmpty())
        return usage(tr("--report and --out are both needed."));

    ReportJob job;
    job.directory = QDir::cleanPath(QDir(parser.value(outDir)).absolutePath());
    job.mask = kAllReports;
    quint64 value = 0;
    if (parser.isSet(mask)) {
        if (!parseNumber(parser.value(mask), 0xFFFFFFFF, value))
            return usage(tr("--mask takes a number: %1").arg(parser.value(mask)));
        if (value & ~quint64(kAllReports))
            return usage(tr("--mask %1 has bits of no report; the reports are 0x002, 0x010, 0x020, 0x040, "
                            "0x080, 0x100 and 0x800.").arg(parser.value(mask)));
        job.mask = quint32(value);
    }
    if (parser.isSet(serial)) {
        if (!parseNumber(parser.value(serial), 0xFFFF, value))
            return usage(tr("--serial-number takes a number from 0 to 65535: %1").arg(parser.value(serial)));
        job.serialNumber = quint16(value);
    }
    if (parser.isSet(speeds)) {
        const QStringList codes = parser.value(speeds).split(QLatin1Char(','));
        quint64 a = 0, b = 0;
        if (codes.size() != 2 || !parseNumber(codes.at(0), kMaxSpeedCode, a)
            || !parseNumber(codes.at(1), kMaxSpeedCode, b))
            return usage(tr("--speeds takes two codes from 0 to 3: A,B"));
        job.linkSpeedA = quint8(a);
        job.linkSpeedB = quint8(b);
    }
    job.singlePort = parser.isSet(qvb);
    const QString language = parser.value(lang);
    if (language != QLatin1String("en") && language != QLatin1String("ru"))
        return usage(tr("--lang takes en or ru: %1").arg(language));
    QTranslator russian;
    if (language == QLatin1String("ru") && russian.load(QStringLiteral("QVRemote_ru"), QStringLiteral(":/")))
        QApplication::installTranslator(&russian);

    QFile file(parser.value(report));
    if (QFileInfo(file).isDir()) {
        err(tr("%1 is a folder, not a result file.").arg(file.fileName()));
        return BadInput;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        err(tr("%1 cannot be read: %2").arg(file.fileName(), file.errorString()));
        return BadInput;
    }
    job.data = file.readAll();
    ResultRecord record;
    if (!record.read(job.data)) {
        err(tr("%1 is not a result file: %2 bytes, %3 expected.").arg(file.fileName()).arg(job.data.size()).arg(ResultFile::Size));
        return BadInput;
    }

    PDFCreator writer;
    ReportOutcome outcome;
    QEventLoop loop;
    QObject::connect(&writer, &PDFCreator::reportFinished, &loop, [&](const ReportOutcome &o) {
        outcome = o;
        loop.quit();
    });
    writer.startReport(job);
    loop.exec();

    for (const QString &path : std::as_const(outcome.written))
        out(path);
    bool written = outcome.status == ReportOutcome::Created || outcome.status == ReportOutcome::NothingRequested;
    QString summary = outcome.message();
    if (written && parser.isSet(json)) {
        const QString path = job.directory + QStringLiteral("/results.json");
        if (QDir().mkpath(job.directory) && ResultJson::write(record, path)) {
            out(path);
        } else {
            written = false;
            summary = tr("%1 could not be written.").arg(QDir::toNativeSeparators(path));
        }
    }
    QStringList tables;
    QString failed;
    if (written && parser.isSet(csv) && !ResultCsv::write(record, job, &tables, &failed)) {
        written = false;
        summary = tr("%1 could not be written.").arg(QDir::toNativeSeparators(failed));
    }
    for (const QString &path : std::as_const(tables))
        out(path);
    if (!written) {
        err(summary);
        return WriteFailed;
    }
    out(summary);
    return Ok;
}

} // namespace ReportCommand
