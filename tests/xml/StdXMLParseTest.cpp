#include "support/TestSupport.h"

#include <velk/common/Error.h>
#include <velk/xml/StdXML.h>
#include <velk/xml/XmlParser_p.h>

#include <QFile>
#include <QTextStream>
#include <QTemporaryDir>

using namespace velk;

namespace {

QString lines(std::initializer_list<const char *> texts)
{
    QString out;
    for (const char *text : texts)
        out += QString::fromUtf8(text) + QStringLiteral("\r\n");
    return out;
}

// The document text, or a marker when the text left no root.
QString written(const StdXML &doc)
{
    return doc.Root ? doc.xml() : QStringLiteral("(no root)");
}

} // namespace

TEST(StdXMLParse, DialectQuirks)
{
    struct Row
    {
        const char *name;
        QString input;
        bool isBalanced;
        QString xml;
    };
    const Row rows[] = {
        {"text after a child is lost", QStringLiteral("<a x=\"1\">t<b/>u</a>"), true,
         lines({"<a x=\"1\">", "   t", "   <b/>", "</a>"})},
        {"unclosed element", QStringLiteral("<a><b></a>"), false, lines({"<a>", "   <b/>", "</a>"})},
        {"empty text", QString(), true, QStringLiteral("(no root)")},
        {"text without tags", QStringLiteral("just > text"), true, QStringLiteral("(no root)")},
        {"later top-level element wins", QStringLiteral("<a/><b/>"), true, lines({"<b/>"})},
        {"text before the first tag dropped", QStringLiteral("junk<a>x</a>"), true, lines({"<a>x</a>"})},
        {"whitespace-only body is empty", QStringLiteral("<a>\r\n\t </a>"), true, lines({"<a/>"})},
        {"body trimmed of control characters", QStringLiteral("<a>\t x y \n</a>"), true, lines({"<a>x y</a>"})},
        {"name ends at the first blank only", QStringLiteral("<a\tb=\"1\" c>x</a>"), true,
         lines({"<a\tb=\"1\" c>x</a\tb=\"1\">"})},
        {"blanks around name and slash", QStringLiteral("<  a  /  >"), true, lines({"<a/>"})},
        {"'>' in a value ends the tag early", QStringLiteral("<a v=\"1>2\">x</a>"), true,
         lines({"<a v=\"1>2&quot;&gt;x</a>"})},
        {"end tags are not matched", QStringLiteral("<a><b>x</c><d/></a>"), true,
         lines({"<a>", "   <b>x</b>", "   <d/>", "</a>"})},
        {"stray end tag at top does nothing", QStringLiteral("</x><a/></y>"), true, lines({"<a/>"})},
        {"declaration is an ordinary element", QStringLiteral("<!DOCTYPE x><a/>"), false,
         lines({"<!DOCTYPE x>", "   <a/>", "</!DOCTYPE>"})},
        {"entities decoded once", QStringLiteral("<a>&amp;lt; &lt;&gt;&quot; &apos; &#65;</a>"), true,
         lines({"<a>&amp;lt; &lt;&gt;&quot; &amp;apos; &amp;#65;</a>"})},
        {"body kept before children", QStringLiteral("<a>t<b>u<c/></b></a>"), true,
         lines({"<a>", "   t", "   <b>", "      u", "      <c/>", "   </b>", "</a>"})},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        StdXML doc;
        EXPECT_EQ(doc.LoadXML(row.input), row.isBalanced);
        EXPECT_EQ(written(doc), row.xml);
    }
}

TEST(StdXMLParse, FieldsOfParsedElements)
{
    StdXML doc;
    ASSERT_TRUE(doc.LoadXML(QStringLiteral("  <?xml version=\"1.0\"?>\r\n<r  a=\"1\"  b='2' >x &amp; y<c/></r>")));
    EXPECT_EQ(doc.Version, QStringLiteral("?xml version=\"1.0\"?"));
    EXPECT_EQ(doc.Root->Tag, QStringLiteral("r"));
    EXPECT_EQ(doc.Root->Parameter, QStringLiteral("a=\"1\"  b='2'"));
    EXPECT_EQ(doc.Root->Body, QStringLiteral("x & y"));
    ASSERT_EQ(doc.Root->Count(), 1);
    EXPECT_EQ(doc.Root->Item(1)->Parent(), doc.Root);
    EXPECT_EQ(doc.xml(), lines({"<?xml version=\"1.0\"?>", "<r a=\"1\"  b='2'>", "   x &amp; y", "   <c/>", "</r>"}));
}

