#include "identity.h"

#include "block.h"
#include "packetfields.h"

#include <QStringList>

#include <cstring>

DeviceIdentity DeviceIdentity::forModel(bool qvb)
{
    DeviceIdentity id;
    id.qvb = qvb;
    if (qvb) {
        id.cpu = {0, 3, 6};
        id.fpga = {0, 4, 1};
    }
    return id;
}

bool DeviceIdentity::parseVersion(const QString &text, Version *version)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 3)
        return false;
    Version v{};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const uint n = parts[i].toUInt(&ok);
        if (!ok || n > 255)
            return false;
        v[std::size_t(i)] = quint8(n);
    }
    *version = v;
    return true;
}

QString DeviceIdentity::versionText(const Version &v) const
{
    return QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]);
}

void writeIdentity(QByteArray &reply, const DeviceIdentity &id, quint8 mode)
{
    auto *p = reinterpret_cast<quint8 *>(reply.data());
    for (std::size_t i = 0; i < 3; ++i) {
        p[StatusField::Cpu + i] = id.cpu[i];
        p[StatusField::Fpga + i] = id.fpga[i];
    }
    if (id.oldFirmware) {
        p[StatusField::Cpu] = 0xFD;
        p[StatusField::Cpu + 1] = 0xFC;
    }
    p[StatusField::Mode] = mode;
    Bytes::put16(p, StatusField::Serial, id.serial);
}
