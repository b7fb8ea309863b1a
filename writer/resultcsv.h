#pragma once

#include "reportjob.h"
#include "reportsections.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ResultRecord;

// The reports as CSV, for spreadsheets: per report the settings and results
// of each port, from the same decoded values as results.json. A row is a
// port and an item of the test (a frame size, a stream, a reply, a hop, a
// bucket), or the port alone for a test without items; the port's own
// values repeat on each of its rows. Column names are the results.json
// paths joined by "." with the unit after "_" (result.rows.latency.ns,
// config.duration_s); arrays within an item, and the interface's tags,
// become numbered columns (interface.vlans.1.vid).
namespace ResultCsv {

// "bert.csv", "rfc2544.csv", "multistream.csv": the results.json part's name.
QString fileName(ReportSections::Report report);
QByteArray document(const ResultRecord &record, const ReportJob &job, ReportSections::Report report);
// The CSVs of the reports the job's mask selects, into its directory, each
// written whole or not at all. The paths written go to written; on a failure
// failed names the file and the rest are not tried.
bool write(const ResultRecord &record, const ReportJob &job, QStringList *written, QString *failed);

} // namespace ResultCsv
