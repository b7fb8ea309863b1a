#pragma once

#include <QByteArray>

// One file for the tester's file system: its name as the device stores it
// (8-bit text, no path) and its whole contents.
struct FsFile
{
    QByteArray name;
    QByteArray contents;
};
