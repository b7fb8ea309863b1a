#include "testpaths.h"
#include "bertlayout.h"
#include "headerfields.h"
#include "iflayout.h"
#include "lblayout.h"
#include "pinglayout.h"
#include "reporttext.h"
#include "resultfile.h"
#include "resultfiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstring>

namespace {

using Leaves = QMap<QString, QJsonValue>;
enum Kind { U8 = 1, U16 = 2, U32 = 4, U64 = 8, Flag, Ip, IpLow, Mac, Hex, Tos, Dscp, Text, F32, F64 };
struct Field { const char *key; std::size_t at; Kind kind; };

// A result file with a distinct value in every field that results.json
// shows, and every leaf results.json must hold for it, by its path
// ("ports/0/bert/config/rate"). Fields take their values in the order they
// are named; what decides which entries exist (counts, statuses, frame-loss
// bounds) is set explicitly.
struct DistinctFile
{
    QByteArray bytes = QByteArray(qsizetype(ResultFile::Size), '\0');
    Leaves leaves;
    quint64 k = 0; // values handed out so far

    quint64 put(std::size_t at, quint64 v, int size)
    {
        for (int i = 0; i < size; ++i)
            bytes[qsizetype(at) + i] = char(v >> 8 * i);
        return v;
    }
    // Every byte of a wider field is non-zero; floats are exact.
    quint64 fresh(std::size_t at, int size)
    {
        const quint64 v[] = {1 + ++k % 250, 0x101 + k, 0x01010101 + k * 0x10101, k * 0x100000001};
        return put(at, v[size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3], size);
    }
    double operator[](const QString &path) const { return leaves.value(path).toDouble(); }
    void set(const QString &path, std::size_t at, quint64 v, int size) { leaves[path] = double(put(at, v, size)); }
    void add(const QString &path, std::size_t base, std::initializer_list<Field> fields)
    {
        for (const Field &f : fields) {
            const QString key = path + QLatin1String(f.key);
            const std::size_t at = base + f.at;
            const double real = double(++k) + 0.5;
            const float single = float(real);
            QStringList parts;
            quint64 bits = 0;
            switch (f.kind) {
            case Flag: leaves[key] = put(at, k % 2, 1) == 1; break;
            case Ip:
            case IpLow:
                bits = fresh(at, 4);
                for (int i = 0; i < 4; ++i)
                    parts << QString::number(bits >> 8 * (f.kind == IpLow ? i : 3 - i) & 0xFF).rightJustified(3, u'0');
                leaves[key] = parts.join(u'.');
                break;
            case Mac:
                for (int i = 0; i < 6; ++i)
                    parts << QString::number(fresh(at + i, 1), 16).rightJustified(2, u'0');
                leaves[key] = parts.join(u':');
                break;
            case Hex: leaves[key] = QString::number(fresh(at, 4), 16).rightJustified(8, u'0'); break;
            case Tos: // precedence in bits 7..5, the ToS value in 4..1
                bits = fresh(at, 1);
                leaves[key + "precedence"] = double(bits >> 5);
                leaves[key + "tos"] = double(bits >> 1 & 0x0F);
                break;
            case Dscp: leaves[key] = double(put(at, (1 + k % 63) << 2, 1) >> 2); break;
            case Text:
                leaves[key] = QStringLiteral("host%1.example").arg(k);
                bytes.replace(qsizetype(at), leaves[key].toString().size(), leaves[key].toString().toLatin1());
                break;
            case F32:
            case F64:
                f.kind == F32 ? std::memcpy(&bits, &single, 4) : std::memcpy(&bits, &real, 8);
                put(at, bits, f.kind == F32 ? 4 : 8);
                leaves[key] = real;
                break;
            default: leaves[key] = double(fresh(at, f.kind));
            }
        }
    }
    void header(const QString &path, std::size_t base, const HeaderFields &f)
    {
        add(path, base, {{"autoMac", f.autoMac, Flag}, {"macDestination", f.mac, Mac}, {"ipDestination", f.ip, Ip},
                         {"replaceMode", f.mode, U8}, {"", f.tos, Tos}, {"dscp", f.dscp, Dscp},
                         {"udpSource", f.udpSrc, U16}, {"udpDestination", f.udpDst, U16}});
        if (f.level3 != HeaderFields::None)
            add(path, base, {{"level3", f.level3, Flag}, {"level4", f.level4, Flag}});
    }
};

DistinctFile distinctFile()
{
    using namespace ResultFile;
    DistinctFile d;
    const int time[6] = {13, 14, 15, 16, 17, 18}; // hour .. year
    for (int i = 0; i < 6; ++i)
        d.put(TimeHour + i, time[i], 1);
    d.leaves["testTime"] = QStringLiteral("16/17/18  13:14:15");
    for (std::size_t n = 0; n < 3; ++n) {
        namespace F = IfaceConfigField;
        const std::size_t b = at(IfaceConfig, BlockSize::IfaceConfig, n);
        const QString p = QStringLiteral("interfaces/%1/").arg(n);
        d.leaves[p + "interface"] = QString::fromLatin1(n == 2 ? "RC" : n ? "B" : "A");
        d.add(p, b, {{"dhcp", F::Dhcp, Flag}, {"linkModes", F::LinkModes, U8}, {"mac", F::Mac, Mac}, {"ip", F::Ip, Ip},
                     {"mask", F::Mask, Ip}, {"gateway", F::Gateway, Ip}, {"oamMode", F::OamMode, U8}});
        // Fewer VLAN tags and more MPLS labels from A to RC, all three of
        // each filled: those beyond the count are not shown.
        d.set(p + "vlanCount", b + F::VlanCount, 3 - n, 1);
        d.set(p + "mplsCount", b + F::MplsCount, n + 1, 1);
        for (std::size_t t = 0; t < 3; ++t) {
            const double pcp = 1 + ++d.k % 7, vid = 0x100 + ++d.k, label = 0x10000 + ++d.k, qos = 1 + ++d.k % 7;
            const double ttl = ++d.k % 256, tpid = 0x8100 + ++d.k;
            d.put(b + F::tci(t), Tci::make(pcp, vid), 2);
            d.put(b + F::tpid(t), quint64(tpid), 2);
            d.put(b + F::mpls(t), Mpls::make(label, qos, ttl), 4);
            const QString v = p + QStringLiteral("vlans/%1/").arg(t), m = p + QStringLiteral("mpls/%1/").arg(t);
            for (const auto &[key, value] : {std::pair{v + "tpid", tpid}, {v + "pcp", pcp}, {v + "vid", vid}})
                if (t < 3 - n)
                    d.leaves[key] = value;
            for (const auto &[key, value] : {std::pair{m + "label", label}, {m + "qos", qos}, {m + "ttl", ttl}})
                if (t <= n)
                    d.leaves[key] = value;
        }
    }

    for (std::size_t port = 0; port < 2; ++port) {
        const QString p = QStringLiteral("ports/%1/").arg(port);
        d.leaves[p + "port"] = QString::fromLatin1(port ? "B" : "A");

        namespace BC = BertConfigField;
        namespace BR = BertResultField;
        std::size_t c = at(BertConfig, BlockSize::BertConfig, port), r = at(BertResult, BlockSize::BertResult, port);
        QString s = p + "bert/result/";
        d.add(p + "bert/config/", c, {{"pattern", BC::Pattern, U8}, {"userPattern", BC::UserPattern, Hex},
                                      {"frameSize", BC::Size, U16}, {"units", BC::Units, U8}, {"rate", BC::Rate, U16},
                                      {"duration", BC::Duration, U32}});
        d.add(s, r, {{"lss", BR::Lss, U32}, {"los", BR::Los, U32}});
        d.set(s + "rxBits", r + BR::RxBits, port ? 8000000000000 : 5000000000000, 8);
        d.set(s + "rxErrorBits", r + BR::ErrorBits, port ? 20000 : 5000, 8);
        d.set(s + "elapsed", r + BR::Elapsed, 3600 + 7 * port, 4);
        d.leaves[s + "ber"] = port ? 2.5e-9 : 1e-9;
        d.leaves[s + "estimate"] = d[p + "bert/config/duration"] - d[s + "elapsed"];
        d.leaves[s + "lssPercent"] = std::floor(d[s + "lss"] * 100 / d[s + "elapsed"]);
        d.leaves[s + "losPercent"] = std::floor(d[s + "los"] * 100 / d[s + "elapsed"]);

        namespace TC = TrafficConfigField;
        namespace TR = TrafficResultField;
        c = at(TrafficConfig, BlockSize::TrafficConfig, port), r = at(TrafficResult, BlockSize::TrafficResult, port);
        s = p + "traffic/result/";
        d.header(p + "traffic/config/header/", c, HeaderOf::Traffic);
        d.add(p + "traffic/config/", c, {{"units", TC::Units, U8}, {"rate", TC::Rate, U16},
                                         {"frameSize", TC::Length, U16}, {"duration", TC::Duration, U32},
                                         {"margin", TC::Margin, U16}});
        d.add(s, r, {{"load", TR::Load, U8}, {"txFrames", TR::TxFrames, U32}, {"rxFrames", TR::RxFrames, U32},
                     {"txBytes", TR::TxBytes, U32}, {"runt", TR::Runt, U32}, {"jabber", TR::Jabber, U32},
                     {"crc", TR::Crc, U32}, {"pause", TR::Pause, U32}});
        // Counters wrap at 32 bits.
        d.leaves[s + "lossFrames"] = double(quint32(d[s + "txFrames"]) - quint32(d[s + "rxFrames"]));
        d.leaves[s + "errorFrames"] = double(quint32(d[s + "runt"]) + quint32(d[s + "jabber"]) + quint32(d[s + "crc"]));

        namespace PC = PingConfigField;
        namespace PR = PingResultField;
        namespace PS = PingStatsField;
        c = at(PingConfig, BlockSize::PingConfig, port), r = at(PingStats, BlockSize::PingStats, port);
        s = p + "ping/result/";
        d.add(p + "ping/config/", c,
              {{"ipDestination", PC::IpDst, Ip}, {"frameSize", PC::FrameSize, U16}, {"pause", PC::Pause, U16}});
        for (std::size_t i = 0; i < (port ? 2 : PR::Rows); ++i)
            d.add(s + QStringLiteral("requests/%1/").arg(i), at(PingResult, BlockSize::PingResult, port) + PR::row(i),
                  {{"status", PR::Status, U8}, {"sequence", PR::Sequence, U16}, {"latency", PR::Latency, U32}});
        d.add(s, r, {{"sent", PS::Sent, U32}, {"received", PS::Received, U32}, {"average", PS::Average, F32},
                     {"minimum", PS::Minimum, U32}, {"maximum", PS::Maximum, U32}});
        d.leaves[s + "lost"] = port ? 0 : 3; // port B received more than it sent
        if (!port) { // three lost, and no answer yet
            d.set(s + "sent", r + PS::Sent, quint64(d[s + "received"]) + 3, 4);
            d.put(r + PS::Minimum, PS::NoMinimum, 4);
            d.leaves[s + "minimum"] = 0;
        }

        namespace H = TraceHopField;
        c = at(TraceConfig, BlockSize::TraceConfig, port), r = at(TraceResult, BlockSize::TraceResult, port);
        d.add(p + "trace/config/", c,
              {{"ipDestination", PC::IpDst, Ip}, {"frameSize", PC::FrameSize, U16}, {"pause", PC::Pause, U16}});
        const std::size_t hops[][2] = {{0, TraceStatus::Ok}, {1, TraceStatus::Timeout}, {7, TraceStatus::Probing},
                                       {254, TraceStatus::Reached}};
        for (std::size_t i = 0; i < (port ? 1 : 4); ++i) {
            s = p + QStringLiteral("trace/result/hops/%1/").arg(i);
            d.set(s + "status", r + H::hop(hops[i][0]) + H::Status, hops[i][1], 1);
            d.add(s, r + H::hop(hops[i][0]),
                  {{"hop", H::Number, U8}, {"address", H::Address, IpLow}, {"latency", H::Latency, U32}});
        }

        d.add(p + "dns/config/", at(DnsConfig, BlockSize::DnsConfig, port), {{"host", DnsConfigField::Name, Text}});
        d.add(p + "dns/result/", at(DnsResult, BlockSize::DnsResult, port),
              {{"host", DnsResultField::Name, Text}, {"status", DnsResultField::Status, U8},
               {"address", DnsResultField::Address, IpLow}});

        namespace JC = JitterConfigField;
        namespace JR = JitterResultField;
        c = at(JitterConfig, BlockSize::JitterConfig, port), r = at(JitterResult, BlockSize::JitterResult, port);
        s = p + "jitter/result/";
        d.header(p + "jitter/config/header/", c, HeaderOf::Jitter);
        d.add(p + "jitter/config/", c, {{"units", JC::Units, U8}, {"rate", JC::Rate, U8},
                                        {"frameSize", JC::Length, U16}, {"duration", JC::Duration, U32}});
        const int width = port ? 2 : 1; // of a bucket, in whole units
        d.set(p + "jitter/config/threshold", c + JC::Threshold, 8 * width, 2);
        d.add(s, r, {{"inOrder", JR::RxInOrder, U64}, {"all", JR::RxAll, U64}});
        if (port) // nothing received: no shares
            d.set(s + "all", r + JR::RxAll, 0, 8);
        d.leaves[s + "notInOrder"] = port ? 0 : d[s + "all"] - d[s + "inOrder"];
        for (std::size_t j = 0; j < JR::Buckets; ++j) {
            const QString b = s + QStringLiteral("buckets/%1/").arg(j);
            d.add(b, r + JR::bucket(j), {{"count", 0, U64}});
            d.leaves[b + "percent"] = port ? QJsonValue() : d[b + "count"] * 100 / d[s + "all"];
            d.leaves[b + "label"] = j == 8 ? QStringLiteral(">=%1.000").arg(8 * width)
                                           : QStringLiteral("%1.000-%2.000").arg(j * width).arg((j + 1) * width);
        }

        namespace RC = RfcConfigField;
        namespace RS = RfcSummaryField;
        namespace RL = RfcResultLayout;
        c = at(RfcConfig, BlockSize::RfcConfig, port), r = at(RfcResult, RL::Size, port);
        const QString q = p + "rfc2544/config/";
        d.header(q + "header/", c, HeaderOf::Rfc);
        d.add(q, c, {{"throughput/enabled", RC::ThrEnabled, Flag}, {"throughput/sample", RC::ThrSample, U32},
                     {"throughput/startLoad", RC::ThrStartLoad, U8}, {"throughput/endLoad", RC::ThrEndLoad, U8},
                     {"latency/enabled", RC::LatEnabled, Flag}, {"latency/interval", RC::LatInterval, U32},
                     {"latency/iterations", RC::LatIterations, U32}, {"latency/userLoading", RC::LatUserLoading, Flag},
                     {"frameLoss/enabled", RC::FrlEnabled, Flag}, {"frameLoss/sample", RC::FrlSample, U32},
                     {"backToBack/enabled", RC::BtbEnabled, Flag}, {"backToBack/minInterval", RC::BtbMin, U16},
                     {"backToBack/maxInterval", RC::BtbMax, U16}, {"backToBack/iterations", RC::BtbIterations, U16}});
        // 90 down to 75 by 5 on port A; one step on port B.
        d.set(q + "frameLoss/startLoad", c + RC::FrlStartLoad, port ? 40 : 90, 1);
        d.set(q + "frameLoss/endLoad", c + RC::FrlEndLoad, port ? 40 : 75, 1);
        d.set(q + "frameLoss/step", c + RC::FrlStep, 5, 1);
        for (std::size_t i = 0; i < RC::Slots; ++i) {
            s = p + QStringLiteral("rfc2544/result/rows/%1/").arg(i);
            d.add(q + QStringLiteral("frameSizes/%1/").arg(i), c,
                  {{"enabled", RC::slotEnabled(i), Flag}, {"frameSize", RC::slotSize(i), U16}});
            d.add(q + QStringLiteral("latency/userLoads/%1").arg(i), c + RC::latUserLoad(i), {{"", 0, U8}});
            d.add(s, r, {{"frameLength", RS::frameLength(i), U16}, {"throughput/status", RS::thrStatus(i), U8},
                         {"throughput/load", RS::thrLoad(i), F32}, {"throughput/bps", RS::thrRate(i), F32},
                         {"latency/status", RS::latStatus(i), U8}, {"latency/ns", RS::latValue(i), F64},
                         {"backToBack/status", RS::btbStatus(i), U8}, {"backToBack/minT", RS::btbMin(i), U16},
                         {"backToBack/maxT", RS::btbMax(i), U16}, {"frameLoss/status", RS::frlStatus(i), U8}});
            for (std::size_t t = 0; t < (port ? 1 : 4); ++t)
                d.add(s + QStringLiteral("frameLoss/steps/%1/").arg(t), r,
                      {{"load", RL::byte(i, t), U8}, {"loss", RL::value(i, t), U32}});
        }
        if (port) { // a load that is not a number has none
            d.put(r + RS::thrLoad(0), 0x7FC00000, 4);
            d.leaves[p + "rfc2544/result/rows/0/throughput/load"] = QJsonValue();
        }

        namespace MF = MultiConfigField;
        namespace MS = MultiStreamField;
        namespace MR = MultiResultField;
        c = at(MultiConfig, BlockSize::MultiConfig, port), r = at(MultiResult, BlockSize::MultiResult, port);
        d.add(p + "multistream/config/", c, {{"duration", MF::Duration, U32}, {"margin", MF::Margin, U16}});
        d.add(p + "multistream/result/", r, {{"present", MR::Present, Flag}});
        for (std::size_t i = 0; i < MF::Streams; ++i) {
            const QString qs = p + QStringLiteral("multistream/config/streams/%1/").arg(i);
            s = p + QStringLiteral("multistream/result/streams/%1/").arg(i);
            d.leaves[qs + "stream"] = d.leaves[s + "stream"] = int(i + 1);
            d.header(qs + "header/", c + MF::stream(i), HeaderOf::MultiStream);
            d.add(qs, c + MF::stream(i), {{"active", MS::Active, Flag}, {"units", MS::Units, U8},
                                          {"rate", MS::Rate, U16}, {"frameSize", MS::Length, U16}});
            d.add(s, r + MR::stream(i), {{"load", MR::Load, U8}, {"txFrames", MR::TxFrames, U32},
                                         {"rxFrames", MR::RxFrames, U32}, {"latency", MR::Latency, U32}});
            d.leaves[s + "txBytes"] = d[s + "txFrames"] * d[qs + "frameSize"];
            d.leaves[s + "lossFrames"] = double(quint32(d[s + "txFrames"]) - quint32(d[s + "rxFrames"]));
            if (!d.leaves[qs + "active"].toBool()) // an inactive stream shows zeros
                for (const char *key : {"load", "txFrames", "rxFrames", "txBytes", "lossFrames", "latency"})
                    d.leaves[s + key] = 0;
        }

        namespace LB = LbConfigField;
        d.add(p + "loopback/config/", at(LbConfig, BlockSize::LbConfig, port),
              {{"replaceIpSource", LB::ReplaceIpSrc, Flag}, {"ipSource", LB::IpSrc, Ip},
               {"replaceIpDestination", LB::ReplaceIpDst, Flag}, {"ipDestination", LB::IpDst, Ip},
               {"replaceMode", LB::ReplaceMode, U8}, {"", LB::Tos, Tos}, {"dscp", LB::Dscp, Dscp},
               {"replaceVlan", LB::ReplaceVlan, Flag}, {"vlan", LB::Vlan, U32},
               {"replacePriority", LB::ReplacePrio, Flag}, {"priority", LB::Prio, U8},
               {"replaceMacSource", LB::ReplaceMacSrc, Flag}, {"macSource", LB::MacSrc, Mac},
               {"replaceMacDestination", LB::ReplaceMacDst, Flag}, {"macDestination", LB::MacDst, Mac}});
    }
    return d;
}

// Every leaf of a document by its path; an empty list or object is a leaf.
void flatten(const QJsonValue &v, const QString &path, Leaves &out)
{
    const QJsonObject o = v.toObject();
    const QJsonArray a = v.toArray();
    for (auto it = o.begin(); it != o.end(); ++it)
        flatten(it.value(), path + it.key() + u'/', out);
    for (qsizetype i = 0; i < a.size(); ++i)
        flatten(a.at(i), path + QString::number(i) + u'/', out);
    if (o.isEmpty() && a.isEmpty())
        out[path.chopped(1)] = v;
}

// RFC 4180 as a spreadsheet reads it: quoted fields may hold commas,
// doubled quotes and line breaks; every line ends in CR LF.
QList<QStringList> parseCsv(const QString &text, QString *problem)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (quoted) {
            if (ch != u'"')
                cell += ch;
            else if (i + 1 < text.size() && text.at(i + 1) == u'"')
                cell += text.at(++i);
            else
                quoted = false;
        } else if (ch == u'"' && cell.isEmpty()) {
            quoted = true;
        } else if (ch == u',') {
            row << cell;
            cell.clear();
        } else if (ch == u'\r' && text.mid(i, 2) == QLatin1String("\r\n")) {
            rows << (row << cell);
            row.clear();
            cell.clear();
            ++i;
        } else if (ch == u'\n' || ch == u'\r' || ch == u'"') {
            *problem = QStringLiteral("a bare line end or quote in line %1").arg(rows.size() + 1);
        } else {
            cell += ch;
        }
    }
    if (quoted || !row.isEmpty() || !cell.isEmpty())
        *problem = QStringLiteral("the last line is not ended");
    return rows;
}

