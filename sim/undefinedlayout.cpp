#include "undefinedlayout.h"

#include "blocksizes.h"
#include "jitterlayout.h"
#include "lblayout.h"
#include "multilayout.h"
#include "packet.h"
#include "packetfields.h"
#include "progpack.h"
#include "rfclayout.h"
#include "trafficlayout.h"

#include <cstring>

namespace UndefinedLayout {
namespace {

constexpr quint8 kKeptBit0 = 0x01; // the ToS byte's bit 0

List shifted(const List &list, std::size_t by)
{
    List out = list;
    for (Bytes &b : out)
        b.offset += by;
    return out;
}

// A zero-terminated text at offset: its characters and the zero.
Bytes text(const QByteArray &reply, std::size_t offset, std::size_t limit = Packet::CrcOffset)
{
    const char *from = reply.constData() + offset;
    return {offset, qstrnlen(from, limit - offset) + 1};
}

const List &lbConfig()
{
    static const List list{{0}, {3}, {17, 3}, {39}, {LbConfigField::Tos, 1, kKeptBit0}};
    return list;
}

const List &ifaceConfig()
{
    static const List list{{20, 2}, {23}, {37, 3}, {53, 3}};
    return list;
}

const List &trafficConfig()
{
    static const List list{{0}, {6, 2}, {12, 2}, {16, 4}, {TrafficConfigField::Tos, 1, kKeptBit0}};
    return list;
}

const List &rfcConfig()
{
    static const List list = [] {
        List l{{0, 4}, {22, 6}, {38, 2}, {57, 3}, {67}, {106, 2}, {RfcConfigField::Tos, 1, kKeptBit0}};
        for (std::size_t slot = 0; slot < 8; ++slot)
            l.push_back({74 + 4 * slot + 1});
        return l;
    }();
    return list;
}

const List &jitterConfig()
{
    static const List list{{10, 6}, {34, 2}, {JitterConfigField::Tos, 1, kKeptBit0}};
    return list;
}

const List &bertConfig()
{
    static const List list{{1}, {7}, {16, 4}};
    return list;
}

const List &multiConfig()
{
    static const List list = [] {
        List l{{MultiConfigField::Word4, 2}};
        for (std::size_t s = 0; s < MultiConfigField::Streams; ++s) {
            const std::size_t at = MultiConfigField::stream(s);
            l.insert(l.end(), {{at + 1}, {at + 5}, {at + 8, 4}, {at + MultiStreamField::Tos, 1, kKeptBit0}});
        }
        return l;
    }();
    return list;
}

// The result blocks, in block offsets.
const List &trafficResult()
{
    static const List list{{0, 4}, {33, 3}};
    return list;
}

const List &jitterResult()
{
    static const List list{{0, 8}, {16, 8}};
    return list;
}

const List &bertResult()
{
    static const List list{{28, 4}};
    return list;
}

const List &multiResult()
{
    static const List list = [] {
        List l{{1, 3}};
        for (std::size_t s = 0; s < 10; ++s)
            l.push_back({4 + 16 * s + 1, 3});
        return l;
    }();
    return list;
}

const List &oamResult()
{
    static const List list{{1, 9}, {11, 5}};
    return list;
}

// The four tables of the RFC-2544 summary, in summary offsets.
const List &rfcSummary()
{
    static const List list = [] {
        List l;
        for (std::size_t e = 0; e < 8; ++e) {
            l.push_back({4 * e, 2});
            l.push_back({32 + 12 * e + 1, 3});
            l.push_back({128 + 24 * e, 8});
            l.push_back({128 + 24 * e + 17, 7});
            l.push_back({320 + 12 * e + 1});
            l.push_back({320 + 12 * e + 6, 6});
        }
        return l;
    }();
    return list;
}

quint32 word(const QByteArray &p, std::size_t offset)
{
    quint32 v = 0;
    std::memcpy(&v, p.constData() + offset, sizeof v);
    return qFromLittleEndian(v);
}

} // namespace

List definedPayload(const QByteArray &request, const QByteArray &reply)
{
    using namespace StatusField;
    const auto id = quint8(request.at(Packet::IdOffset));
    switch (id) {
    case PROGPACK_CHECKCONNECT:
        return {{Cpu, Release - Cpu - 2}, text(reply, Release), {Duplex}, {Rates, 16}};
    case PROGPACK_FPGA_RW: return {{Rep::RegAddress, 7}};
    case PROGPACK_SCREEN: return {{Rep::ScreenData, 256}};
    case PROGPACK_FILE_OPEN: return {{Rep::Ok, 6}};
    case PROGPACK_FILE_READ: return {{Rep::Ok, 2}, {Rep::FileData, qMin<std::size_t>(word(request, Req::Word), 256)}};
    case PROGPACK_DIR_FIRST:
    case PROGPACK_DIR_NEXT:
        if (reply.at(Rep::DirEntry) == 0)
            return {{Rep::DirEntry}};
        return {{Rep::DirEntry}, text(reply, Rep::DirName)};
    case PROGPACK_LB_CFG: return {{2, BlockSize::LbConfig}};
    case PROGPACK_PING_CFG:
    case PROGPACK_TRACE_CFG: return {{Rep::Block, BlockSize::PingConfig}};
    case PROGPACK_JITTER_CFG: return {{Rep::Block, BlockSize::JitterConfig}};
    case PROGPACK_PING_RES: return {{2, BlockSize::PingResult + BlockSize::PingStats}};
    case PROGPACK_TRACE_RES: return {{2, BlockSize::TracePage}};
    case PROGPACK_JITTER_RES: return {{2, BlockSize::JitterResult}};
    case PROGPACK_CABLE_RES: return {{2, BlockSize::CableResult}};
    case PROGPACK_STATS_CFG: return {{2}};
    case PROGPACK_TRAFFIC_CFG: return {{Rep::Block, BlockSize::TrafficConfig}};
    case PROGPACK_IFACE_CFG: return {{Rep::Block, BlockSize::IfaceConfig + 12}};
    case PROGPACK_TRAFFIC_RES: return {{Rep::TrafficResult, BlockSize::TrafficResult}};
    case PROGPACK_RFC_RES:
        return {{2, qMin<std::size_t>(word(request, Req::RfcLength), Packet::CrcOffset - 2)}};
    case PROGPACK_RFC_STEP: return {{2, 8 * Rep::RfcRow}};
    case PROGPACK_STATS_RES: return {{2, BlockSize::StatsResult}};
    case PROGPACK_RFC_CFG: return {{Rep::Block, BlockSize::RfcConfig}};
    case PROGPACK_BERT_CFG: return {{2, BlockSize::BertConfig}};
    case PROGPACK_BERT_RES: return {{2, BlockSize::BertResult}};
    case PROGPACK_DNS_CFG: return {{2, BlockSize::DnsConfig}};
    case PROGPACK_DNS_RES: return {{2, BlockSize::DnsResult}};
    case PROGPACK_SET_SAVE:
    case PROGPACK_SET_LOAD:
    case PROGPACK_FILE_DEL: return {{Rep::Ok, 2}};
    case PROGPACK_OAM_CFG: return {{2}};
    case PROGPACK_OAM_RES: return {{2, BlockSize::OamResult}};
    case PROGPACK_MULTI_CFG1: return {{2, MultiConfigField::FirstPart}};
    case PROGPACK_MULTI_CFG2: return {{2, MultiConfigField::SecondPart}};
    case PROGPACK_MULTI_RES: return {{2, BlockSize::MultiResult}};
    default: // 60, 68, 69, 71: the reply itself is the answer
        return {};
    }
}

List reservedInReply(const QByteArray &request, const QByteArray &reply)
{
    const auto id = quint8(request.at(Packet::IdOffset));
    switch (id) {
    case PROGPACK_TRAFFIC_RES: return shifted(trafficResult(), Rep::TrafficResult);
    case PROGPACK_JITTER_RES: return shifted(jitterResult(), 2);
    case PROGPACK_BERT_RES: return shifted(bertResult(), 2);
    case PROGPACK_MULTI_RES: return shifted(multiResult(), 2);
    case PROGPACK_OAM_RES: return shifted(oamResult(), 2);
    case PROGPACK_CABLE_RES: // the byte after each pair's state is not used
        return {{14}, {17}, {20}, {23}};
    case PROGPACK_DNS_RES: {
        // The name's bytes after its zero, and three after the status.
        const Bytes name = text(reply, 2, 2 + 32);
        List l{{35, 3}};
        if (name.count < 32)
            l.push_back({2 + name.count, 32 - name.count});
        return l;
    }
    case PROGPACK_RFC_RES: {
        const std::size_t from = word(request, Req::RfcOffset);
        const std::size_t length = qMin<std::size_t>(word(request, Req::RfcLength), Packet::CrcOffset - 2);
        List l;
        for (const Bytes &b : rfcSummary()) {
            if (b.offset >= from && b.offset + b.count <= from + length)
                l.push_back({2 + b.offset - from, b.count});
        }
        return l;
    }
    default:
        return {};
    }
}

const List &reservedInConfig(quint8 id)
{
    static const List none;
    switch (id) {
    case PROGPACK_LB_CFG: return lbConfig();
    case PROGPACK_IFACE_CFG: return ifaceConfig();
    case PROGPACK_TRAFFIC_CFG: return trafficConfig();
    case PROGPACK_RFC_CFG: return rfcConfig();
    case PROGPACK_JITTER_CFG: return jitterConfig();
    case PROGPACK_BERT_CFG: return bertConfig();
    case PROGPACK_MULTI_CFG1:
    case PROGPACK_MULTI_CFG2: return multiConfig();
    default: return none;
    }
}

} // namespace UndefinedLayout
