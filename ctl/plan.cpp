#include "plan.h"

#include "fieldtable.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamWriter>

#include <cmath>

namespace Plan {

namespace {

using Test = TestFields::Test;

QString tr(const char *text)
{
    return QCoreApplication::translate("Plan", text);
}

QString now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

// A step's default bound on a test that ends by itself: its configured
// duration and two minutes more, or an hour.
constexpr double kDefaultTimeout = 3600;
constexpr double kTimeoutMargin = 120;

const QRegularExpression &segmentPattern()
{
    static const QRegularExpression p(QStringLiteral("^([A-Za-z][A-Za-z0-9]*)(?:\\[(\\*|[0-9]+)\\])?$"));
    return p;
}

bool unknownKeys(const QJsonObject &o, const QSet<QString> &allowed, const QString &where, QString *error)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!allowed.contains(it.key())) {
            *error = tr("%1: \"%2\" is not a key of a plan here").arg(where, it.key());
            return true;
        }
    }
    return false;
}

std::optional<double> positive(const QJsonObject &o, const char *key, const QString &where, QString *error)
{
    if (!o.contains(QLatin1String(key)))
        return std::nullopt;
    const double v = o.value(QLatin1String(key)).toDouble(-1);
    if (!(v > 0)) {
        *error = tr("%1: \"%2\" must be a number of seconds above 0").arg(where, QLatin1String(key));
        return -1.0;
    }
    return v;
}

bool parseStep(const QJsonValue &v, int n, Step *step, QString *error)
{
    const QString where = tr("step %1").arg(n);
    if (!v.isObject()) {
        *error = tr("%1 is not an object").arg(where);
        return false;
    }
    const QJsonObject o = v.toObject();
    static const QSet<QString> keys{QStringLiteral("name"),     QStringLiteral("test"),    QStringLiteral("port"),
                                    QStringLiteral("to"),       QStringLiteral("level"),   QStringLiteral("config"),
                                    QStringLiteral("duration"), QStringLiteral("timeout"), QStringLiteral("expect"),
                                    QStringLiteral("report"),   QStringLiteral("stopOnFail")};
    if (unknownKeys(o, keys, where, error))
        return false;
    const auto test = TestFields::fromName(o.value(QLatin1String("test")).toString());
    if (!test) {
        *error = tr("%1: \"test\" must be one of %2").arg(where, TestFields::names().join(QStringLiteral(", ")));
        return false;
    }
    step->test = *test;
    step->name = o.value(QLatin1String("name")).toString(TestFields::name(*test));
    const auto port = Tester::portNumber(o.value(QLatin1String("port")).toString(QStringLiteral("A")), *test);
    const auto to = Tester::portNumber(o.value(QLatin1String("to")).toString(o.value(QLatin1String("port")).toString(QStringLiteral("A"))), *test);
    if (!port || !to) {
        *error = tr("%1: \"port\" and \"to\" must be A or B").arg(where);
        return false;
    }
    step->port = *port;
    step->to = *to;
    if (o.contains(QLatin1String("level"))) {
        const double level = o.value(QLatin1String("level")).toDouble(-1);
        if (*test != Test::Loopback || level < 1 || level > 4 || level != std::floor(level)) {
            *error = tr("%1: \"level\" is a loopback level from 1 to 4").arg(where);
            return false;
        }
        step->level = int(level);
    }
    if (o.contains(QLatin1String("config"))) {
        if (!o.value(QLatin1String("config")).isObject()) {
            *error = tr("%1: \"config\" must be an object").arg(where);
            return false;
        }
        step->config = o.value(QLatin1String("config")).toObject();
        // Keys and ranges are checked now, before anything is sent.
        QByteArray scratch(512, '\0');
        QString problem;
        if (!FieldTable::fromJson(TestFields::config(*test), step->config, reinterpret_cast<quint8 *>(scratch.data()),
                                  &problem)) {
            *error = tr("%1: config: %2").arg(where, problem);
            return false;
        }
    }
    step->duration = positive(o, "duration", where, error);
    step->timeout = positive(o, "timeout", where, error);
    if (!error->isEmpty())
        return false;
    if (Tester::kind(*test).untilStopped && !step->duration) {
        *error = tr("%1: %2 runs until it is stopped: give it a \"duration\"").arg(where, TestFields::name(*test));
        return false;
    }
    const QJsonObject expect = o.value(QLatin1String("expect")).toObject();
    for (auto it = expect.begin(); it != expect.end(); ++it) {
        Expectation e;
        e.path = it.key();
        for (const QString &segment : e.path.split(u'.')) {
            if (!segmentPattern().match(segment).hasMatch()) {
                *error = tr("%1: expect: \"%2\" is not a path like rows[*].throughput.load").arg(where, e.path);
                return false;
            }
        }
        const QJsonObject bounds = it.value().toObject();
        static const QSet<QString> boundKeys{QStringLiteral("min"), QStringLiteral("max"), QStringLiteral("equals")};
        if (bounds.isEmpty() || unknownKeys(bounds, boundKeys, where + QStringLiteral(": expect: ") + e.path, error)) {
            if (error->isEmpty())
                *error = tr("%1: expect: \"%2\" needs min, max or equals").arg(where, e.path);
            return false;
        }
        for (const char *key : {"min", "max"}) {
            if (bounds.contains(QLatin1String(key)) && !bounds.value(QLatin1String(key)).isDouble()) {
                *error = tr("%1: expect: \"%2\": %3 must be a number").arg(where, e.path, QLatin1String(key));
                return false;
            }
        }
        if (bounds.contains(QLatin1String("min")))
            e.min = bounds.value(QLatin1String("min")).toDouble();
        if (bounds.contains(QLatin1String("max")))
            e.max = bounds.value(QLatin1String("max")).toDouble();
        if (bounds.contains(QLatin1String("equals")))
            e.equals = bounds.value(QLatin1String("equals"));
        step->expect << e;
    }
    if ((o.contains(QLatin1String("report")) && !o.value(QLatin1String("report")).isBool())
        || (o.contains(QLatin1String("stopOnFail")) && !o.value(QLatin1String("stopOnFail")).isBool())) {
        *error = tr("%1: \"report\" and \"stopOnFail\" are true or false").arg(where);
        return false;
    }
    step->report = o.value(QLatin1String("report")).toBool();
    step->stopOnFail = o.value(QLatin1String("stopOnFail")).toBool();
    return true;
}

