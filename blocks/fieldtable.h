#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <initializer_list>
#include <vector>

// A block <-> JSON mapping declared once: each field with its key, offset,
// type, the range a user may set and its unit. results.json, qvctl's get,
// set and results and the test plans all read the same tables, so that a
// field is named once and a plan, a "get" and a report speak one language.
//
// A table describes one block. Its nodes are fields, objects (a group of
// fields under one key), arrays (records repeated at a stride) and derived
// values, which are computed from the blocks (a loss, a share) and never set.
namespace FieldTable {

enum class Type : quint8 {
    Unsigned,   // little-endian, size 1, 2, 4 or 8 bytes
    Signed,     // little-endian two's complement, size 4
    Flag,       // one byte: 0 false, else true; written as 0 or 1
    Float,      // IEEE single
    Double,     // IEEE double
    Ip,         // u32, first octet most significant: "010.001.002.003"
    IpWire,     // u32 in transmission order (first octet lowest), same text
    Mac,        // 6 bytes: "00:1a:2b:3c:4d:5e"
    Text,       // zero-terminated ASCII within size bytes
    HexWord,    // u32 as eight lower-case hex digits
    Bits,       // (unsigned of size bytes >> shift) & mask; other bits kept
    TosValue,   // ToS bits 4..1 of a ToS byte: 0, 1, 2, 4 or 8
    Precedence, // bits 7..5 of a ToS byte: 0 to 7
    Dscp,       // bits 7..2 of a DS byte: one of the 21 DSCP codes
};

// What derived values and array lengths are computed from: the test's
// configuration and result blocks (either may be absent), and the element
// of each enclosing array, outermost first.
struct Source
{
    const quint8 *config = nullptr;
    const quint8 *result = nullptr;
    std::vector<std::size_t> index;
    std::size_t at(std::size_t level) const { return level < index.size() ? index[level] : 0; }
};

using Derive = std::function<QJsonValue(const Source &)>;
using Count = std::function<std::size_t(const Source &)>;
using Skip = std::function<bool(const Source &)>;
// A check across fields after a set (a rate's limit that depends on its
// units): an empty text when the block is sound, else what is wrong.
using Check = std::function<QString(const quint8 *block)>;

struct Node
{
    enum class Kind : quint8 { Field, Object, Array, Derived, Index };

    Kind kind = Kind::Field;
    QString key;
    std::size_t offset = 0; // in the block, or in the array element
    // Field
    Type type = Type::Unsigned;
    quint8 size = 1;  // Unsigned, Bits, Text
    quint8 shift = 0; // Bits
    quint32 mask = 0; // Bits
    double min = 0;
    double max = -1; // max < min: not settable
    QString unit;
    // Array: count elements of stride bytes; a child with its own stride
    // (an array of two interleaved tables) uses that one instead.
    std::size_t count = 0;
    std::size_t stride = 0;
    Count length; // fewer elements than count, when set
    Skip skip;    // elements left out of the JSON (an empty row)
    std::vector<Node> children;
    // Derived
    Derive derive;

    bool settable() const { return max >= min; }
    Node &in(double lo, double hi, const QString &u = {}) { min = lo; max = hi; unit = u; return *this; }
    Node &unitOnly(const QString &u) { unit = u; return *this; }
    Node &withStride(std::size_t s) { stride = s; return *this; }
};

using Table = std::vector<Node>;

// Builders, for tables that read like the block layouts they mirror.
Node u8(const char *key, std::size_t offset);
Node u16(const char *key, std::size_t offset);
Node u32(const char *key, std::size_t offset);
Node u64(const char *key, std::size_t offset);
Node i32(const char *key, std::size_t offset);
Node flag(const char *key, std::size_t offset);
Node f32(const char *key, std::size_t offset);
Node f64(const char *key, std::size_t offset);
Node ip(const char *key, std::size_t offset);
Node ipWire(const char *key, std::size_t offset);
Node mac(const char *key, std::size_t offset);
Node text(const char *key, std::size_t offset, quint8 size);
Node hexWord(const char *key, std::size_t offset);
Node bits(const char *key, std::size_t offset, quint8 size, quint8 shift, quint32 mask);
Node tos(const char *key, std::size_t offset);
Node precedence(const char *key, std::size_t offset);
Node dscp(const char *key, std::size_t offset);
Node object(const char *key, std::size_t offset, Table children);
Node array(const char *key, std::size_t offset, std::size_t count, std::size_t stride, Table element);
// An array of plain values: the element is the single unnamed field.
Node values(const char *key, std::size_t offset, std::size_t count, std::size_t stride, Node element);
Node derived(const char *key, Derive derive);
// The element's number from 1, under key (a stream's "stream").
Node index(const char *key);

// The JSON object of a block. source gives the blocks derived values read;
// block is what the table's own fields read.
QJsonObject toJson(const Table &table, const quint8 *block, Source source = {});

// Merges a partial JSON object onto a block: every key must be one the
// table has and may set, every value of the field's type and range. On an
// error block may be half written and error says what is wrong, naming the
// key's path ("streams[2].rate") and its range.
bool fromJson(const Table &table, const QJsonObject &json, quint8 *block, QString *error);

// The settable fields' keys, for help texts: "header.udpSource 1..65535".
QStringList describe(const Table &table);

} // namespace FieldTable
