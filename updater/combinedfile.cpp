#include "combinedfile.h"

#include <QtEndian>

bool CombinedFile::parse(const QByteArray &data)
{
    m_data.clear();
    m_files.clear();
    m_cpuLength = m_fpgaLength = 0;

    const qint64 size = data.size();
    if (size < kHeaderSize)
        return false;
    const char *p = data.constData();
    const qint64 fpgaLength = qFromLittleEndian<quint32>(p);
    const qint64 cpuLength = qFromLittleEndian<quint32>(p + 4);
    const int count = qFromLittleEndian<quint16>(p + 16);

    // 64-bit sums: two 32-bit lengths cannot wrap around.
    const qint64 directory = kHeaderSize + cpuLength + fpgaLength;
    if (directory > size)
        return false;
    qint64 contents = directory + qint64(count) * kEntrySize;
    if (contents > size)
        return false;

    QList<FsFile> files;
    files.reserve(count);
    for (int i = 0; i < count; ++i) {
        const char *entry = p + directory + qint64(i) * kEntrySize;
        const qint64 fileSize = qFromLittleEndian<quint32>(entry + 4);
        if (contents + fileSize > size)
            return false;
        FsFile file;
        file.name = QByteArray(entry + 8, qstrnlen(entry + 8, kEntryNameSize));
        file.contents = data.mid(contents, fileSize);
        files.append(file);
        contents += fileSize;
    }

    m_data = data;
    m_cpuLength = cpuLength;
    m_fpgaLength = fpgaLength;
    m_files = files;
    return true;
}

QByteArrayView CombinedFile::cpuImage() const
{
    return QByteArrayView(m_data.constData() + kHeaderSize, m_cpuLength);
}

QByteArrayView CombinedFile::fpgaImage() const
{
    return QByteArrayView(m_data.constData() + kHeaderSize + m_cpuLength, m_fpgaLength);
}
