// Query paths and filters from any text. The first byte chooses: odd runs the text as a
// path (and as a filter, and through Create) over a fixed document; even parses the text
// as a document and runs a fixed set of paths over it. Raised errors (".." above the
// root) are allowed; a first match that differs between Query and QuerySingle aborts.

#include <velk/common/Error.h>
#include <velk/xml/StdXML.h>

#include <cstdint>
#include <cstdlib>

using namespace velk;

namespace {

const char kDocument[] =
    "<?xml version=\"1.0\"?><doc id=\"0\"><a id=\"1\" name=\"x\"/>"
    "<item id=\"2\" name=\"x\" v='a b'><sub id=\"3\">t</sub><sub id=\"4\"><a id=\"5\"/></sub></item>"
    "<item id=\"6\" name=\"y\"><b id=\"7\"><sub id=\"8\"/><item id=\"9\"/></b></item>"
    "<item id=\"10\"/><c id=\"11\"><c id=\"12\"><c id=\"13\"/></c></c></doc>";

const char *const kPaths[] = {
    "doc/item", "*/*/sub", "/doc/item[1]/x", "doc/item[@name=x]/sub[0]", "doc/*[sub]", "doc/./item/../*[@id=\"1\"]",
    "doc/item//doc/a", "*[item/b/sub]/item/*", "doc/item[../a/../item]/sub", "doc/c/c/c/..", "../x",
};

void checkQuery(StdXML &doc, const QString &path)
{
    StdXMLNodes all;
    try {
        all = doc.Query(path);
    } catch (const Error &) {
        return;
    }
    // Without an error the first match of the full search is the single match.
    if (doc.QuerySingle(path) != all.value(1))
        std::abort();
}

// A filter costs up to the size of the tree, so it runs at a few children only: at every
// child of a wide root the target itself would be quadratic.
void runEverything(StdXML &doc, const StdXMLNodePtr &scratch, const QString &path)
{
    checkQuery(doc, path);
    try {
        (void)doc.Root->Query(path);
        (void)doc.Root->QuerySingle(path);
        int nr = 0;
        for (int i = 1; i <= qMin(doc.Root->Count(), 4); ++i)
            (void)doc.Root->Item(i)->Filter(path, nr);
        (void)scratch->Create(path);
    } catch (const Error &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    StdXML doc;
    if (data[0] % 2 == 1) {
        doc.LoadXML(QString::fromUtf8(kDocument));
        runEverything(doc, doc.Root->Clone(true), text);
    } else {
        doc.LoadXML(text);
        if (!doc.Root)
            return 0;
        const StdXMLNodePtr scratch = doc.Root->Clone(true);
        for (const char *path : kPaths)
            runEverything(doc, scratch, QString::fromUtf8(path));
    }
    return 0;
}
