#pragma once

#include <velk/common/RecordArena_p.h>
#include <velk/common/TextBlocks_p.h>
#include <velk/xml/StdXMLNode.h>

#include <QHash>
#include <QString>
#include <QStringView>

#include <array>
#include <unordered_map>
#include <vector>

namespace velk {

/// The dialect's parser, fed whole or in pieces. It walks the text once with a moving
/// position and keeps the open elements on a stack, so neither long text nor deep
/// nesting costs more than one pass. Fed in pieces it gives the same tree as fed whole:
/// a tag is taken only once the "<" that ends its following text has arrived, and the
/// last tag when the text is finished.
///
/// An element's children are gathered on the stack and handed to it in one block when
/// it ends (or when the text is finished), so each child list is allocated once at its
/// final size; nodes come from an arena. The tree is complete once `parse` or `finish`
/// has returned.
class VELK_TESTS_EXPORT XmlParser
{
public:
    /// Parses into `root` and `version`, which the caller has cleared.
    XmlParser(StdXMLNodePtr &root, QString &version);
    /// Hands any children still gathered to their elements.
    ~XmlParser();
    XmlParser(const XmlParser &) = delete;
    XmlParser &operator=(const XmlParser &) = delete;

    /// Parses the whole of `text`.
    void parse(const QString &text);
    /// Appends a piece and parses every tag it completes.
    void feed(QStringView piece);
    /// Parses what is left after the last piece.
    void finish();
    /// True when every start tag read so far has been closed.
    bool isBalanced() const { return m_depth == 0 && !m_leftOpen; }

private:
    void run(bool isFinal);
    bool findFirstTag();
    void compactBuffer();
    void handleTag(QStringView tagText, QStringView following);
    void openElement(QStringView tagText, QStringView following);
    void closeElement();
    void closeAll();
    QString sharedName(QStringView name);

    // An element whose end tag has not come yet, with the children read so far.
    struct OpenElement
    {
        StdXMLNode *node = nullptr;
        std::vector<StdXMLNodePtr> children;
    };

    StdXMLNodePtr &m_root;
    QString &m_version;
    RecordArena m_arena;
    TextBlocks m_texts;
    // The open elements, outermost first. Entries past m_depth are unused but keep their
    // vectors' capacity for the next element at that depth.
    std::vector<OpenElement> m_open;
    size_t m_depth = 0;
    bool m_leftOpen = false; // elements were still open when the text was finished
    // Element names read so far, each shared by all its elements: a document repeats a
    // handful of names, and sharing their text saves an allocation per element.
    struct NameHash
    {
        size_t operator()(QStringView s) const noexcept { return qHash(s); }
    };
    static constexpr size_t kMaxSharedNames = 1024;
    struct SharedName
    {
        static constexpr int kRefsAtOnce = 1 << 20;
        QString text;
        int unusedRefs = 0;
        QString share();
        void giveBackRefs();
    };
    std::unordered_map<QStringView, SharedName, NameHash> m_names;
    std::array<SharedName *, 61> m_recentNames{};

    QString m_buffer;
    bool m_hasStarted = false; // the text before the first "<" has been dropped
    qsizetype m_tagStart = 0;  // just after the "<" of the tag being read
    qsizetype m_tagEnd = -1;   // its ">", once found
    qsizetype m_scanFrom = 0;  // where the search for the next ">" or "<" goes on
};

} // namespace velk
