#pragma once

#include <QtGlobal>

// The updater's command set: the codes QVUpdater sends and qvsim's updater
// mode answers (byte 1 of a request), and the device modes of command 71.
struct UpdaterCommands
{
    enum Command : quint8 {
        Status = 0,
        FpgaBlock = 1,
        FpgaLength = 2,
        FpgaErase = 3,
        FpgaErasePoll = 4,
        CpuBlock = 11,
        CpuLength = 12,
        CpuErase = 13,
        FsBegin = 40,
        FsCreate = 41,
        FsBlock = 43,
        SetMode = 71,
        WriteSerial = 254,
    };

    enum Mode : quint8 {
        NormalMode = 0,
        FpgaMode = 1,
        FsMode = 2,
        CpuMode = 4,
    };
};
