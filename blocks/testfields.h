#pragma once

#include "blocksizes.h"
#include "fieldtable.h"

#include <QByteArray>
#include <QJsonObject>

#include <QString>
#include <QStringList>

#include <optional>

// The field tables of the tester's tests: every configuration and result
// block in the JSON of results.json (its "config" and "result" objects),
// with the ranges the pages' widgets allow. results.json, qvctl and the test
// plans read them.
namespace TestFields {

enum class Test : quint8 {
    Traffic,
    Rfc2544,
    Multistream,
    Jitter,
    Bert,
    Loopback,
    Cable,
    Oam,
    Transit,
    Ping,
    Trace,
    Dns,
    Interface,
    Statistics,
};
constexpr int TestCount = 14;

// "traffic", "rfc2544", "multistream", ... as scripts and plans name them.
QString name(Test test);
std::optional<Test> fromName(const QString &name);
QStringList names();

// The configuration of a test, over its block; empty when it has none.
// OAM's is over the interface block (its mode lives there), statistics'
// over a one-byte block holding the auto-reset flag.
const FieldTable::Table &config(Test test);
// Its results, over its result block; empty when it has none. Ping's block
// is the result rows followed by the statistics (as in the reply), the
// interface's the three DHCP words (address, mask, gateway).
const FieldTable::Table &result(Test test);

// The configuration and result bytes of a test on port (0 or 1) in a record
// of the per-port test blocks (a result file's, or the device record's);
// ping's result is its rows followed by its statistics. Empty for a block
// the record does not hold.
QByteArray configBytes(const PortTestBlocks &record, Test test, int port);
QByteArray resultBytes(const PortTestBlocks &record, Test test, int port);
// Puts configuration bytes back; false when the record holds no such block.
bool setConfigBytes(PortTestBlocks &record, Test test, int port, const QByteArray &bytes);

// {"config": ..., "result": ...} of a test's bytes, each part only when its
// table and its bytes are there.
QJsonObject json(Test test, const QByteArray &config, const QByteArray &result);

// What is wrong with a configuration block across its fields after a set
// (a rate above 100 while the units are %), or an empty text.
QString check(Test test, const quint8 *config);

} // namespace TestFields