// The value a CSV column of an item's row stands for: the column's path
// walked through the JSON of the port, an array taking the numbered element
// a path names or else the row's item. Undefined when there is none; path
// is where it was found, as flatten() names it.
QJsonValue valueAt(QJsonValue v, const QString &column, qsizetype item, QString *path)
{
    const QStringList parts = column.section(u'_', 0, 0).split(u'.');
    const auto element = [&](qsizetype i) {
        *path += QString::number(i) + u'/';
        return v.toArray().at(i);
    };
    path->clear();
    for (const QString &part : parts) {
        bool numbered = false;
        const int n = part.toInt(&numbered);
        if (v.isArray()) {
            v = element(numbered ? n - 1 : item);
            if (numbered)
                continue;
        }
        if (!v.isObject())
            return QJsonValue::Undefined;
        v = v.toObject().value(part);
        *path += part + u'/';
    }
    if (v.isArray())
        v = element(item);
    path->chop(1);
    return v;
}

// The rows a port's part must have: one per element of its longest array
// outside an array, at least one (the interface's tags are columns).
qsizetype itemsOf(const QJsonValue &v)
{
    qsizetype most = v.isArray() ? v.toArray().size() : 1;
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it)
        most = std::max(most, itemsOf(it.value()));
    return most;
}

} // namespace

