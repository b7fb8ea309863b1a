#include "resultjson.h"

#include "resultrecord.h"
#include "testfields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace {

using TestFields::Test;

// The tests a result file holds, in ResultJson::Test order.
constexpr Test kTests[ResultJson::TestCount] = {
    Test::Bert, Test::Traffic, Test::Ping, Test::Trace, Test::Dns,
    Test::Jitter, Test::Rfc2544, Test::Multistream, Test::Loopback,
};

QJsonObject iface(const IfaceConfigBlock &b, const char *name)
{
    const QByteArray bytes(reinterpret_cast<const char *>(b.data()), qsizetype(b.size()));
    QJsonObject o = TestFields::json(Test::Interface, bytes, {}).value(QStringLiteral("config")).toObject();
    o.insert(QStringLiteral("interface"), QLatin1String(name));
    return o;
}

} // namespace

QJsonArray ResultJson::interfaces(const ResultRecord &r)
{
    return {iface(r.iface[0], "A"), iface(r.iface[1], "B"), iface(r.iface[2], "RC")};
}

QJsonObject ResultJson::test(const ResultRecord &record, Test test, int port)
{
    const TestFields::Test t = kTests[int(test)];
    return TestFields::json(t, TestFields::configBytes(record, t, port), TestFields::resultBytes(record, t, port));
}

QJsonObject ResultJson::fromRecord(const ResultRecord &r)
{
    QJsonArray ports;
    for (int p = 0; p < 2; ++p) {
        QJsonObject port{{QStringLiteral("port"), p ? QStringLiteral("B") : QStringLiteral("A")}};
        for (int t = 0; t < TestCount; ++t)
            port.insert(TestFields::name(kTests[t]), test(r, Test(t), p));
        ports << port;
    }
    return {
        {QStringLiteral("testTime"), r.timeText()},
        {QStringLiteral("interfaces"), interfaces(r)},
        {QStringLiteral("ports"), ports},
    };
}

bool ResultJson::write(const ResultRecord &record, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(fromRecord(record)).toJson(QJsonDocument::Indented));
    return file.commit();
}
