#pragma once

#include <velk/xml/StdXMLNode.h>

#include <QString>
#include <QStringView>

#include <array>

namespace velk {

/// The dialect's parser, fed whole or in pieces. It walks the text once with a moving
/// position and keeps the open element in a cursor, so neither long text nor deep
/// nesting costs more than one pass. Fed in pieces it gives the same tree as fed whole:
/// a tag is taken only once the "<" that ends its following text has arrived, and the
/// last tag when the text is finished.
class VELK_TESTS_EXPORT XmlParser
{
public:
    /// Parses into `root` and `version`, which the caller has cleared.
    XmlParser(StdXMLNodePtr &root, QString &version);

    /// Parses the whole of `text`.
    void parse(const QString &text);
    /// Appends a piece and parses every tag it completes.
    void feed(QStringView piece);
    /// Parses what is left after the last piece.
    void finish();
    /// True when every start tag read so far has been closed.
    bool isBalanced() const { return m_cursor == nullptr; }

private:
    void run(bool isFinal);
    bool findFirstTag();
    void compactBuffer();
    void handleTag(QStringView tagText, QStringView following);
    void openElement(QStringView tagText, QStringView following);
    QString sharedName(QStringView name);

    StdXMLNodePtr &m_root;
    QString &m_version;
    StdXMLNode *m_cursor = nullptr;
    // Element names seen last: a document repeats a handful of names, and sharing their
    // text saves an allocation per element.
    std::array<QString, 8> m_names;
    size_t m_nextName = 0;

    QString m_buffer;
    bool m_hasStarted = false; // the text before the first "<" has been dropped
    qsizetype m_tagStart = 0;  // just after the "<" of the tag being read
    qsizetype m_tagEnd = -1;   // its ">", once found
    qsizetype m_scanFrom = 0;  // where the search for the next ">" or "<" goes on
};

} // namespace velk
