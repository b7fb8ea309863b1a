#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

struct ResultRecord;

// Every decoded value of a result file as JSON, for spreadsheets and
// scripts: configurations and results per test and port, numbers as
// numbers, addresses and names as texts. The shape is documented in the
// README ("results.json").
namespace ResultJson {
QJsonObject fromRecord(const ResultRecord &record);
// The parts of the document: the interfaces' settings, and per port the
// tests, in the document's order.
QJsonArray interfaces(const ResultRecord &record);
enum class Test { Bert, Traffic, Ping, Trace, Dns, Jitter, Rfc2544, Multistream, Loopback };
constexpr int TestCount = 9;
// One test of port 0 (A) or 1 (B): its "config" and, but for the
// loopback, its "result".
QJsonObject test(const ResultRecord &record, Test test, int port);
// Written whole or not at all.
bool write(const ResultRecord &record, const QString &path);
} // namespace ResultJson
