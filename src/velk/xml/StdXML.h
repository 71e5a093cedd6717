#pragma once

#include <velk/xml/StdXMLNode.h>
#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// A document of the library's XML dialect: one root element and the text of one
/// processing instruction. Reading never fails on malformed text: an unbalanced document
/// shows only in the result of `LoadXML`.
///
/// `xml`, `Query`, `QuerySingle` and `Save` raise velk::Error on a document without root;
/// `Load` and `Save` raise it when the file cannot be opened.
class VELK_EXPORT StdXML
{
public:
    /// The document element, or nullptr.
    StdXMLNodePtr Root;
    /// The processing instruction without its angle brackets, e.g. `?xml version="1.0"?`.
    QString Version;

    /// Clears the document and parses `xmldata`; true when every start tag read was closed
    /// (also when no element was read).
    bool LoadXML(const QString &xmldata);
    /// The document as text: the processing instruction line (if any), then the root.
    QString xml() const;
    /// All matches of path `q` evaluated from the root (its first step names the root).
    StdXMLNodes Query(const QString &q) const;
    /// The first match of `q` from the root, or nullptr.
    StdXMLNodePtr QuerySingle(const QString &q) const;
    /// Clears the document, reads `file` and parses it; true once read.
    bool Load(const QString &file);
    /// Writes `xml()` to `file` (Windows-1252 with CR LF, or UTF-8 with byte-order mark when
    /// a character does not fit), replacing it.
    void Save(const QString &file) const;
    /// Root becomes nullptr and Version empty.
    void Clear();
    /// A new root: Tag = first space-separated word of `xmltag`, Parameter = the rest,
    /// Body = `xmldata`. Version is kept.
    StdXMLNodePtr SetRoot(const QString &xmltag, const QString &xmldata);
    /// A new unattached node whose Tag is all of `newtag`.
    StdXMLNodePtr CreateElement(const QString &newtag) const;

private:
    const StdXMLNodePtr &requireRoot(const char *member) const;
};

} // namespace velk
