#include "reportwriter.h"

#include "canvas.h"
#include "reportresources.h"
#include "reportsections.h"
#include "resultrecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

namespace ReportWriter {

// Order of writing; ReportSections::Report follows the same order.
const Report Reports[7] = {
    {0x100, "/bert.pdf"},   {0x020, "/traffic.pdf"}, {0x010, "/ping.pdf"},  {0x040, "/trace.pdf"},
    {0x080, "/jitter.pdf"}, {0x002, "/rfc2544.pdf"}, {0x800, "/multi.pdf"},
};
static_assert(std::size(Reports) == ReportSections::Count);

int requestedCount(quint32 mask)
{
    int n = 0;
    for (const Report &r : Reports)
        n += (mask & r.bit) ? 1 : 0;
    return n;
}

namespace {

enum class FileResult { Written, Failed, Stopped };

FileResult writeOne(const QString &path, ReportSections::Report report, const ResultRecord &record,
                    const ReportJob &job, const ReportResources &resources, const std::function<bool()> &stop)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setOutputFileName(path);
    printer.setCreator(QStringLiteral("QVRemote"));

    QPainter painter;
    if (!painter.begin(&printer)) {
        QFile::remove(path);
        return FileResult::Failed;
    }
    bool stopped = false;
    try {
        Canvas canvas(printer, painter, resources.check, resources.uncheck, stop);
        ReportSections(canvas, record, job, resources).draw(report);
    } catch (const ReportInterrupted &) {
        stopped = true;
    }
    const bool ended = painter.end();
    if (stopped || !ended || QFileInfo(path).size() <= 0) {
        QFile::remove(path);
        return stopped ? FileResult::Stopped : FileResult::Failed;
    }
    return FileResult::Written;
}

} // namespace

ReportOutcome write(const ReportJob &job, const ReportResources &resources, const std::function<bool()> &stop)
{
    ReportOutcome out;
    out.requested = requestedCount(job.mask);
    out.dataSize = job.data.size();
    ResultRecord record;
    if (!record.read(job.data)) {
        out.status = ReportOutcome::ShortFile;
        return out;
    }
    if (out.requested == 0) {
        out.status = ReportOutcome::NothingRequested;
        return out;
    }
    if (!QDir().mkpath(job.directory)) {
        out.status = ReportOutcome::FolderFailed;
        out.failed = job.directory;
        return out;
    }
    for (int i = 0; i < ReportSections::Count; ++i) {
        if (!(job.mask & Reports[i].bit))
            continue;
        const QString path = job.directory + QLatin1String(Reports[i].file);
        switch (writeOne(path, ReportSections::Report(i), record, job, resources, stop)) {
        case FileResult::Written:
            out.written << path;
            break;
        case FileResult::Stopped:
            out.status = ReportOutcome::Stopped;
            return out;
        case FileResult::Failed:
            out.status = ReportOutcome::FileFailed;
            out.failed = path;
            return out;
        }
    }
    out.status = ReportOutcome::Created;
    return out;
}

} // namespace ReportWriter

QString ReportOutcome::message() const
{
    switch (status) {
    case Created:
        return QCoreApplication::translate("PDFCreator", "Result PDFs created.");
    case NothingRequested:
        return QCoreApplication::translate("PDFCreator", "No report was selected: no PDF was written.");
    case ShortFile:
        return QCoreApplication::translate("PDFCreator", "The result file is too short (%1 of %2 bytes): no PDF was written.")
            .arg(dataSize)
            .arg(ResultFile::Size);
    case FolderFailed:
        return QCoreApplication::translate("PDFCreator", "The folder %1 could not be created: no PDF was written.").arg(QDir::toNativeSeparators(failed));
    case FileFailed:
        return QCoreApplication::translate("PDFCreator", "%1 could not be written: %2 of %3 PDFs were written.")
            .arg(QDir::toNativeSeparators(failed))
            .arg(written.size())
            .arg(requested);
    case Stopped:
        return QCoreApplication::translate("PDFCreator", "The reports were stopped: %1 of %2 PDFs were written.").arg(written.size()).arg(requested);
    }
    return QString();
}
