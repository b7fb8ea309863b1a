#include "fieldtable.h"

#include "conversions.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace FieldTable {

namespace {

Node field(const char *key, std::size_t offset, Type type, quint8 size = 1)
{
    Node n;
    n.key = QLatin1String(key);
    n.offset = offset;
    n.type = type;
    n.size = size;
    return n;
}

quint64 readUnsigned(const quint8 *p, int size)
{
    switch (size) {
    case 1: return *p;
    case 2: return qFromLittleEndian<quint16>(p);
    case 4: return qFromLittleEndian<quint32>(p);
    default: return qFromLittleEndian<quint64>(p);
    }
}

void writeUnsigned(quint8 *p, int size, quint64 v)
{
    switch (size) {
    case 1: *p = quint8(v); break;
    case 2: qToLittleEndian<quint16>(quint16(v), p); break;
    case 4: qToLittleEndian<quint32>(quint32(v), p); break;
    default: qToLittleEndian<quint64>(v, p); break;
    }
}

QJsonValue real(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue();
}

QJsonValue read(const Node &n, const quint8 *p)
{
    switch (n.type) {
    case Type::Unsigned: return QJsonValue(double(readUnsigned(p, n.size)));
    case Type::Signed: return QJsonValue(qFromLittleEndian<qint32>(p));
    case Type::Flag: return QJsonValue(*p != 0);
    case Type::Float: {
        const quint32 bits = qFromLittleEndian<quint32>(p);
        float f = 0;
        std::memcpy(&f, &bits, sizeof f);
        return real(double(f));
    }
    case Type::Double: {
        const quint64 bits = qFromLittleEndian<quint64>(p);
        double d = 0;
        std::memcpy(&d, &bits, sizeof d);
        return real(d);
    }
    case Type::Ip: return Conv::ipToText(qFromLittleEndian<quint32>(p));
    case Type::IpWire: return Conv::ipToText(qFromLittleEndian<quint32>(p), true);
    case Type::Mac: return Conv::macToText(p);
    case Type::Text: {
        const char *s = reinterpret_cast<const char *>(p);
        return QString::fromLatin1(s, qsizetype(qstrnlen(s, n.size)));
    }
    case Type::HexWord: return QStringLiteral("%1").arg(qFromLittleEndian<quint32>(p), 8, 16, QLatin1Char('0'));
    case Type::Bits: return QJsonValue(double((readUnsigned(p, n.size) >> n.shift) & n.mask));
    case Type::TosValue: return (*p >> 1) & 0x0F;
    case Type::Precedence: return Conv::precedenceOfByte(*p);
    case Type::Dscp: return *p >> 2;
    }
    return {};
}

QString rangeText(const Node &n)
{
    QString text = QStringLiteral("%1 to %2").arg(n.min, 0, 'g', 12).arg(n.max, 0, 'g', 12);
    if (!n.unit.isEmpty())
        text += u' ' + n.unit;
    return text;
}

QList<int> allowedValues(Type type)
{
    if (type == Type::TosValue)
        return {0, 1, 2, 4, 8};
    QList<int> codes;
    for (int i = 0; i < Conv::DscpItems; ++i)
        codes << Conv::dscpCode(i);
    std::sort(codes.begin(), codes.end());
    return codes;
}

QString describeValue(const Node &n)
{
    switch (n.type) {
    case Type::Flag: return QStringLiteral("true or false");
    case Type::Ip:
    case Type::IpWire: return QStringLiteral("an IPv4 address (192.168.0.1)");
    case Type::Mac: return QStringLiteral("a MAC address (00:1a:2b:3c:4d:5e)");
    case Type::Text: return QStringLiteral("a text of up to %1 characters").arg(n.max, 0, 'g', 12);
    case Type::HexWord: return QStringLiteral("eight hex digits (aaaaaaaa)");
    case Type::TosValue:
    case Type::Dscp: {
        QStringList values;
        for (int v : allowedValues(n.type))
            values << QString::number(v);
        return QStringLiteral("one of %1").arg(values.join(QStringLiteral(", ")));
    }
    default: return QStringLiteral("a whole number from %1").arg(rangeText(n));
    }
}

bool fail(QString *error, const QString &path, const QString &what)
{
    *error = QStringLiteral("\"%1\" %2").arg(path, what);
    return false;
}

bool write(const Node &n, const QJsonValue &v, quint8 *p, const QString &path, QString *error)
{
    const QString expected = QStringLiteral("must be %1").arg(describeValue(n));
    switch (n.type) {
    case Type::Flag:
        if (!v.isBool())
            return fail(error, path, expected);
        *p = v.toBool() ? 1 : 0;
        return true;
    case Type::Ip:
    case Type::IpWire: {
        static const QRegularExpression pattern(QStringLiteral(
            "^(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])(?:\\.(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])){3}$"));
        if (!v.isString() || !pattern.match(v.toString()).hasMatch())
            return fail(error, path, expected);
        quint32 address = Conv::textToIp(v.toString());
        if (n.type == Type::IpWire)
            address = qbswap(address);
        qToLittleEndian<quint32>(address, p);
        return true;
    }
    case Type::Mac: {
        static const QRegularExpression pattern(QStringLiteral("^([0-9A-Fa-f]{2}[:-]){5}([0-9A-Fa-f]{2})$"));
        if (!v.isString() || !pattern.match(v.toString()).hasMatch())
            return fail(error, path, expected);
        Conv::textToMac(v.toString(), p);
        return true;
    }
    case Type::Text: {
        const QString s = v.toString();
        const bool printable = std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
        if (!v.isString() || s.size() > n.max || !printable)
            return fail(error, path, expected);
        std::memset(p, 0, n.size);
        const QByteArray bytes = s.toLatin1();
        std::memcpy(p, bytes.constData(), size_t(bytes.size()));
        return true;
    }
    case Type::HexWord: {
        static const QRegularExpression pattern(QStringLiteral("^[0-9A-Fa-f]{8}$"));
        if (!v.isString() || !pattern.match(v.toString()).hasMatch())
            return fail(error, path, expected);
        qToLittleEndian<quint32>(v.toString().toUInt(nullptr, 16), p);
        return true;
    }
    default:
        break;
    }

    // The numeric types.
    const double d = v.toDouble(std::nan(""));
    if (!v.isDouble() || d != std::floor(d))
        return fail(error, path, expected);
    if (n.type == Type::TosValue || n.type == Type::Dscp) {
        if (!allowedValues(n.type).contains(int(d)) || d < 0 || d > 63)
            return fail(error, path, expected);
    } else if (d < n.min || d > n.max) {
        return fail(error, path, expected);
    }
    switch (n.type) {
    case Type::Unsigned: writeUnsigned(p, n.size, quint64(d)); break;
    case Type::Signed: qToLittleEndian<qint32>(qint32(d), p); break;
    case Type::Bits: {
        const quint64 field = quint64(n.mask) << n.shift;
        writeUnsigned(p, n.size, (readUnsigned(p, n.size) & ~field) | ((quint64(d) << n.shift) & field));
        break;
    }
    case Type::TosValue: *p = quint8((*p & ~Conv::TosValueBits) | (int(d) << 1)); break;
    case Type::Precedence: *p = quint8((*p & 0x1F) | (int(d) << 5)); break;
    case Type::Dscp: *p = quint8(int(d) << 2); break;
    default: return fail(error, path, QStringLiteral("cannot be set"));
    }
    return true;
}

const quint8 *childBase(const Node &array, const Node &child, const quint8 *block, std::size_t i)
{
    return block + array.offset + i * (child.stride ? child.stride : array.stride);
}

QJsonValue value(const Node &n, const quint8 *base, Source &source);

QJsonObject objectOf(const Table &table, const quint8 *base, Source &source)
{
    QJsonObject o;
    for (const Node &n : table)
        o.insert(n.key, value(n, base, source));
    return o;
}

QJsonValue value(const Node &n, const quint8 *base, Source &source)
{
    switch (n.kind) {
    case Node::Kind::Field:
        return read(n, base + n.offset);
    case Node::Kind::Object:
        return objectOf(n.children, base + n.offset, source);
    case Node::Kind::Derived:
        return n.derive(source);
    case Node::Kind::Index:
        return int(source.index.empty() ? 1 : source.index.back() + 1);
    case Node::Kind::Array: {
        QJsonArray a;
        const std::size_t count = n.length ? std::min(n.length(source), n.count) : n.count;
        for (std::size_t i = 0; i < count; ++i) {
            source.index.push_back(i);
            if (!n.skip || !n.skip(source)) {
                if (n.children.size() == 1 && n.children.front().key.isEmpty()) {
                    const Node &c = n.children.front();
                    a << value(c, childBase(n, c, base, i), source);
                } else {
                    QJsonObject o;
                    for (const Node &c : n.children)
                        o.insert(c.key, value(c, childBase(n, c, base, i), source));
                    a << o;
                }
            }
            source.index.pop_back();
        }
        return a;
    }
    }
    return {};
}

bool merge(const Table &table, const QJsonObject &json, quint8 *base, const QString &prefix, std::size_t element,
           QString *error);

bool mergeNode(const Node &n, const QJsonValue &v, quint8 *base, const QString &path, std::size_t element,
               QString *error)
{
    switch (n.kind) {
    case Node::Kind::Field:
        if (!n.settable())
            return fail(error, path, QStringLiteral("cannot be set"));
        return write(n, v, base + n.offset, path, error);
    case Node::Kind::Derived:
        return fail(error, path, QStringLiteral("is a result and cannot be set"));
    case Node::Kind::Index:
        if (v.toDouble(-1) != double(element + 1))
            return fail(error, path, QStringLiteral("must be %1 here, or left out").arg(element + 1));
        return true;
    case Node::Kind::Object:
        if (!v.isObject())
            return fail(error, path, QStringLiteral("must be an object"));
        return merge(n.children, v.toObject(), base + n.offset, path + u'.', element, error);
    case Node::Kind::Array: {
        if (!v.isArray())
            return fail(error, path, QStringLiteral("must be an array"));
        const QJsonArray a = v.toArray();
        if (std::size_t(a.size()) > n.count)
            return fail(error, path, QStringLiteral("has at most %1 elements").arg(n.count));
        const bool scalar = n.children.size() == 1 && n.children.front().key.isEmpty();
        for (qsizetype i = 0; i < a.size(); ++i) {
            const QString at = QStringLiteral("%1[%2]").arg(path).arg(i);
            if (scalar) {
                const Node &c = n.children.front();
                if (!mergeNode(c, a.at(i), const_cast<quint8 *>(childBase(n, c, base, std::size_t(i))), at,
                               std::size_t(i), error))
                    return false;
                continue;
            }
            if (!a.at(i).isObject())
                return fail(error, at, QStringLiteral("must be an object"));
            const QJsonObject o = a.at(i).toObject();
            for (auto it = o.begin(); it != o.end(); ++it) {
                const auto child = std::find_if(n.children.begin(), n.children.end(),
                                                [&](const Node &c) { return c.key == it.key(); });
                if (child == n.children.end())
                    return fail(error, at + u'.' + it.key(), QStringLiteral("is not a key of %1").arg(at));
                quint8 *childAt = const_cast<quint8 *>(childBase(n, *child, base, std::size_t(i)));
                if (!mergeNode(*child, it.value(), childAt, at + u'.' + it.key(), std::size_t(i), error))
                    return false;
            }
        }
        return true;
    }
    }
    return false;
}

bool merge(const Table &table, const QJsonObject &json, quint8 *base, const QString &prefix, std::size_t element,
           QString *error)
{
    for (auto it = json.begin(); it != json.end(); ++it) {
        const auto n = std::find_if(table.begin(), table.end(), [&](const Node &c) { return c.key == it.key(); });
        if (n == table.end()) {
            *error = QStringLiteral("\"%1%2\" is not a key of this configuration").arg(prefix, it.key());
            return false;
        }
        if (!mergeNode(*n, it.value(), base, prefix + it.key(), element, error))
            return false;
    }
    return true;
}

void describeInto(const Table &table, const QString &prefix, QStringList &out)
{
    for (const Node &n : table) {
        const QString path = prefix + n.key;
        if (n.kind == Node::Kind::Object)
            describeInto(n.children, path + u'.', out);
        else if (n.kind == Node::Kind::Array && n.children.size() == 1 && n.children.front().key.isEmpty())
            describeInto({n.children.front()}, path + QStringLiteral("[0..%1]").arg(n.count - 1), out);
        else if (n.kind == Node::Kind::Array)
            describeInto(n.children, path + QStringLiteral("[0..%1].").arg(n.count - 1), out);
        else if (n.kind == Node::Kind::Field && n.settable())
            out << QStringLiteral("%1: %2").arg(path, describeValue(n));
    }
}

} // namespace