// QVRemote --report as a script runs it: no display, exit codes, one line
// per file written and a summary, errors on stderr. Also the window's own
// options, where a mistake ends the program before any window shows.
class TestReportCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void run_data();
    void run();
    void json();
    void csv_data();
    void csv();
    void windowOptions_data();
    void windowOptions();

private:
    struct Result
    {
        int code = -1;
        QStringList out;
        QString err;
    };
    // window: with a (virtual) screen, as the window's options need one.
    Result qvremote(const QStringList &args, bool window = false);
    QTemporaryDir m_dir;
    QString m_typical;
    QString m_short;
};

void TestReportCommand::initTestCase()
{
    const auto save = [this](const char *name, const QByteArray &data) {
        QFile f(m_dir.filePath(QLatin1String(name)));
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
            qFatal("cannot write %s", name);
        return f.fileName();
    };
    m_typical = save("typical.res", ResultFiles::typical());
    m_short = save("short.res", ResultFiles::tooShort());
}

TestReportCommand::Result TestReportCommand::qvremote(const QStringList &args, bool window)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (window) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // As in a desktop session: Qt complains on stderr without one.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    } else
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the mode picks its own
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(QVREMOTE_PATH), args);
    Result r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void TestReportCommand::run_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("input"); // "typical", "short", "missing", "folder"
    QTest::addColumn<bool>("outIsFile");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("summary"); // the last line of stdout, or a part of stderr

    const QStringList all{"bert.pdf", "jitter.pdf", "multi.pdf", "ping.pdf", "rfc2544.pdf", "trace.pdf", "traffic.pdf"};
    QTest::newRow("all seven") << QStringList{} << "typical" << false << 0 << all << "Result PDFs created.";
    QTest::newRow("mask hex") << QStringList{"--mask", "0x120"} << "typical" << false << 0
                              << QStringList{"bert.pdf", "traffic.pdf"} << "Result PDFs created.";
    QTest::newRow("mask decimal") << QStringList{"--mask", "2048"} << "typical" << false << 0
                                  << QStringList{"multi.pdf"} << "Result PDFs created.";
    QTest::newRow("mask 0") << QStringList{"--mask", "0"} << "typical" << false << 0 << QStringList{}
                            << "No report was selected: no PDF was written.";
    QTest::newRow("header options") << QStringList{"--mask", "0x100", "--serial-number", "4321", "--speeds", "0,3", "--qvb"}
                                    << "typical" << false << 0 << QStringList{"bert.pdf"} << "Result PDFs created.";
    QTest::newRow("russian") << QStringList{"--mask", "0x100", "--lang", "ru"} << "typical" << false << 0
                             << QStringList{"bert.pdf"} << "PDF-отчёты созданы.";
    QTest::newRow("unwritable folder") << QStringList{} << "typical" << true << 1 << QStringList{} << "could not be created";
    QTest::newRow("short file") << QStringList{} << "short" << false << 3 << QStringList{} << "16367 bytes";
    QTest::newRow("missing file") << QStringList{} << "missing" << false << 3 << QStringList{} << "cannot be read";
    QTest::newRow("bad mask") << QStringList{"--mask", "12x"} << "typical" << false << 2 << QStringList{} << "--mask";
    QTest::newRow("octal-looking mask is decimal") << QStringList{"--mask", "0256"} << "typical" << false << 0
                                                   << QStringList{"bert.pdf"} << "Result PDFs created.";
    QTest::newRow("bad language") << QStringList{"--lang", "de"} << "typical" << false << 2 << QStringList{} << "--lang";
    QTest::newRow("bad speeds") << QStringList{"--speeds", "1"} << "typical" << false << 2 << QStringList{} << "--speeds";
    QTest::newRow("serial too big") << QStringList{"--serial-number", "70000"} << "typical" << false << 2
                                    << QStringList{} << "--serial-number";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "typical" << false << 2 << QStringList{} << "colour";
    QTest::newRow("no output folder") << QStringList{"NO-OUT"} << "typical" << false << 2 << QStringList{} << "--out";
    QTest::newRow("result file is a folder") << QStringList{} << "folder" << false << 3 << QStringList{}
                                             << "is a folder, not a result file";
    QTest::newRow("output folder is a file") << QStringList{"OUT-FILE"} << "typical" << false << 1 << QStringList{}
                                             << "could not be created";
    QTest::newRow("output folder cannot be made") << QStringList{"NO-OUT", "--out", "/proc/qvremote-reports"}
                                                  << "typical" << false << 1 << QStringList{} << "could not be created";
    QTest::newRow("value missing") << QStringList{"--lang"} << "typical" << false << 2 << QStringList{} << "--lang";
    QTest::newRow("mask of no report") << QStringList{"--mask", "0x1"} << "typical" << false << 2 << QStringList{}
                                       << "--mask 0x1 has bits of no report";
    QTest::newRow("csv beside the selected PDFs") << QStringList{"--mask", "0x120", "--csv"} << "typical" << false << 0
                                                  << QStringList{"bert.csv", "bert.pdf", "traffic.csv", "traffic.pdf"}
                                                  << "Result PDFs created.";
    QTest::newRow("csv cannot be written") << QStringList{"--mask", "0x100", "--csv", "CSV-BLOCKED"} << "typical"
                                           << false << 1 << QStringList{"bert.pdf"} << "bert.csv could not be written";
    QTest::newRow("speed code above 3") << QStringList{"--speeds", "1,4"} << "typical" << false << 2
                                        << QStringList{} << "--speeds takes two codes from 0 to 3";
}

