#pragma once

#include "reportjob.h"
#include "reportresources.h"
#include "reportwriter.h"

#include <QThread>

// The report writer: turns a downloaded result file into the PDF reports on
// a worker thread, so that the window stays responsive. One job runs at a
// time; a new job first stops the one still running (cooperatively: the run
// checks between rows and pages and removes its unfinished file), and so
// does the destructor. Each job gets a tag, and only the outcome of the
// latest job is announced: a superseded job says nothing.
class PDFCreator final : public QThread, public ReportSink
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PDFCreator)

public:
    explicit PDFCreator(QObject *parent = nullptr);
    ~PDFCreator() override;

    // GUI thread: stops a running job, takes the texts and images of the
    // language installed now, and starts the job.
    void startReport(const ReportJob &job) override;
    // Stops a running job and waits for it; it ends as Stopped.
    void stop();
    // The tag of the latest job (0 before the first).
    quint64 currentJob() const { return m_tag; }

Q_SIGNALS:
    // The outcome of the latest job, on the GUI thread.
    void reportFinished(const ReportOutcome &outcome);
    // Emitted by the worker at the end of every run; internal.
    void runFinished(const ReportOutcome &outcome, QPrivateSignal);

protected:
    void run() override;

private:
    void announce(const ReportOutcome &outcome);

    ReportJob m_job;
    ReportResources m_resources;
    quint64 m_tag = 0;
    quint64 m_runTag = 0; // the tag the worker reports under
};