Node u8(const char *key, std::size_t offset) { return field(key, offset, Type::Unsigned, 1); }
Node u16(const char *key, std::size_t offset) { return field(key, offset, Type::Unsigned, 2); }
Node u32(const char *key, std::size_t offset) { return field(key, offset, Type::Unsigned, 4); }
Node u64(const char *key, std::size_t offset) { return field(key, offset, Type::Unsigned, 8); }
Node i32(const char *key, std::size_t offset) { return field(key, offset, Type::Signed, 4); }
Node flag(const char *key, std::size_t offset) { return field(key, offset, Type::Flag).in(0, 1); }
Node f32(const char *key, std::size_t offset) { return field(key, offset, Type::Float, 4); }
Node f64(const char *key, std::size_t offset) { return field(key, offset, Type::Double, 8); }
Node ip(const char *key, std::size_t offset) { return field(key, offset, Type::Ip, 4).in(0, 0); }
Node ipWire(const char *key, std::size_t offset) { return field(key, offset, Type::IpWire, 4); }
Node mac(const char *key, std::size_t offset) { return field(key, offset, Type::Mac, 6).in(0, 0); }
Node text(const char *key, std::size_t offset, quint8 size) { return field(key, offset, Type::Text, size); }
Node hexWord(const char *key, std::size_t offset) { return field(key, offset, Type::HexWord, 4).in(0, 0); }
Node tos(const char *key, std::size_t offset) { return field(key, offset, Type::TosValue).in(0, 8); }
Node precedence(const char *key, std::size_t offset) { return field(key, offset, Type::Precedence).in(0, 7); }
Node dscp(const char *key, std::size_t offset) { return field(key, offset, Type::Dscp).in(0, 63); }

