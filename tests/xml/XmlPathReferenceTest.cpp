#include "support/TestSupport.h"

#include <velk/common/Error.h>
#include <velk/common/StringHelpers.h>
#include <velk/xml/StdXML.h>

#include <functional>
#include <random>

using namespace velk;

namespace {

// The path and filter rules evaluated word for word, recursion and all: an oracle for the
// evaluator's remembered searches and repeated results on small trees and short paths.
class LiteralPath
{
public:
    static StdXMLNodePtr rootOf(StdXMLNodePtr n)
    {
        while (n->Parent())
            n = n->Parent();
        return n;
    }

    static StdXMLNodePtr parentOf(const StdXMLNodePtr &n)
    {
        if (!n->Parent())
            throw Error(ErrorNumber::ObjectRequired, QStringLiteral("no parent"));
        return n->Parent();
    }

    static bool filter(const StdXMLNodePtr &n, QString q, int &nr)
    {
        nr = -1;
        if (q.isEmpty())
            return true;
        const QString t = GetToken(q, QStringLiteral("/"));
        if (t.isEmpty())
            return filter(rootOf(n), q, nr);
        if (t == u".")
            return filter(n, q, nr);
        if (t == u"..")
            return filter(parentOf(n), q, nr);
        bool isNumber = false;
        const int value = t.toInt(&isNumber); // the generated filters hold whole numbers only
        if (isNumber && (value > 0 || t == u"0")) {
            nr = value;
            return true;
        }
        if (t.startsWith(u'@')) {
            QString rest = t.mid(1);
            const QString name = GetToken(rest, QStringLiteral("="));
            if (rest.startsWith(u'"'))
                rest = rest.mid(1).section(u'"', 0, 0);
            return n->GetAttribute(name) == rest;
        }
        for (int k = 1; k <= n->Count(); ++k) {
            if (n->Item(k)->Tag == t && filter(n->Item(k), q, nr))
                return true;
        }
        return false;
    }

    static void query(const StdXMLNodePtr &n, StdXMLNodes &c, QString q, bool addall, int isnr)
    {
        if (q.isEmpty()) {
            c.Add(n);
            return;
        }
        QString name, filterText;
        const qsizetype open = q.indexOf(u'['), slash = q.indexOf(u'/');
        if (open >= 0 && (slash < 0 || open < slash)) {
            name = GetToken(q, QStringLiteral("["));
            filterText = GetToken(q, QStringLiteral("]"));
            GetToken(q, QStringLiteral("/"));
        } else {
            name = GetToken(q, QStringLiteral("/"));
        }
        int nr = -1;
        if (!filter(n, filterText, nr))
            return;
        if (name == u"." || name == u".." || name.isEmpty()) {
            query(name == u"." ? n : name.isEmpty() ? rootOf(n) : parentOf(n), c, q, addall, 0);
            return;
        }
        if (name != u"*" && name != n->Tag)
            return;
        if (nr >= 0) {
            if (nr + 1 == isnr)
                c.Add(n);
            return;
        }
        if (q.isEmpty()) {
            c.Add(n);
            return;
        }
        for (int k = 1; k <= n->Count(); ++k) {
            query(n->Item(k), c, q, addall, k);
            if (!addall && c.Count() > 0)
                return;
        }
    }
};

// What a query gave: the matches' ids in order, or "error".
QString outcome(const std::function<void(StdXMLNodes &)> &run)
{
    StdXMLNodes c;
    try {
        run(c);
    } catch (const Error &) {
        return QStringLiteral("error");
    }
    QStringList ids;
    for (const StdXMLNodePtr &node : c)
        ids << node->GetAttribute(QStringLiteral("id"));
    return ids.join(u' ');
}

// What a filter gave: "true 2", "false -1" or "error".
QString filterOutcome(const std::function<bool(int &)> &run)
{
    int nr = 99;
    try {
        const bool passes = run(nr);
        return QStringLiteral("%1 %2").arg(passes).arg(nr);
    } catch (const Error &) {
        return QStringLiteral("error");
    }
}

} // namespace

TEST(XmlPathReference, RandomPathsMatchTheLiteralRules)
{
    StdXML doc;
    ASSERT_TRUE(doc.LoadXML(QStringLiteral(
        "<doc id=\"0\"><a id=\"1\" k=\"x\"><b id=\"2\"/><c id=\"3\"><a id=\"4\"/></c></a>"
        "<b id=\"5\" k=\"x\"><a id=\"6\"><b id=\"7\"/><b id=\"8\" k=\"y\"/></a></b>"
        "<a id=\"9\"/><c id=\"10\"><c id=\"11\"/><a id=\"12\" k=\"x\"/></c></doc>")));
    const QStringList names = {"a", "b", "c", "*", "*", ".", "..", "..", "", "doc"};
    const QStringList filters = {"", "", "", "", "0", "1", "2", "a", "b/a", "../a", "/a/c", "@k=x", "@k=\"y\"", ".",
                                 "..", "a/../c", "c/a/@id=4", "*", "a/../b/../c/a", "../b/../a/b", "c/../../a/1"};
    std::mt19937 random(20240611);
    const StdXMLNodePtr starts[] = {doc.Root, doc.Root->Item(2), doc.QuerySingle(QStringLiteral("doc/c/c"))};
    for (int round = 0; round < 6000; ++round) {
        QString path;
        const int steps = 1 + int(random() % 5);
        for (int s = 0; s < steps; ++s) {
            path += (s ? QStringLiteral("/") : QString()) + names[random() % names.size()];
            const QString f = filters[random() % filters.size()];
            if (!f.isEmpty())
                path += u'[' + f + u']';
        }
        const StdXMLNodePtr &start = starts[random() % 3];
        const int isnr = int(random() % 3);
        SCOPED_TRACE(path.toStdString());
        for (const bool addall : {true, false}) {
            EXPECT_EQ(outcome([&](StdXMLNodes &c) { start->QueryAdd(c, path, addall, isnr); }),
                      outcome([&](StdXMLNodes &c) { LiteralPath::query(start, c, path, addall, isnr); }));
        }
        const QString filterText = path.section(u'[', 1).section(u']', 0, 0);
        EXPECT_EQ(filterOutcome([&](int &nr) { return start->Filter(filterText, nr); }),
                  filterOutcome([&](int &nr) { return LiteralPath::filter(start, filterText, nr); }))
            << filterText.toStdString();
    }
}
