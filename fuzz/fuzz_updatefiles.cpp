// The update-file readers on arbitrary files: the same bytes taken as a
// CPU image (.bin), an FPGA image (.rpd: stripped and rounded) and a
// combined update file (.qvup), each then cut into the blocks that would be
// sent. A parsed combined file's parts must lie inside the file.

#include "combinedfile.h"
#include "crc8.h"
#include "fuzzcheck.h"
#include "updater.h"

namespace {

// Reads every byte of every block, as the link would when building requests.
void walkBlocks(QByteArrayView data, qint64 length)
{
    QByteArray padded;
    for (qint64 pos = 0; pos < length; pos += UpdateLink::kDataSize) {
        const char *block = Updater::imageBlock(data, length, pos, padded);
        Crc8::compute(block, UpdateLink::kDataSize);
    }
}

bool inside(QByteArrayView part, const QByteArray &file)
{
    return part.isEmpty()
        || (part.data() >= file.constData() && part.data() + part.size() <= file.constData() + file.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    walkBlocks(file, file.size());

    const qint64 rpd = Updater::rpdLength(file);
    FUZZ_CHECK(rpd >= 0 && rpd % UpdateLink::kDataSize == 0 && rpd <= file.size() + UpdateLink::kDataSize);
    walkBlocks(file, rpd);

    CombinedFile update;
    if (update.parse(file)) {
        FUZZ_CHECK(inside(update.cpuImage(), file) && inside(update.fpgaImage(), file));
        walkBlocks(update.cpuImage(), update.cpuImage().size());
        walkBlocks(update.fpgaImage(), update.fpgaImage().size());
        for (const FsFile &f : update.files()) {
            FUZZ_CHECK(f.name.size() < CombinedFile::kEntryNameSize + 1);
            walkBlocks(f.contents, f.contents.size());
        }
    }
    return 0;
}
