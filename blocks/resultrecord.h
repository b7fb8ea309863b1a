#pragma once

#include "resultfile.h"

#include <QByteArray>
#include <QString>

// The blocks of a result file, copied out of it by the file's layout: what
// the reports and the JSON export read, one copy per port (or interface).
struct ResultRecord : PortTestBlocks
{
    quint8 time[6] = {}; // hour, minute, second, day, month, year
    IfaceConfigBlock iface[3] = {};

    // False (and the record untouched) when data is shorter than a result
    // file; bytes beyond its end are ignored.
    bool read(const QByteArray &data);
    // "dd/mm/yy  hh:mm:ss", each part two digits.
    QString timeText() const;
};
