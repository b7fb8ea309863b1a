#include "testpages.h"

#include "bertform.h"
#include "cableform.h"
#include "ftransferform.h"
#include "ifsetform.h"
#include "jitterform.h"
#include "lbform.h"
#include "multiform.h"
#include "oamform.h"
#include "passform.h"
#include "rfcform.h"
#include "statsform.h"
#include "tcpipform.h"
#include "trafficform.h"

#include <QtGlobal>

namespace {

// Gives every page class the same factory signature.
template <class Page>
TestForm *makePage(Zorqv *device, QWidget *parent)
{
    return new Page(device, parent);
}

} // namespace

const std::array<TestPageEntry, 13> testPages = {{
    {"bRFC", QT_TRANSLATE_NOOP("MainForm", "RFC-2544"), ":/rfc2544.png", makePage<RfcForm>},
    {"bMulti", QT_TRANSLATE_NOOP("MainForm", "Multistream"), ":/mtraffic.png", makePage<MultiForm>},
    {"bCable", QT_TRANSLATE_NOOP("MainForm", "Cable test"), ":/cable.png", makePage<CableForm>},
    {"bLoopback", QT_TRANSLATE_NOOP("MainForm", "Loopback"), ":/lb.png", makePage<LbForm>},
    {"bTCPIP", QT_TRANSLATE_NOOP("MainForm", "TCP/IP"), ":/tcp.png", makePage<TCPIPForm>},
    {"bTraffic", QT_TRANSLATE_NOOP("MainForm", "Traffic test"), ":/traffic.png", makePage<TrafficForm>},
    {"bJitter", QT_TRANSLATE_NOOP("MainForm", "Jitter test"), ":/jitter.png", makePage<JitterForm>},
    {"bBert", QT_TRANSLATE_NOOP("MainForm", "BERT"), ":/bert.png", makePage<BertForm>},
    {"bOAM", QT_TRANSLATE_NOOP("MainForm", "OAM"), ":/oam.png", makePage<OamForm>},
    {"bTransit", QT_TRANSLATE_NOOP("MainForm", "Transit"), ":/trans.png", makePage<PassForm>},
    {"bIfSettings", QT_TRANSLATE_NOOP("MainForm", "Interface settings"), ":/iface.png", makePage<IfsetForm>},
    {"bStats", QT_TRANSLATE_NOOP("MainForm", "Statistics"), ":/statistics.png", makePage<StatsForm>},
    {"bFTransfer", QT_TRANSLATE_NOOP("MainForm", "File transfer"), ":/ram.png", makePage<FTransferForm>},
}};