void TestReportCommand::run()
{
    QFETCH(QStringList, options);
    QFETCH(QString, input);
    QFETCH(bool, outIsFile);
    QFETCH(int, code);
    QFETCH(QStringList, files);
    QFETCH(QString, summary);

    QTemporaryDir tmp;
    QString out = tmp.filePath(QStringLiteral("reports"));
    if (outIsFile) {
        QFile blocker(out);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        out += QStringLiteral("/inside");
    }
    if (options.removeAll(QStringLiteral("CSV-BLOCKED"))) // a folder where the CSV goes
        QVERIFY(QDir().mkpath(out + QStringLiteral("/bert.csv")));
    if (options.removeAll(QStringLiteral("OUT-FILE"))) {
        QFile blocker(out);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const QString file = input == QLatin1String("typical") ? m_typical
                       : input == QLatin1String("short")   ? m_short
                       : input == QLatin1String("folder")  ? tmp.path()
                                                           : tmp.filePath(QStringLiteral("none.res"));
    QStringList args{"--report", file};
    if (!options.contains(QLatin1String("NO-OUT")))
        args << "--out" << out;
    options.removeAll(QStringLiteral("NO-OUT"));
    args << options;

    const Result r = qvremote(args);
    QVERIFY2(r.code == code, qPrintable(QStringLiteral("exit %1\n%2").arg(r.code).arg(r.err)));
    const QStringList written = QDir(out).entryList(QDir::Files, QDir::Name);
    QCOMPARE(written, files);
    if (code == 0) {
        QCOMPARE(r.out.size(), files.size() + 1); // one line per file, then the summary
        for (int i = 0; i < files.size(); ++i)
            QVERIFY2(written.contains(QFileInfo(r.out.at(i)).fileName()), qPrintable(r.out.at(i)));
        QCOMPARE(r.out.constLast(), summary);
    } else {
        QVERIFY2(r.err.section(u'\n', 0, 0).contains(summary), qPrintable(r.err));
        QCOMPARE(r.out.size(), files.size()); // the files that were written
    }
    if (code == 3 || code == 2)
        QVERIFY(!QFileInfo::exists(out));
    if (options.contains(QLatin1String("--qvb"))) {
        const QStringList text = pdfLines(out + QStringLiteral("/bert.pdf"));
        QVERIFY(missingInOrder(text, {"Device ZORT-QVB", "Serial number 4321", "Link speed No Sync"}).isEmpty());
        QVERIFY(!text.contains(QStringLiteral("Interface settings (Port B)")));
    }
}

// results.json of a result file with a distinct value in every field: every
// leaf of the document against the value expected of it, none missing and
// none besides.
void TestReportCommand::json()
{
    const DistinctFile distinct = distinctFile();
    QTemporaryDir tmp;
    QFile file(tmp.filePath(QStringLiteral("distinct.res")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(distinct.bytes) == distinct.bytes.size());
    file.close();
    const Result r = qvremote({"--report", file.fileName(), "--out", tmp.path(), "--mask", "0", "--json"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out.size(), 2);
    QVERIFY(r.out.at(0).endsWith(QLatin1String("results.json")));
    QFile f(tmp.filePath(QStringLiteral("results.json")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(f.readAll(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);

    Leaves actual;
    flatten(document.object(), QString(), actual);
    Leaves paths = actual;
    paths.insert(distinct.leaves);
    QStringList wrong;
    for (const QString &path : paths.keys()) {
        if (actual.value(path, QJsonValue::Undefined) != distinct.leaves.value(path, QJsonValue::Undefined))
            wrong << QStringLiteral("%1: %2, expected %3").arg(path, actual.value(path).toVariant().toString(),
                                                               distinct.leaves.value(path).toVariant().toString());
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
}

void TestReportCommand::csv_data()
{
    QTest::addColumn<QString>("input"); // "typical", "zeros", "distinct"
    QTest::addColumn<bool>("onePort");
    QTest::newRow("typical") << "typical" << false;
    QTest::newRow("one port") << "typical" << true;
    QTest::newRow("all zero") << "zeros" << false;
    QTest::newRow("distinct") << "distinct" << false;
}

// Each report's CSV against results.json of the same file: every cell is
// the value its column names for the row's port and item, every value of
// results.json for the report's test and the port's interface is in a
// cell, and the column names carry their units.
void TestReportCommand::csv()
{
    QFETCH(QString, input);
    QFETCH(bool, onePort);

    QTemporaryDir tmp;
    const QByteArray data = input == QLatin1String("typical") ? ResultFiles::typical()
                          : input == QLatin1String("zeros")   ? ResultFiles::filled(0)
                                                              : distinctFile().bytes;
    QFile file(tmp.filePath(QStringLiteral("input.res")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
    file.close();
    QStringList args{"--report", file.fileName(), "--out", tmp.path(), "--json", "--csv",
                     "--serial-number", "4321", "--speeds", "3,1"};
    if (onePort)
        args << "--qvb";
    const Result r = qvremote(args);
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QFile jsonFile(tmp.filePath(QStringLiteral("results.json")));
    QVERIFY(jsonFile.open(QIODevice::ReadOnly));
    const QJsonObject json = QJsonDocument::fromJson(jsonFile.readAll()).object();

    // The file, its test in results.json, and columns that must be there.
    const struct { const char *file, *test; QStringList columns; } reports[] = {
        {"bert.csv", "bert", {"config.duration_s", "result.estimate_s", "result.lssPercent_percent", "result.ber"}},
        {"traffic.csv", "traffic", {"config.frameSize_bytes", "config.margin_ms", "result.load_percent",
                                    "result.txBytes_bytes", "config.header.udpSource"}},
        {"ping.csv", "ping", {"config.pause_ms", "result.requests.latency_ms", "result.minimum_ms"}},
        {"trace.csv", "trace", {"result.hops.latency_ms", "result.hops.address"}},
        {"jitter.csv", "jitter", {"config.threshold_ms", "result.buckets.label_ms", "result.buckets.percent_percent"}},
        {"rfc2544.csv", "rfc2544", {"config.latency.userLoads_percent", "result.rows.frameLength_bytes",
                                    "result.rows.throughput.bps", "result.rows.latency.ns",
                                    "result.rows.frameLoss.steps.1.load_percent", "result.rows.backToBack.minT_s"}},
        {"multistream.csv", "multistream", {"config.streams.frameSize_bytes", "result.streams.load_percent",
                                            "result.streams.txBytes_bytes", "result.streams.latency_ns"}},
    };
    for (const auto &report : reports) {
        const QString name = QLatin1String(report.file);
        QVERIFY2(r.out.contains(tmp.filePath(name)), qPrintable(name));
        QFile csvFile(tmp.filePath(name));
        QVERIFY(csvFile.open(QIODevice::ReadOnly));
        QString problem;
        QList<QStringList> rows = parseCsv(QString::fromUtf8(csvFile.readAll()), &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(name + u' ' + problem));
        const QStringList header = rows.takeFirst();
        QCOMPARE(header.mid(0, 6), (QStringList{"port", "testTime", "device", "serialNumber", "linkSpeed_Mbps",
                                                "interface.dhcp"}));
        for (const QString &column : report.columns)
            QVERIFY2(header.contains(column), qPrintable(name + u' ' + column));

        QStringList wrong;
        for (int port = 0; port < 2; ++port) {
            const QJsonObject part = json.value("ports").toArray().at(port).toObject().value(report.test).toObject();
            QJsonObject iface = json.value("interfaces").toArray().at(port).toObject();
            iface.remove(QStringLiteral("interface"));
            const QJsonObject whole{{"interface", iface}, {"config", part.value("config")},
                                    {"result", part.value("result")}};
            Leaves leaves;
            flatten(whole, QString(), leaves);
            QSet<QString> found;
            QString path;
            qsizetype item = 0;
            for (const QStringList &row : std::as_const(rows)) {
                QCOMPARE(row.size(), header.size());
                if (row.first() != QLatin1String(port ? "B" : "A"))
                    continue;
                const QStringList fixed{row.first(), json.value("testTime").toString(),
                                        onePort ? "ZORT-QVB" : "ZORT-QV", "4321", port ? "10" : "1000"};
                QCOMPARE(row.mid(0, 5), fixed);
                for (qsizetype c = 5; c < header.size(); ++c) {
                    const QJsonValue v = valueAt(whole, header.at(c), item, &path);
                    const QString cell = row.at(c);
                    const bool same = v.isBool()     ? cell == QLatin1String(v.toBool() ? "true" : "false")
                                    : v.isDouble()   ? !cell.isEmpty() && cell.toDouble() == v.toDouble()
                                    : v.isString()   ? cell == v.toString()
                                                     : cell.isEmpty(); // null, or no such element
                    if (!same)
                        wrong << QStringLiteral("%1 %2 row %3 %4: \"%5\", results.json %6")
                                     .arg(name).arg(port).arg(item).arg(header.at(c), cell,
                                                                       v.toVariant().toString());
                    if (!v.isUndefined())
                        found.insert(path);
                }
                ++item;
            }
            if (port && onePort) {
                QCOMPARE(item, 0);
                continue;
            }
            QCOMPARE(item, std::max(itemsOf(part.value("config")), itemsOf(part.value("result"))));
            for (auto it = leaves.begin(); it != leaves.end(); ++it)
                if (!it.value().isArray() && !it.value().isObject() && !found.contains(it.key()))
                    wrong << QStringLiteral("%1 %2: %3 is in no cell").arg(name).arg(port).arg(it.key());
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 20).join(u'\n')));
    }
}

void TestReportCommand::windowOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("said"); // in the one line on stderr (which is Russian)
    QTest::newRow("address of three parts") << QStringList{"--connect", "10.0.0"} << "10.0.0";
    QTest::newRow("address missing") << QStringList{"--connect"} << "--connect";
    QTest::newRow("no such port") << QStringList{"--serial", "ttyQV9"} << "ttyQV9";
    QTest::newRow("empty port name") << QStringList{"--serial", " "} << "";
    QTest::newRow("both links") << QStringList{"--connect", "10.0.0.1", "--serial", "ttyS0"} << "--serial";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "colour";
    QTest::newRow("stray argument") << QStringList{"10.0.0.1"} << "10.0.0.1";
}

void TestReportCommand::windowOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    const Result r = qvremote(args, true);
    QVERIFY2(r.code == 2, qPrintable(QStringLiteral("exit %1\n%2").arg(r.code).arg(r.err)));
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() == 1 && lines.first().contains(said), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

QTEST_MAIN(TestReportCommand)
#include "tst_reportcommand.moc"
