#pragma once

#include "simprocess.h"
#include "updater.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>

// qvsim in updater mode with a flash directory, an Updater connected to it,
// and everything the updater reported, for the end-to-end tests.
class UpdaterFixture
{
public:
    explicit UpdaterFixture(const QStringList &simArguments = {})
        : sim(SimProcess::Link::Pty,
              QStringList{"--updater", "--flash-dir", flashDir.path()} + simArguments)
    {
        QObject::connect(&updater, &Updater::message, &updater,
                         [this](const QString &text) { messages << text; });
        QObject::connect(&updater, &Updater::blockSent, &updater,
                         [this](Updater::Bar bar, qint64 value) { blocks << qMakePair(bar, value); });
        QObject::connect(&updater, &Updater::progressChanged, &updater,
                         [this](Updater::Bar bar, qint64 value) { blocks << qMakePair(bar, value); });
        QObject::connect(&updater, &Updater::titleRestored, &updater, [this] { ++titleRestored; });
    }

    // Starts qvsim and connects; the messages of the connection are dropped.
    bool connect(QString *error)
    {
        if (!sim.start()) {
            *error = sim.errorString();
            return false;
        }
        const int code = updater.connectDevice(sim.ptyPath());
        if (code != UpdateLink::NoError) {
            *error = UpdateLink::errorText(code);
            return false;
        }
        messages.clear();
        return true;
    }

    QString flashPath(const QString &name) const { return QDir(flashDir.path()).filePath(name); }

    QByteArray flashed(const QString &name) const
    {
        QFile f(flashPath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool flashedExists(const QString &name) const { return QFile::exists(flashPath(name)); }

    QString writeFile(const QString &name, const QByteArray &contents) const
    {
        const QString path = QDir(workDir.path()).filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(contents) != contents.size())
            return {};
        return path;
    }

    qint64 lastBlock(Updater::Bar bar) const
    {
        for (qsizetype i = blocks.size() - 1; i >= 0; --i) {
            if (blocks.at(i).first == bar)
                return blocks.at(i).second;
        }
        return -1;
    }

    QTemporaryDir flashDir;
    QTemporaryDir workDir;
    SimProcess sim;
    Updater updater;
    QStringList messages;
    QList<QPair<Updater::Bar, qint64>> blocks;
    int titleRestored = 0;
};

namespace UpdateFiles {

inline QByteArray pattern(qsizetype size, int seed)
{
    QByteArray bytes(size, '\0');
    quint32 x = quint32(seed) * 2654435761u + 1;
    for (char &b : bytes) {
        x = x * 1103515245u + 12345u;
        b = char(x >> 16);
    }
    return bytes;
}

struct Entry
{
    QByteArray name;
    QByteArray contents;
};

inline QByteArray combined(const QByteArray &cpu, const QByteArray &fpga, const QList<Entry> &files)
{
    QByteArray file(128, '\0');
    qToLittleEndian(quint32(fpga.size()), file.data());
    qToLittleEndian(quint32(cpu.size()), file.data() + 4);
    qToLittleEndian(quint16(files.size()), file.data() + 16);
    file += cpu;
    file += fpga;
    for (const Entry &e : files) {
        QByteArray entry(32, '\0');
        qToLittleEndian(quint32(e.contents.size()), entry.data() + 4);
        entry.replace(8, e.name.size(), e.name);
        file += entry;
    }
    for (const Entry &e : files)
        file += e.contents;
    return file;
}

} // namespace UpdateFiles