Node bits(const char *key, std::size_t offset, quint8 size, quint8 shift, quint32 mask)
{
    Node n = field(key, offset, Type::Bits, size);
    n.shift = shift;
    n.mask = mask;
    return n;
}

Node object(const char *key, std::size_t offset, Table children)
{
    Node n;
    n.kind = Node::Kind::Object;
    n.key = QLatin1String(key);
    n.offset = offset;
    n.children = std::move(children);
    return n;
}

Node array(const char *key, std::size_t offset, std::size_t count, std::size_t stride, Table element)
{
    Node n = object(key, offset, std::move(element));
    n.kind = Node::Kind::Array;
    n.count = count;
    n.stride = stride;
    return n;
}

Node values(const char *key, std::size_t offset, std::size_t count, std::size_t stride, Node element)
{
    element.key.clear();
    return array(key, offset, count, stride, {std::move(element)});
}

Node derived(const char *key, Derive derive)
{
    Node n;
    n.kind = Node::Kind::Derived;
    n.key = QLatin1String(key);
    n.derive = std::move(derive);
    return n;
}

Node index(const char *key)
{
    Node n;
    n.kind = Node::Kind::Index;
    n.key = QLatin1String(key);
    return n;
}

QJsonObject toJson(const Table &table, const quint8 *block, Source source)
{
    return objectOf(table, block, source);
}

bool fromJson(const Table &table, const QJsonObject &json, quint8 *block, QString *error)
{
    return merge(table, json, block, QString(), 0, error);
}

QStringList describe(const Table &table)
{
    QStringList out;
    describeInto(table, QString(), out);
    return out;
}

} // namespace FieldTable