QString text(const QJsonValue &v)
{
    if (v.isString())
        return v.toString();
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

// Seconds left of a running step, when its configuration says.
QJsonValue estimate(const Step &step, const QJsonObject &config, double elapsed)
{
    double total = -1;
    if (step.duration)
        total = *step.duration;
    else if (config.contains(QLatin1String("duration")))
        total = config.value(QLatin1String("duration")).toDouble() + 2 * config.value(QLatin1String("margin")).toDouble() / 1000;
    return total < 0 ? QJsonValue() : QJsonValue(std::max(0.0, std::ceil(total - elapsed)));
}

struct StepRecord
{
    QJsonObject json;
    QString verdict; // pass, fail, error
    QStringList failures;
    QString error;
    double seconds = 0;
};

bool writeJunit(const QString &path, const Document &plan, const QList<StepRecord> &records, double seconds)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    int failures = 0, errors = 0;
    for (const StepRecord &r : records) {
        failures += r.verdict == QLatin1String("fail");
        errors += r.verdict == QLatin1String("error");
    }
    xml.writeStartElement(QStringLiteral("testsuites"));
    xml.writeStartElement(QStringLiteral("testsuite"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("qvctl plan"));
    xml.writeAttribute(QStringLiteral("tests"), QString::number(plan.steps.size()));
    xml.writeAttribute(QStringLiteral("failures"), QString::number(failures));
    xml.writeAttribute(QStringLiteral("errors"), QString::number(errors));
    xml.writeAttribute(QStringLiteral("skipped"), QString::number(plan.steps.size() - records.size()));
    xml.writeAttribute(QStringLiteral("time"), QString::number(seconds, 'f', 3));
    xml.writeAttribute(QStringLiteral("timestamp"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    for (qsizetype i = 0; i < plan.steps.size(); ++i) {
        const Step &s = plan.steps.at(i);
        xml.writeStartElement(QStringLiteral("testcase"));
        xml.writeAttribute(QStringLiteral("classname"), QStringLiteral("qvctl.") + TestFields::name(s.test));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("%1 %2 (port %3)").arg(i + 1).arg(s.name, Tester::portName(s.port)));
        if (i >= records.size()) {
            xml.writeAttribute(QStringLiteral("time"), QStringLiteral("0"));
            xml.writeEmptyElement(QStringLiteral("skipped"));
        } else {
            const StepRecord &r = records.at(i);
            xml.writeAttribute(QStringLiteral("time"), QString::number(r.seconds, 'f', 3));
            if (r.verdict == QLatin1String("fail")) {
                xml.writeStartElement(QStringLiteral("failure"));
                xml.writeAttribute(QStringLiteral("message"), r.failures.value(0));
                xml.writeCharacters(r.failures.join(u'\n'));
                xml.writeEndElement();
            } else if (r.verdict == QLatin1String("error")) {
                xml.writeStartElement(QStringLiteral("error"));
                xml.writeAttribute(QStringLiteral("message"), r.error);
                xml.writeEndElement();
            }
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError() && file.commit();
}

} // namespace

std::optional<Document> parse(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = tr("The plan is not JSON: %1 at byte %2").arg(parseError.errorString()).arg(parseError.offset);
        return std::nullopt;
    }
    if (!doc.isObject()) {
        *error = tr("The plan must be a JSON object with \"steps\"");
        return std::nullopt;
    }
    Document plan;
    plan.source = doc.object();
    static const QSet<QString> keys{QStringLiteral("name"), QStringLiteral("connect"), QStringLiteral("steps")};
    if (unknownKeys(plan.source, keys, tr("the plan"), error))
        return std::nullopt;
    plan.connect = plan.source.value(QLatin1String("connect")).toString();
    const QJsonArray steps = plan.source.value(QLatin1String("steps")).toArray();
    if (steps.isEmpty()) {
        *error = tr("The plan has no \"steps\"");
        return std::nullopt;
    }
    for (qsizetype i = 0; i < steps.size(); ++i) {
        Step step;
        if (!parseStep(steps.at(i), int(i + 1), &step, error))
            return std::nullopt;
        plan.steps << step;
    }
    return plan;
}

QJsonArray valuesAt(const QJsonValue &root, const QString &path)
{
    QJsonArray current{root};
    for (const QString &segment : path.split(u'.')) {
        const QRegularExpressionMatch m = segmentPattern().match(segment);
        QJsonArray next;
        for (const QJsonValue &v : std::as_const(current)) {
            const QJsonValue child = v.toObject().value(m.captured(1));
            if (child.isUndefined())
                continue;
            const QString index = m.captured(2);
            if (index.isEmpty())
                next << child;
            else if (index == QLatin1String("*"))
                for (const QJsonValue &e : child.toArray())
                    next << e;
            else if (index.toInt() < child.toArray().size())
                next << child.toArray().at(index.toInt());
        }
        current = next;
    }
    return current;
}

QStringList check(const Expectation &e, const QJsonObject &result)
{
    const QJsonArray values = valuesAt(result, e.path);
    if (values.isEmpty())
        return {tr("%1: the results have no such value").arg(e.path)};
    QStringList wrong;
    for (const QJsonValue &v : values) {
        if ((e.min || e.max) && !v.isDouble()) {
            wrong << tr("%1 is %2, not a number").arg(e.path, text(v));
            continue;
        }
        const double d = v.toDouble();
        if (e.min && d < *e.min)
            wrong << tr("%1 is %2, below the minimum %3").arg(e.path, text(v), text(*e.min));
        if (e.max && d > *e.max)
            wrong << tr("%1 is %2, above the maximum %3").arg(e.path, text(v), text(*e.max));
        const bool equal = e.equals && (e.equals->isDouble() && v.isDouble() ? e.equals->toDouble() == d : *e.equals == v);
        if (e.equals && !equal)
            wrong << tr("%1 is %2, not %3").arg(e.path, text(v), text(*e.equals));
    }
    return wrong;
}

int run(Tester &tester, const Document &plan, const Options &options,
        const std::function<void(const QJsonObject &)> &publish)
{
    QElapsedTimer planClock;
    planClock.start();
    const QString started = now();
    const QJsonObject device = tester.info();
    QList<StepRecord> records;
    int exitCode = Exit::Ok;
    const auto stepEvent = [&publish](const char *event, int n, QJsonObject o) {
        o.insert(QStringLiteral("event"), QLatin1String(event));
        o.insert(QStringLiteral("step"), n);
        o.insert(QStringLiteral("time"), now());
        publish(o);
    };

    for (qsizetype i = 0; i < plan.steps.size(); ++i) {
        const Step &step = plan.steps.at(i);
        const int n = int(i + 1);
        QElapsedTimer clock;
        clock.start();
        StepRecord record;
        record.json = {{QStringLiteral("step"), n},
                       {QStringLiteral("name"), step.name},
                       {QStringLiteral("test"), TestFields::name(step.test)},
                       {QStringLiteral("port"), Tester::portName(step.port)},
                       {QStringLiteral("to"), Tester::portName(step.to)},
                       {QStringLiteral("started"), now()}};
        stepEvent("start", n, {{QStringLiteral("name"), step.name},
                               {QStringLiteral("test"), TestFields::name(step.test)},
                               {QStringLiteral("port"), Tester::portName(step.port)},
                               {QStringLiteral("to"), Tester::portName(step.to)}});
        const auto error = [&](int code) {
            record.verdict = QStringLiteral("error");
            record.error = tester.failure().message;
            if (exitCode == Exit::Ok || exitCode == Exit::ExpectationFailed)
                exitCode = code;
            stepEvent("error", n, {{QStringLiteral("message"), record.error}, {QStringLiteral("exit"), code}});
        };

        bool ok = true;
        QJsonObject config;
        if (!TestFields::config(step.test).empty()) {
            const auto held = step.config.isEmpty() ? tester.config(step.test, step.port)
                                                    : tester.setConfig(step.test, step.port, step.config);
            ok = held.has_value();
            config = held.value_or(QJsonObject());
            record.json.insert(QStringLiteral("config"), config);
        }
        std::optional<QStringList> filesBefore;
        if (ok && step.report) {
            filesBefore = tester.files();
            ok = filesBefore.has_value();
        }
        const bool runs = Tester::kind(step.test).bit >= 0;
        bool startedHere = false;
        if (ok && runs) {
            ok = tester.start(step.test, step.port, step.to, step.level);
            startedHere = ok;
        }
        // Until the test ends, its duration is up, or the step's time-out.
        if (ok && runs) {
            const double limit = step.duration ? *step.duration
                : step.timeout                ? *step.timeout
                : config.contains(QLatin1String("duration"))
                ? config.value(QLatin1String("duration")).toDouble() + kTimeoutMargin
                : kDefaultTimeout;
            QElapsedTimer running;
            running.start();
            bool timedOut = false;
            const bool endsByItself = !Tester::kind(step.test).untilStopped && step.test != Test::Oam;
            while (ok) {
                const double elapsed = double(running.elapsed()) / 1000;
                if (endsByItself && !tester.running(step.test, step.port))
                    break;
                if (elapsed >= limit) {
                    timedOut = !step.duration;
                    break;
                }
                stepEvent("progress", n, {{QStringLiteral("elapsed"), double(tester.elapsed(step.port))},
                                          {QStringLiteral("estimate"), estimate(step, config, elapsed)}});
                const int ms = int(std::min(1000.0, (limit - elapsed) * 1000 + 1));
                ok = endsByItself ? tester.pauseWhileRunning(step.test, step.port, ms) : tester.pause(ms);
            }
            // What the step started, it stops: at its duration, or past its time.
            if (ok && (step.duration || timedOut || Tester::kind(step.test).untilStopped) && startedHere)
                ok = tester.stop(step.test, step.port);
            if (ok && timedOut) {
                tester.fail(Exit::Timeout, tr("%1 still ran after %2 s and was stopped.")
                                               .arg(TestFields::name(step.test))
                                               .arg(limit));
                ok = false;
            }
        }
        QJsonObject result;
        if (ok && !TestFields::result(step.test).empty()) {
            const auto r = tester.results(step.test, step.port);
            ok = r.has_value();
            result = r.value_or(QJsonObject());
            if (ok) {
                record.json.insert(QStringLiteral("results"), result);
                stepEvent("result", n, {{QStringLiteral("result"), result}});
            }
        }
        if (ok && step.report) {
            const auto after = tester.files();
            QStringList fresh;
            for (const QString &f : after.value_or(QStringList()))
                if (!filesBefore->contains(f))
                    fresh << f;
            if (!after || fresh.isEmpty()) {
                ok = after.has_value() && tester.fail(Exit::Tester, tr("The tester stored no result file for this step."));
            } else if (options.outDir.isEmpty()) {
                ok = tester.fail(Exit::Usage, tr("A step with \"report\" needs --out DIR."));
            } else {
                const QString dir = QDir(options.outDir).filePath(QStringLiteral("step-%1").arg(n));
                const auto data = tester.download(fresh.last());
                QStringList written;
                ok = data && tester.writeReports(*data, dir, 0, &written);
                if (ok) {
                    QFile raw(QDir(dir).filePath(QString(fresh.last()).remove(u'$')));
                    ok = raw.open(QIODevice::WriteOnly) && raw.write(*data) == data->size()
                        ? true
                        : tester.fail(Exit::Usage, tr("%1 could not be written.").arg(raw.fileName()));
                    record.json.insert(QStringLiteral("resultFile"), fresh.last());
                    record.json.insert(QStringLiteral("reports"), QJsonArray::fromStringList(written));
                }
            }
        }
        if (!ok) {
            const int code = tester.failure().exit;
            error(code == Exit::Ok ? Exit::Tester : code);
        } else {
            for (const Expectation &e : step.expect)
                record.failures << check(e, result);
            record.verdict = record.failures.isEmpty() ? QStringLiteral("pass") : QStringLiteral("fail");
            if (!record.failures.isEmpty() && exitCode == Exit::Ok)
                exitCode = Exit::ExpectationFailed;
            stepEvent("verdict", n, {{QStringLiteral("verdict"), record.verdict},
                                     {QStringLiteral("failures"), QJsonArray::fromStringList(record.failures)}});
        }
        record.seconds = double(clock.elapsed()) / 1000;
        record.json.insert(QStringLiteral("finished"), now());
        record.json.insert(QStringLiteral("verdict"), record.verdict);
        record.json.insert(QStringLiteral("failures"), QJsonArray::fromStringList(record.failures));
        if (!record.error.isEmpty())
            record.json.insert(QStringLiteral("error"), record.error);
        records << record;
        if (record.verdict != QLatin1String("pass") && step.stopOnFail)
            break;
        // A lost tester ends the plan: nothing after it can run.
        if (record.verdict == QLatin1String("error") && !tester.device().connected)
            break;
    }

    const double seconds = double(planClock.elapsed()) / 1000;
    if (!options.outDir.isEmpty()) {
        QJsonArray steps;
        for (const StepRecord &r : std::as_const(records))
            steps << r.json;
        const QJsonObject results{
            {QStringLiteral("schemaVersion"), 1},
            {QStringLiteral("plan"), plan.source},
            {QStringLiteral("device"), device},
            {QStringLiteral("started"), started},
            {QStringLiteral("finished"), now()},
            {QStringLiteral("steps"), steps},
            {QStringLiteral("exitCode"), exitCode},
        };
        QSaveFile file(QDir(options.outDir).filePath(QStringLiteral("plan-results.json")));
        if (!QDir().mkpath(options.outDir) || !file.open(QIODevice::WriteOnly)
            || file.write(QJsonDocument(results).toJson()) < 0 || !file.commit()) {
            publish({{QStringLiteral("event"), QStringLiteral("error")},
                  {QStringLiteral("message"), tr("%1 could not be written.").arg(file.fileName())},
                  {QStringLiteral("exit"), Exit::Usage}});
            exitCode = exitCode == Exit::Ok ? Exit::Usage : exitCode;
        }
    }
    if (!options.junitPath.isEmpty() && !writeJunit(options.junitPath, plan, records, seconds)) {
        publish({{QStringLiteral("event"), QStringLiteral("error")},
              {QStringLiteral("message"), tr("%1 could not be written.").arg(options.junitPath)},
              {QStringLiteral("exit"), Exit::Usage}});
        exitCode = exitCode == Exit::Ok ? Exit::Usage : exitCode;
    }
    return exitCode;
}

} // namespace Plan
