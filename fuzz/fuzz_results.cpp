// A result file to its decoded values and results.json, without drawing a
// report (the reports target does that, a few inputs a second). The input
// is the file itself: a shorter one must not be read and leaves the record
// as it was, and is then taken as the head of a file whose tail is zeros;
// bytes past the end of a file are ignored. The values the pages and
// reports show keep their bounds for both ports. The whole JSON document
// takes some 7000 allocations, which the address sanitizer makes slow, so
// each input builds one part of it: the file header's first byte, which
// nothing decodes, picks the interfaces or one test of one port. A part
// holds no number that is not finite and as many entries as its blocks
// have. Its text is Qt's; the reports target writes the whole file.

#include "bertlayout.h"
#include "fuzzcheck.h"
#include "jitterlayout.h"
#include "multilayout.h"
#include "pinglayout.h"
#include "resultfile.h"
#include "resultjson.h"
#include "resultrecord.h"
#include "resultvalues.h"
#include "rfclayout.h"
#include "trafficlayout.h"

#include <QJsonArray>

#include <cmath>
#include <cstring>

namespace RV = ResultValues;

namespace {

bool sameRecord(const ResultRecord &a, const ResultRecord &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A value without a number is null in the document, never NaN or infinity
// (which JSON cannot hold).
bool allFinite(const QJsonValue &v)
{
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (!allFinite(it.value()))
                return false;
        }
        return true;
    }
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (const QJsonValue &e : a) {
            if (!allFinite(e))
                return false;
        }
        return true;
    }
    return !v.isDouble() || std::isfinite(v.toDouble());
}

bool isNumber(const QString &text)
{
    bool ok = false;
    return std::isfinite(text.toDouble(&ok)) && ok;
}

void checkRfc(const ResultRecord &r, int p)
{
    namespace C = RfcConfigField;
    namespace L = RfcResultLayout;
    const RfcConfigBlock &c = r.rfcConfig[p];
    const RfcResultBlock &res = r.rfcResult[p];
    const quint8 start = get8(c, C::FrlStartLoad);
    const quint8 step = get8(c, C::FrlStep);
    const std::size_t steps = RV::Rfc::frameLossSteps(start, get8(c, C::FrlEndLoad), step);
    FUZZ_CHECK(steps >= 1 && steps <= RV::Rfc::MaxSteps);
    for (std::size_t i = 0; i < L::Rows; ++i) {
        for (std::size_t s = 0; s < steps; ++s) {
            const int load = RV::Rfc::frameLossLoad(start, step, s);
            FUZZ_CHECK(load >= 0 && load <= start);
            const QString text = RV::Rfc::frameLossText(res, i, s);
            bool ok = false;
            if (RV::Rfc::stepMeasured(res, i, s))
                FUZZ_CHECK(text.toULongLong(&ok) == get32(res, L::value(i, s)) && ok);
            else
                FUZZ_CHECK(text == RV::noValue());
        }
        const RV::Rfc::RateUnit unit = RV::Rfc::rateUnit(getFloat(res, RfcSummaryField::thrRate(i)));
        FUZZ_CHECK(unit.unitsCode >= 1 && unit.unitsCode <= 3 && unit.divisor >= 1.0);
    }
    // Rows and steps the block does not have are never measured.
    FUZZ_CHECK(!RV::Rfc::stepMeasured(res, L::Rows, 0) && !RV::Rfc::stepMeasured(res, 0, L::Steps));
    FUZZ_CHECK(RV::Rfc::frameLossText(res, L::Rows, steps) == RV::noValue());
}

void checkCounters(const ResultRecord &r, int p)
{
    const RV::Traffic::Counts n = RV::Traffic::counts(r.trafficResult[p]);
    const QString coef = RV::Traffic::coefficient(n.loss, n.tx);
    FUZZ_CHECK(n.tx ? isNumber(coef) && coef.toDouble() >= 0.0 : coef == RV::noValue());

    namespace BC = BertConfigField;
    namespace BR = BertResultField;
    const quint64 bits = get64(r.bertResult[p], BR::RxBits);
    const quint64 errors = get64(r.bertResult[p], BR::ErrorBits);
    const float ber = RV::Bert::ber(bits, errors);
    FUZZ_CHECK(std::isfinite(ber) && ber >= 0.0f && (bits || ber == 0.0f));
    FUZZ_CHECK(isNumber(RV::Bert::berText(bits, errors)));
    const quint32 elapsed = get32(r.bertResult[p], BR::Elapsed);
    const quint32 lss = get32(r.bertResult[p], BR::Lss);
    const quint32 duration = get32(r.bertConfig[p], BC::Duration);
    FUZZ_CHECK(RV::Bert::percentOfElapsed(lss, elapsed) <= quint64(lss) * 100);
    FUZZ_CHECK(RV::Bert::estimate(duration, elapsed) <= duration);

    namespace S = PingStatsField;
    const quint32 sent = get32(r.pingStats[p], S::Sent);
    FUZZ_CHECK(RV::Ping::lost(sent, get32(r.pingStats[p], S::Received)) <= sent);
    FUZZ_CHECK(RV::Ping::minimum(get32(r.pingStats[p], S::Minimum)) != S::NoMinimum);

    namespace JC = JitterConfigField;
    namespace JR = JitterResultField;
    const JitterResultBlock &j = r.jitterResult[p];
    const quint64 all = get64(j, JR::RxAll);
    FUZZ_CHECK(RV::Jitter::notInOrder(all, get64(j, JR::RxInOrder)) <= all);
    FUZZ_CHECK(isNumber(RV::Jitter::countText(all)));
    for (std::size_t b = 0; b < JR::Buckets; ++b) {
        const QString share = RV::Jitter::share(get64(j, JR::bucket(b)), all, 'f', 2);
        FUZZ_CHECK(all ? isNumber(share) : share == RV::noValue());
        FUZZ_CHECK(!RV::Jitter::bucketLabel(get16(r.jitterConfig[p], JC::Threshold), b).isEmpty());
    }

    for (std::size_t i = 0; i <= MultiConfigField::Streams; ++i) {
        const RV::Multi::Stream s = RV::Multi::stream(r.multiConfig[p], r.multiResult[p], i);
        const QString loss = RV::Multi::lossCoefficient(s);
        if (!s.active) {
            FUZZ_CHECK(s.tx == 0 && s.rx == 0 && s.txBytes == 0 && loss == QLatin1String("0.000"));
            continue;
        }
        FUZZ_CHECK(i < MultiConfigField::Streams);
        FUZZ_CHECK(s.tx ? isNumber(loss) : loss == RV::noValue());
    }
}

