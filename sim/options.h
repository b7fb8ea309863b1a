#pragma once

#include "faultinjector.h"
#include "identity.h"

#include <QHostAddress>
#include <QString>
#include <QStringList>

// Everything the command line sets.
struct SimOptions
{
    DeviceIdentity identity;
    QHostAddress listenAddress = QHostAddress::LocalHost;
    quint16 listenPort = 55555;
    bool pty = false;
    QString ptyLink;
    qint64 lineRate = 0;
    bool updater = false;
    QString flashDir;
    FaultInjector::Settings faults;
    quint32 seed = 0;
    bool seedGiven = false;
    double speed = 1.0;
    // --undefined: noise in the bytes the protocol leaves undefined.
    bool undefinedNoise = false;
    bool undefinedSeedGiven = false;
    quint32 undefinedSeed = 0;
    bool verbose = false;
    // --replay: serve a session recording; --dump: print one (and --pcap).
    QString replayFile;
    QString dumpFile;
    bool dumpHex = false;
    QString pcapFile;

    // Parses the arguments; on an error fills error and returns false.
    // --help and --version print and exit inside.
    static bool parse(const QStringList &arguments, SimOptions *options, QString *error);
};
