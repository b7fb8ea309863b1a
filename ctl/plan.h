#pragma once

#include "tester.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <functional>
#include <optional>

// A test plan: steps that each configure a test, run it, read its results
// and check them against expectations. A plan is JSON:
//
//   {"connect": "10.0.0.7:55555" | "serial:/dev/ttyUSB0",      (optional)
//    "steps": [{"name": "...", "test": "traffic", "port": "A", "to": "B",
//               "level": 1, "config": {...}, "duration": 10, "timeout": 60,
//               "expect": {"lossFrames": {"max": 0},
//                          "rows[*].throughput.load": {"min": 95}},
//               "report": true, "stopOnFail": true}]}
namespace Plan {

// One bound on the values at a path of the result object; [*] stands for
// every element of an array.
struct Expectation
{
    QString path;
    std::optional<double> min;
    std::optional<double> max;
    std::optional<QJsonValue> equals;
};

struct Step
{
    QString name;
    TestFields::Test test{};
    int port = 0;
    int to = 0;
    int level = 1;
    QJsonObject config;
    std::optional<double> duration; // seconds the test may run before it is stopped
    std::optional<double> timeout;  // seconds before a wait for the end gives up
    QList<Expectation> expect;
    bool report = false;
    bool stopOnFail = false;
};

struct Document
{
    QJsonObject source; // the plan as read, echoed in the results
    QString connect;    // "HOST[:PORT]" or "serial:DEVICE", or empty
    QList<Step> steps;
};

// Reads and checks a plan (every test, port, key and bound) before anything
// is sent; on an error says which step and key are wrong.
std::optional<Document> parse(const QByteArray &json, QString *error);

// The values at a path, with [*] expanded; empty when the path leads nowhere.
QJsonArray valuesAt(const QJsonValue &root, const QString &path);
// What an expectation finds wrong in a result object (one line per value),
// empty when it holds.
QStringList check(const Expectation &e, const QJsonObject &result);

struct Options
{
    QString outDir;    // plan-results.json and the reports go here
    QString junitPath; // JUnit XML
};

// Runs the plan on a connected tester. Every event is handed to publish as a
// JSON object ({"event": "start" | "progress" | "result" | "verdict" |
// "error", "step": N, ...}). Returns the exit code: 0 every expectation
// held, 1 one failed, 3 or 4 a step could not be carried out, 2 an output
// file could not be written.
int run(Tester &tester, const Document &plan, const Options &options,
        const std::function<void(const QJsonObject &)> &publish);

} // namespace Plan