void checkTexts(const ResultRecord &r, int p)
{
    const TraceResultBlock &t = r.traceResult[p];
    for (std::size_t k = 0; k < BlockSize::TraceHops; ++k) {
        const quint8 status = get8(t, TraceHopField::hop(k) + TraceHopField::Status);
        const QString text = RV::Trace::hopText(status, get32(t, TraceHopField::hop(k) + TraceHopField::Address));
        FUZZ_CHECK(text.isEmpty() == (status != TraceStatus::Probing && status != TraceStatus::Timeout
                                      && !RV::Trace::answered(status)));
    }
    const QString host = RV::fieldText(r.dnsResult[p].data() + DnsResultField::Name, DnsResultField::NameSize);
    FUZZ_CHECK(host.size() <= qsizetype(DnsResultField::NameSize));
    RV::Dns::statusText(get8(r.dnsResult[p], DnsResultField::Status));
}

// What a test's part must hold beyond parsing back: as many entries as its
// blocks have.
void checkPart(const ResultRecord &r, ResultJson::Test test, int p, const QJsonObject &part)
{
    const QJsonObject result = part[QLatin1String("result")].toObject();
    if (test == ResultJson::Test::Rfc2544) {
        namespace C = RfcConfigField;
        const RfcConfigBlock &c = r.rfcConfig[p];
        const std::size_t steps =
            RV::Rfc::frameLossSteps(get8(c, C::FrlStartLoad), get8(c, C::FrlEndLoad), get8(c, C::FrlStep));
        const QJsonArray rows = result[QLatin1String("rows")].toArray();
        FUZZ_CHECK(rows.size() == qsizetype(RfcResultLayout::Rows));
        for (const QJsonValue &row : rows)
            FUZZ_CHECK(row[QLatin1String("frameLoss")][QLatin1String("steps")].toArray().size() == qsizetype(steps));
    } else if (test == ResultJson::Test::Trace) {
        qsizetype hops = 0;
        for (std::size_t k = 0; k < BlockSize::TraceHops; ++k)
            hops += get8(r.traceResult[p], TraceHopField::hop(k) + TraceHopField::Status) != TraceStatus::Empty;
        FUZZ_CHECK(result[QLatin1String("hops")].toArray().size() == hops);
    } else if (test == ResultJson::Test::Dns) {
        FUZZ_CHECK(result[QLatin1String("host")].toString()
                   == RV::fieldText(r.dnsResult[p].data() + DnsResultField::Name, DnsResultField::NameSize));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    static const ResultRecord untouched;
    ResultRecord record;
    const bool whole = size >= ResultFile::Size;
    FUZZ_CHECK(record.read(input) == whole);
    if (!whole) {
        FUZZ_CHECK(sameRecord(record, untouched));
        QByteArray file(input);
        file.append(QByteArray(qsizetype(ResultFile::Size - size), '\0'));
        FUZZ_CHECK(record.read(file));
    } else if (size > ResultFile::Size) {
        ResultRecord head;
        FUZZ_CHECK(head.read(input.left(qsizetype(ResultFile::Size))));
        FUZZ_CHECK(sameRecord(head, record));
    }
    // Two digits a part, three for a byte above 99.
    const qsizetype timeLength = record.timeText().size();
    FUZZ_CHECK(timeLength >= 18 && timeLength <= 24);
    for (int p = 0; p < 2; ++p) {
        checkRfc(record, p);
        checkCounters(record, p);
        checkTexts(record, p);
    }

    const int part = (size ? data[ResultFile::Header] : 0) % (2 * ResultJson::TestCount + 1);
    if (part == 2 * ResultJson::TestCount) {
        const QJsonArray interfaces = ResultJson::interfaces(record);
        FUZZ_CHECK(interfaces.size() == 3 && allFinite(interfaces));
    } else {
        const auto test = ResultJson::Test(part % ResultJson::TestCount);
        const int port = part / ResultJson::TestCount;
        const QJsonObject built = ResultJson::test(record, test, port);
        FUZZ_CHECK(allFinite(built));
        checkPart(record, test, port, built);
    }
    return 0;
}