TEST(StdXMLParse, RoundTripKeepsTreeAndBodies)
{
    StdXML doc;
    doc.SetRoot(QStringLiteral("ROOT  id=\"7\""), QString());
    EXPECT_EQ(doc.Root->Parameter, QStringLiteral("id=\"7\""));
    doc.Root->AddItem(QStringLiteral("ITEM"), QStringLiteral("a < b & \"c\" > d"));
    StdXMLNodePtr sub = doc.Root->AddItem(QStringLiteral("SUB k=\"v\""), QStringLiteral("line1\r\nline2"));
    sub->AddItem(QStringLiteral("LEAF"), QString());
    const QString text = doc.xml();
    EXPECT_TRUE(text.contains(QStringLiteral("a &lt; b &amp; &quot;c&quot; &gt; d")));

    StdXML again;
    ASSERT_TRUE(again.LoadXML(text));
    EXPECT_EQ(again.xml(), text);
    EXPECT_EQ(again.Root->Item(1)->Body, QStringLiteral("a < b & \"c\" > d"));
    EXPECT_EQ(again.Root->Item(2)->Body, QStringLiteral("line1\r\nline2"));
    EXPECT_EQ(sub->xml(2), lines({"      <SUB k=\"v\">", "         line1", "line2", "         <LEAF/>", "      </SUB>"}));
    QString saved;
    QTextStream stream(&saved);
    sub->Save(stream, 1);
    stream.flush();
    EXPECT_EQ(saved, sub->xml(1));

    // An element without name is written closed, never as the end tag "</>".
    StdXML nameless;
    nameless.LoadXML(QStringLiteral("<>"));
    ASSERT_NE(nameless.Root, nullptr);
    EXPECT_EQ(nameless.xml(), QStringLiteral("<></>\r\n"));
    StdXML back;
    back.LoadXML(nameless.xml());
    ASSERT_NE(back.Root, nullptr);
    EXPECT_EQ(back.Root->Tag, QString());
}

// Feeding the text in pieces must give the tree that the whole text gives, wherever the
// pieces are cut: inside a tag, inside an entity, between "<" and "/", in a body.
TEST(StdXMLParse, PiecesGiveTheSameTreeAsTheWholeText)
{
    const QString texts[] = {
        QStringLiteral("ab<?v 1?> <r x=\"a&gt;b\">t &amp; &lt;u&gt;<c/>v<d>w</d ></r>tail"),
        QStringLiteral("<a><b>x</a>"),
        QStringLiteral("<a>no end"),
        QStringLiteral("no tags > at all"),
        QStringLiteral("<a/><b>y</b><"),
    };
    for (const QString &text : texts) {
        StdXML whole;
        const bool wholeBalanced = whole.LoadXML(text);
        const QString expected = written(whole);
        for (qsizetype cut = 0; cut <= text.size(); ++cut) {
            for (qsizetype cut2 = cut; cut2 <= text.size(); cut2 += 3) {
                SCOPED_TRACE(QStringLiteral("%1 | cut at %2 and %3").arg(text).arg(cut).arg(cut2).toStdString());
                StdXML doc;
                XmlParser parser(doc.Root, doc.Version);
                parser.feed(QStringView(text).first(cut));
                parser.feed(QStringView(text).sliced(cut, cut2 - cut));
                parser.feed(QStringView(text).sliced(cut2));
                parser.finish();
                EXPECT_EQ(parser.isBalanced(), wholeBalanced);
                EXPECT_EQ(written(doc), expected);
                EXPECT_EQ(doc.Version, whole.Version);
            }
        }
    }
}

TEST(StdXMLParse, FilesReadInPiecesAndWrittenByTheTextFileRule)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.xml"));
    // A start tag straddles the 1000-character piece boundary.
    QString text = QStringLiteral("<r>") + QString(989, u'x') + QStringLiteral("<it a=\"b\">&amp;</it></r>");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toLatin1());
    file.close();

    StdXML doc;
    EXPECT_TRUE(doc.Load(path));
    StdXML whole;
    whole.LoadXML(text);
    EXPECT_EQ(doc.xml(), whole.xml());
    EXPECT_EQ(doc.Root->Item(1)->Body, QStringLiteral("&"));

    doc.Root->Body = QStringLiteral("Grüße €");
    doc.Save(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().left(13), QByteArray("<r>\r\n   Gr\xFC\xDF" "e"));
    file.close();
    doc.Root->Body = QStringLiteral("Ω");
    doc.Save(path);
    StdXML reread;
    reread.Load(path);
    EXPECT_EQ(reread.Root->Body, QStringLiteral("Ω"));
}

TEST(StdXMLParse, ErrorsOnEmptyDocumentsAndFiles)
{
    StdXML doc;
    doc.LoadXML(QStringLiteral("<a/>"));
    EXPECT_THROW(doc.Load(QStringLiteral("/nonexistent/dir/doc.xml")), Error);
    EXPECT_EQ(doc.Root, nullptr); // cleared before the failed read
    EXPECT_THROW(doc.xml(), Error);
    EXPECT_THROW(doc.Query(QStringLiteral("a")), Error);
    EXPECT_THROW(doc.QuerySingle(QStringLiteral("a")), Error);
    EXPECT_THROW(doc.Save(QStringLiteral("/tmp/never.xml")), Error);
    doc.SetRoot(QStringLiteral("a"), QString());
    EXPECT_THROW(doc.Save(QStringLiteral("/nonexistent/dir/doc.xml")), Error);
    try {
        doc.Root->Item(1);
        FAIL() << "Item out of range must raise";
    } catch (const Error &e) {
        EXPECT_EQ(e.number(), ErrorNumber::SubscriptOutOfRange);
    }
}

