#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// Who the simulated tester is: model, serial number and firmware versions.
// Both the normal tester and its updater mode answer the status request
// with these bytes.
struct DeviceIdentity
{
    using Version = std::array<quint8, 3>; // major, minor, build

    bool qvb = false;
    quint16 serial = 1234;
    Version cpu = {0, 27, 4};  // 0x1B04: above the last threshold of the ZORT-QV
    Version fpga = {0, 12, 3};
    bool oldFirmware = false;  // status bytes 2 and 3 read 0xFD 0xFC

    static constexpr char Release[] = "1.5";

    // The defaults of a model: the ZORT-QVB firmware counts its own versions,
    // and 0x306 is past the 0x305 from which its status carries the rates.
    static DeviceIdentity forModel(bool qvb);
    static bool parseVersion(const QString &text, Version *version);
    QString versionText(const Version &v) const;
};

// Fills the identification bytes that every status reply carries, the
// updater's too: versions, mode and serial number. The rest of the status is
// the caller's.
void writeIdentity(QByteArray &reply, const DeviceIdentity &id, quint8 mode);
