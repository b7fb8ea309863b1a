#pragma once

#include "headerfields.h"
#include "reportjob.h"

#include <QString>
#include <QStringList>

class Canvas;
class ReportResources;
struct ResultRecord;

// The seven reports: what each one draws after the common header, for
// port A and (two-port model) port B, from the blocks of a result file.
class ReportSections
{
public:
    enum Report { Bert, Traffic, Ping, Trace, Jitter, Rfc, Multi, Count };

    ReportSections(Canvas &canvas, const ResultRecord &record, const ReportJob &job,
                   const ReportResources &texts);

    // The whole report: header, title, the sections of each port.
    void draw(Report report);

private:
    void header();
    void iface(int port);
    template <std::size_t N>
    void headerSettings(const Block<N> &block, const HeaderFields &fields);

    void bert(int port);
    void traffic(int port);
    void ping(int port);
    void trace(int port);
    void jitter(int port);
    void rfc(int port);
    void multi(int port);

    QString portText(int port) const;
    QString caption(const char *test, const char *kind, int port) const;
    QString unit(const char *label, const char *unit) const;
    QString commaPercent(const char *label) const;

    Canvas &c;
    const ResultRecord &rec;
    const ReportJob &job;
    const ReportResources &t;
};
