#include "StdXML.h"

#include "XmlParser_p.h"
#include "XmlText_p.h"
#include "XmlWriter_p.h"

#include <velk/common/Error.h>
#include <velk/common/TextFile.h>

namespace velk {

namespace {

// The run-time error for a file that cannot be written.
constexpr int kPathFileAccessError = 75;

} // namespace

const StdXMLNodePtr &StdXML::requireRoot(const char *member) const
{
    if (!Root)
        throw Error(ErrorNumber::ObjectRequired,
                    QStringLiteral("StdXML.%1: Das Dokument hat kein Wurzelelement").arg(QLatin1StringView(member)));
    return Root;
}

bool StdXML::LoadXML(const QString &xmldata)
{
    Clear();
    XmlParser parser(Root, Version);
    parser.parse(xmldata);
    return parser.isBalanced();
}

QString StdXML::xml() const
{
    const StdXMLNodePtr &root = requireRoot("xml");
    QString out;
    if (!Version.isEmpty()) {
        out += u'<';
        out += Version;
        out += QStringView(u">\r\n");
    }
    XmlWriter::write(out, *root, 0);
    return out;
}

StdXMLNodes StdXML::Query(const QString &q) const
{
    StdXMLNodes c;
    requireRoot("Query")->QueryAdd(c, q, true, 0);
    return c;
}

StdXMLNodePtr StdXML::QuerySingle(const QString &q) const
{
    StdXMLNodes c;
    requireRoot("QuerySingle")->QueryAdd(c, q, false, 0);
    return c.value(1);
}

bool StdXML::Load(const QString &file)
{
    Clear();
    const std::optional<QString> text = TextFile::read(file);
    if (!text)
        throw Error(ErrorNumber::FileNotFound,
                    QStringLiteral("StdXML.Load: Die Datei \"%1\" kann nicht geöffnet werden").arg(file));
    XmlParser parser(Root, Version);
    parser.parse(*text);
    return true;
}

void StdXML::Save(const QString &file) const
{
    if (!TextFile::write(file, xml()))
        throw Error(kPathFileAccessError,
                    QStringLiteral("StdXML.Save: Die Datei \"%1\" kann nicht geschrieben werden").arg(file));
}

void StdXML::Clear()
{
    Root.reset();
    Version.clear();
}

StdXMLNodePtr StdXML::SetRoot(const QString &xmltag, const QString &xmldata)
{
    Root = StdXMLNode::create();
    std::tie(Root->Tag, Root->Parameter) = XmlText::splitTag(xmltag);
    Root->Body = xmldata;
    return Root;
}

StdXMLNodePtr StdXML::CreateElement(const QString &newtag) const
{
    StdXMLNodePtr node = StdXMLNode::create();
    node->Tag = newtag;
    return node;
}

} // namespace velk
