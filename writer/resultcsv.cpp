#include "resultcsv.h"

#include "csv.h"
#include "reportwriter.h"
#include "resultrecord.h"
#include "testfields.h"

#include <QDir>
#include <QJsonArray>
#include <QSaveFile>

namespace ResultCsv {

namespace {

using FieldTable::Node;
using TestFields::Test;

// ReportSections::Report order.
constexpr Test kTests[ReportSections::Count] = {
    Test::Bert, Test::Traffic, Test::Ping, Test::Trace, Test::Jitter, Test::Rfc2544, Test::Multistream,
};

struct Cell
{
    QString column;
    QString text;
};
using Cells = QList<Cell>;

// "%" is no character of a name; a key that names its own unit ("ns",
// "bps") does not repeat it.
QString column(const QString &path, const QString &key, const QString &unit)
{
    if (unit.isEmpty() || key == unit)
        return path;
    return path + u'_' + (unit == QLatin1String("%") ? QStringLiteral("percent") : unit);
}

QString text(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Bool: return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double: return Csv::number(v.toDouble());
    case QJsonValue::String: return v.toString();
    default: return {}; // null: no value
    }
}

// The cells of a node's value under path. With items, an array's elements
// go to the items of their index (the rows); without, or inside an element,
// to numbered columns.
void flatten(const Node &n, const QJsonValue &v, const QString &path, Cells &cells, QList<Cells> *items)
{
    const QString name = path + n.key;
    switch (n.kind) {
    case Node::Kind::Object:
        for (const Node &c : n.children)
            flatten(c, v.toObject().value(c.key), name + u'.', cells, items);
        return;
    case Node::Kind::Array: {
        const QJsonArray a = v.toArray();
        const bool scalar = n.children.size() == 1 && n.children.front().key.isEmpty();
        // Items' columns stay in the header when there are none (no reply yet).
        if (items && a.isEmpty()) {
            if (scalar)
                cells << Cell{column(name, n.key, n.children.front().unit), QString()};
            else
                for (const Node &c : n.children)
                    flatten(c, QJsonValue(), name + u'.', cells, nullptr);
        }
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (items && items->size() <= i)
                items->resize(i + 1);
            Cells &into = items ? (*items)[i] : cells;
            const QString element = items ? name : name + u'.' + QString::number(i + 1);
            if (scalar)
                into << Cell{column(element, n.key, n.children.front().unit), text(a.at(i))};
            else
                for (const Node &c : n.children)
                    flatten(c, a.at(i).toObject().value(c.key), element + u'.', into, nullptr);
        }
        return;
    }
    default:
        cells << Cell{column(name, n.key, n.unit), text(v)};
    }
}

void flattenTable(const FieldTable::Table &table, const QJsonObject &o, const QString &path, Cells &cells,
                  QList<Cells> *items)
{
    for (const Node &n : table)
        flatten(n, o.value(n.key), path, cells, items);
}

// The rows of one port: its own values, then those of each item.
QList<Cells> portRows(const ResultRecord &record, const ReportJob &job, Test test, int port)
{
    static const int kMbps[] = {0, 10, 100, 1000};
    const quint8 speed = port ? job.linkSpeedB : job.linkSpeedA;
    Cells own{
        {QStringLiteral("port"), port ? QStringLiteral("B") : QStringLiteral("A")},
        {QStringLiteral("testTime"), record.timeText()},
        {QStringLiteral("device"), job.model()},
        {QStringLiteral("serialNumber"), QString::number(job.serialNumber)},
        {QStringLiteral("linkSpeed_Mbps"), speed < 4 ? QString::number(kMbps[speed]) : QString()},
    };
    const IfaceConfigBlock &iface = record.iface[port];
    const QByteArray ifaceBytes(reinterpret_cast<const char *>(iface.data()), qsizetype(iface.size()));
    flattenTable(TestFields::config(Test::Interface),
                 TestFields::json(Test::Interface, ifaceBytes, {}).value(QStringLiteral("config")).toObject(),
                 QStringLiteral("interface."), own, nullptr);

    const QJsonObject json = TestFields::json(test, TestFields::configBytes(record, test, port),
                                              TestFields::resultBytes(record, test, port));
    QList<Cells> items;
    flattenTable(TestFields::config(test), json.value(QStringLiteral("config")).toObject(), QStringLiteral("config."),
                 own, &items);
    flattenTable(TestFields::result(test), json.value(QStringLiteral("result")).toObject(), QStringLiteral("result."),
                 own, &items);
    if (items.isEmpty())
        return {own};
    for (Cells &item : items)
        item = own + item;
    return items;
}

} // namespace

QString fileName(ReportSections::Report report)
{
    return TestFields::name(kTests[report]) + QStringLiteral(".csv");
}

QByteArray document(const ResultRecord &record, const ReportJob &job, ReportSections::Report report)
{
    QList<Cells> rows;
    for (int port = 0; port < (job.singlePort ? 1 : 2); ++port)
        rows += portRows(record, job, kTests[report], port);

    // Every column any row has; one a row adds (a fourth frame-loss step,
    // a third VLAN tag) goes right after the column before it in that row.
    QStringList header;
    for (const Cells &row : std::as_const(rows)) {
        qsizetype at = 0;
        for (const Cell &c : row) {
            const qsizetype known = header.indexOf(c.column);
            if (known < 0)
                header.insert(at, c.column);
            at = (known < 0 ? at : known) + 1;
        }
    }
    QList<QStringList> table;
    for (const Cells &row : std::as_const(rows)) {
        QStringList line(header.size());
        for (const Cell &c : row)
            line[header.indexOf(c.column)] = c.text;
        table << line;
    }
    return Csv::document(header, table);
}

bool write(const ResultRecord &record, const ReportJob &job, QStringList *written, QString *failed)
{
    for (int r = 0; r < ReportSections::Count; ++r) {
        if (!(job.mask & ReportWriter::Reports[r].bit))
            continue;
        const auto report = ReportSections::Report(r);
        const QString path = job.directory + u'/' + fileName(report);
        QSaveFile file(path);
        if (!QDir().mkpath(job.directory) || !file.open(QIODevice::WriteOnly)
            || file.write(document(record, job, report)) < 0 || !file.commit()) {
            *failed = path;
            return false;
        }
        *written << path;
    }
    return true;
}

} // namespace ResultCsv
