#pragma once

#include "reportjob.h"

#include <QMetaType>
#include <QStringList>

#include <functional>

class ReportResources;

// How a report job ended: only Created means every requested PDF exists.
struct ReportOutcome
{
    enum Status {
        Created,          // every requested PDF written
        NothingRequested, // the mask selects no report
        ShortFile,        // the result file is shorter than a result file
        FolderFailed,     // the output folder could not be created
        FileFailed,       // a PDF could not be written (its partial file removed)
        Stopped,          // the run was stopped (its partial file removed)
    };

    quint64 job = 0;
    Status status = Created;
    int requested = 0;       // PDFs the mask asks for
    QStringList written;     // PDFs completely written, in order
    QString failed;          // the folder or file that could not be written
    qsizetype dataSize = 0;  // bytes of the result file

    bool ok() const { return status == Created; }
    // What the user is told, in the language installed now.
    QString message() const;
};
Q_DECLARE_METATYPE(ReportOutcome)

namespace ReportWriter {

// The reports in the order they are written: mask bit and file name.
struct Report
{
    quint32 bit;
    const char *file;
};
extern const Report Reports[7];
int requestedCount(quint32 mask);

// Writes the reports of a job into its directory on the calling thread.
// stopRequested is asked between rows and pages; when it answers true the
// report being written is removed and the outcome is Stopped.
ReportOutcome write(const ReportJob &job, const ReportResources &resources,
                    const std::function<bool()> &stopRequested = {});

} // namespace ReportWriter
