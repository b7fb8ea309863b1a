#pragma once

#include "fsfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The combined update file (".qvup"): a 128-byte header with the image
// lengths and the number of file-system entries, then the CPU image, the
// FPGA image, the file-system directory and the files' contents. parse()
// accepts a file only when every part of it lies inside the file, so that a
// truncated file is refused before anything goes to the tester.
class CombinedFile final
{
public:
    static constexpr int kHeaderSize = 128;
    static constexpr int kEntrySize = 32;
    static constexpr int kEntryNameSize = 24;

    bool parse(const QByteArray &data);

    QByteArrayView cpuImage() const;
    QByteArrayView fpgaImage() const;
    const QList<FsFile> &files() const { return m_files; }

private:
    QByteArray m_data;
    qint64 m_cpuLength = 0;
    qint64 m_fpgaLength = 0;
    QList<FsFile> m_files;
};
