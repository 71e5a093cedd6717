// LoadXML on any text, the same text fed in pieces, then writing and reading back.
// Aborts when the pieces give a different tree than the whole text.

#include "XmlFuzzing.h"
#include <velk/xml/StdXML.h>
#include <velk/xml/XmlParser_p.h>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace velk;

namespace {

bool sameNode(const StdXMLNode &a, const StdXMLNode &b)
{
    return a.Tag == b.Tag && a.Parameter == b.Parameter && a.Body == b.Body && a.Count() == b.Count();
}

// Compares two trees node by node without recursion.
bool sameTree(const StdXMLNodePtr &a, const StdXMLNodePtr &b)
{
    if (!a || !b)
        return !a && !b;
    std::vector<std::pair<StdXMLNode *, StdXMLNode *>> pending{{a.get(), b.get()}};
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        if (!sameNode(*x, *y))
            return false;
        for (int i = 1; i <= x->Count(); ++i)
            pending.emplace_back(x->Item(i).get(), y->Item(i).get());
    }
    return true;
}


} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype pieceLength = 1 + data[0] % 97;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    StdXML whole;
    const bool isBalanced = whole.LoadXML(text);

    StdXML pieces;
    XmlParser parser(pieces.Root, pieces.Version);
    for (qsizetype at = 0; at < text.size(); at += pieceLength)
        parser.feed(QStringView(text).sliced(at, qMin(pieceLength, text.size() - at)));
    parser.finish();
    if (parser.isBalanced() != isBalanced || pieces.Version != whole.Version || !sameTree(whole.Root, pieces.Root))
        std::abort();

    if (whole.Root && writtenLength(whole.Root) < 64 * 1024 * 1024) {
        StdXML again;
        again.LoadXML(whole.xml());
        if (again.Root && writtenLength(again.Root) < 64 * 1024 * 1024)
            (void)again.xml();
    }
    return 0;
}