TEST(StdXMLParse, DeepTreesNeedNoDeepRecursion)
{
    constexpr int depth = 100000;
    QString text;
    for (int i = 0; i < depth; ++i)
        text += QStringLiteral("<d>");
    {
        StdXML doc;
        EXPECT_FALSE(doc.LoadXML(text));
        StdXMLNodePtr deepest = doc.QuerySingle(QStringLiteral("d") + QStringLiteral("/d").repeated(depth - 1));
        ASSERT_NE(deepest, nullptr);
        EXPECT_EQ(deepest->Count(), 0);
        StdXMLNodePtr copy = doc.Root->Clone(true);
        EXPECT_NE(copy->Item(1), doc.Root->Item(1));
    } // the chain and its copy are destroyed here
}

// Parsed nodes share storage blocks; a node a host keeps must stay whole after its
// document, its parent and its siblings are gone, and edits to it must keep working.
TEST(StdXMLParse, KeptNodesOutliveTheirDocument)
{
    QString text = QStringLiteral("<r>");
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("<e n=\"%1\">body %1<c/></e>").arg(i);
    text += QStringLiteral("</r>");

    std::vector<StdXMLNodePtr> kept;
    StdXMLNodePtr sharedChildren;
    {
        StdXML doc;
        ASSERT_TRUE(doc.LoadXML(text));
        ASSERT_EQ(doc.Root->Count(), 5000);
        for (int i = 1; i <= 5000; i += 7)
            kept.push_back(doc.Root->Item(i));
        sharedChildren = doc.Root->Item(5000)->Clone(false);
        EXPECT_EQ(kept.front()->Parent(), doc.Root);
    }
    // Storage the document gave back is used again; the kept nodes' storage must not be.
    StdXML other;
    ASSERT_TRUE(other.LoadXML(text));
    for (size_t k = 0; k < kept.size(); ++k) {
        const StdXMLNodePtr &node = kept[k];
        EXPECT_EQ(node->GetAttribute(QStringLiteral("n")), QString::number(int(k) * 7));
        EXPECT_EQ(node->Body, QStringLiteral("body %1").arg(int(k) * 7));
        EXPECT_EQ(node->Parent(), nullptr);
        ASSERT_EQ(node->Count(), 1);
        node->AddItem(QStringLiteral("neu"), QStringLiteral("x"));
        EXPECT_EQ(node->Item(2)->Parent(), node);
    }
    // Texts side by side in one block: changing one, in place or by a copy, leaves its
    // neighbours as they were, and every text stays terminated.
    QString copied = kept[1]->Body;
    kept[0]->Body += QStringLiteral(" geändert");
    kept[1]->Body.append(u'!');
    copied.prepend(u'>');
    EXPECT_EQ(kept[0]->Body, QStringLiteral("body 0 geändert"));
    EXPECT_EQ(kept[1]->Body, QStringLiteral("body 7!"));
    EXPECT_EQ(copied, QStringLiteral(">body 7"));
    EXPECT_EQ(kept[2]->Body, QStringLiteral("body 14"));
    EXPECT_EQ(kept[2]->Parameter, QStringLiteral("n=\"14\""));
    for (const StdXMLNodePtr &node : kept)
        EXPECT_EQ(node->Body.utf16()[node->Body.size()], 0);
    kept.erase(kept.begin(), kept.begin() + long(kept.size() / 2));
    EXPECT_EQ(kept.back()->Item(1)->Tag, QStringLiteral("c"));
    ASSERT_EQ(sharedChildren->Count(), 1);
    EXPECT_EQ(sharedChildren->Item(1)->Tag, QStringLiteral("c"));
}

// Element names are shared text; a body longer than a storage block gets one of its own.
TEST(StdXMLParse, SharedNamesAndLongBodies)
{
    const QString longBody(100000, u'x');
    StdXML doc;
    ASSERT_TRUE(doc.LoadXML(QStringLiteral("<r><a>") + longBody + QStringLiteral("</a><a>kurz</a><b/></r>")));
    ASSERT_EQ(doc.Root->Count(), 3);
    const StdXMLNodePtr first = doc.Root->Item(1);
    const StdXMLNodePtr second = doc.Root->Item(2);
    EXPECT_EQ(first->Body, longBody);
    EXPECT_EQ(second->Body, QStringLiteral("kurz"));
    EXPECT_EQ(first->Tag.constData(), second->Tag.constData());
    second->Tag += u'2'; // detaches from the shared name
    EXPECT_EQ(first->Tag, QStringLiteral("a"));
    EXPECT_EQ(doc.Root->Item(3)->Tag, QStringLiteral("b"));
}
