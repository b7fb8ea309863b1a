#include "pdfcreator.h"

PDFCreator::PDFCreator(QObject *parent)
    : QThread(parent)
{
    qRegisterMetaType<ReportOutcome>();
    // Emitted on the worker, delivered on the thread this object lives in.
    connect(this, &PDFCreator::runFinished, this, &PDFCreator::announce, Qt::QueuedConnection);
}

PDFCreator::~PDFCreator()
{
    stop();
}

void PDFCreator::stop()
{
    if (!isRunning())
        return;
    requestInterruption();
    wait();
}

void PDFCreator::startReport(const ReportJob &job)
{
    stop();
    m_job = job;
    m_resources = ReportResources::current();
    m_runTag = ++m_tag;
    start();
}

void PDFCreator::run()
{
    ReportOutcome outcome = ReportWriter::write(m_job, m_resources, [this] { return isInterruptionRequested(); });
    outcome.job = m_runTag;
    Q_EMIT runFinished(outcome, QPrivateSignal());
}

void PDFCreator::announce(const ReportOutcome &outcome)
{
    // A job stopped for a newer one, or finished just before it, is stale.
    if (outcome.job != m_tag)
        return;
    Q_EMIT reportFinished(outcome);
}
