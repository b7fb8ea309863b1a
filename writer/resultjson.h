#pragma once

#include <QJsonObject>
#include <QString>

struct ResultRecord;

// Every decoded value of a result file as JSON, for spreadsheets and
// scripts: configurations and results per test and port, numbers as
// numbers, addresses and names as texts. The shape is documented in the
// README ("results.json").
namespace ResultJson {
QJsonObject fromRecord(const ResultRecord &record);
// Written whole or not at all.
bool write(const ResultRecord &record, const QString &path);
} // namespace ResultJson
