// The settings file reader on arbitrary bytes: it must never crash, and what it reads
// must survive being written and read again.
#include <velk/common/TextFile.h>
#include <velk/platform/SettingsTree_p.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = velk::TextFile::decode(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    const velk::SettingsTree tree = velk::SettingsTree::fromText(text);
    if (!(velk::SettingsTree::fromText(tree.toText()) == tree))
        std::abort();
    return 0;
}
