// A result file to all seven reports and results.json. The first byte picks
// the reports (mask bits of the job), the second the one-port model and the
// link speeds; the rest, repeated to the size of a result file, is the file,
// so that every field takes fuzzer-chosen values from a short input. Every
// requested PDF must be written and be non-empty; nothing may read past a
// block or divide by zero.

#include "fuzzcheck.h"
#include "reportresources.h"
#include "reportwriter.h"
#include "resultfile.h"
#include "resultjson.h"
#include "resultrecord.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

QGuiApplication *app = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const quint8 pick = in.byte();
    const quint8 flags = in.byte();
    size_t got = 0;
    const uint8_t *body = in.take(in.left(), &got);

    QByteArray file(int(ResultFile::Size), '\0');
    for (qsizetype i = 0; got && i < file.size(); ++i)
        file[i] = char(body[size_t(i) % got]);

    static const quint32 bits[8] = {0x002, 0x010, 0x020, 0x040, 0x080, 0x100, 0x800, 0};
    ReportJob job;
    for (int i = 0; i < 8; ++i) {
        if (pick & (1u << i))
            job.mask |= bits[i];
    }
    job.singlePort = flags & 1;
    job.linkSpeedA = (flags >> 1) & 7;
    job.linkSpeedB = (flags >> 4) & 7;
    job.serialNumber = quint16(pick * 257 + flags);
    job.data = file;

    QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    job.directory = dir.path();
    static const ReportResources resources = ReportResources::current();
    const ReportOutcome outcome = ReportWriter::write(job, resources);
    const int requested = ReportWriter::requestedCount(job.mask);
    FUZZ_CHECK(outcome.status == (requested ? ReportOutcome::Created : ReportOutcome::NothingRequested));
    FUZZ_CHECK(outcome.written.size() == requested);
    for (const QString &path : outcome.written)
        FUZZ_CHECK(QFileInfo(path).size() > 0);

    ResultRecord record;
    FUZZ_CHECK(record.read(file));
    FUZZ_CHECK(ResultJson::write(record, dir.filePath(QStringLiteral("results.json"))));
    return 0;
}
