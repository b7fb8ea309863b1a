#pragma once

#include "block.h"
#include "blocksizes.h"

#include <QString>

// How the ping, trace and DNS results read as text: the same on the page and
// in the reports. Texts are translated in the context "PingValues".
namespace PingValues {

// "Request", "OK", "Timeout", "Interrupted"; "---" for any other status.
QString statusText(quint8 status);
// Requests without an answer; never negative when the counts disagree.
quint32 lost(quint32 sent, quint32 received);
// The smallest latency; the tester marks "none yet" with all ones.
quint32 minimum(quint32 raw);
// The average latency, a single-precision float in the block.
float average(const PingStatsBlock &stats);

// The hop answered (from a router or the destination itself).
bool hopAnswered(quint8 status);
// The hop's address column: the address, "..." while probing, "timeout",
// or nothing.
QString hopText(quint8 status, quint32 lowFirstAddress);

// "Passed", "In progress", "Error"; empty for "none" and unknown codes.
QString dnsStatusText(quint8 status);

// A zero-terminated name in a fixed field: read up to the zero or the end
// of the field, never beyond.
QString fieldText(const quint8 *field, std::size_t size);

} // namespace PingValues
