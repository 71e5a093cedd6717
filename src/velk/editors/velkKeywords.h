#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace velk {

class velkMenuBar;
class velkSheet;

/// The events of a velkKeywords.
class VELK_EXPORT velkKeywordsEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// A keyword's box was ticked (`Enabled` true) or cleared by the user, or a keyword
    /// was added, renamed or deleted through the list. `keyword` is the entry as added:
    /// "topic=keyword" or the keyword alone.
    void SetKeyword(const QString &keyword, bool Enabled);
    /// A keyword row was double-clicked; `q` is its entry.
    void Query(const QString &q);
    /// The embedded sheet was clicked.
    void Click();
};

/// A list of keywords grouped by topic, picked by ticking check boxes, on the embedded
/// sheet `velkSheet1`; the bar `velkMenuBar1` above it adds, renames and deletes keywords.
///
/// Entries are "topic=keyword" or a keyword alone, kept sorted without regard to case.
/// Refresh shows each topic as a row (icon "topicpath", no box) followed by its keywords
/// (icon "#", Indent 1); a keyword without a topic stands at Indent 0. The last row
/// "[ neues Keyword ]" asks for a new keyword when ticked.
///
/// `SelectedKeywords` is a ";"-separated list of entries: "topic=keyword" ticks that row,
/// a keyword alone ticks it in every topic. When the user ticks or clears a box, the text
/// is rebuilt keeping its order and the entries the list does not know.
class VELK_EXPORT velkKeywords : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString SelectedKeywords READ SelectedKeywords WRITE setSelectedKeywords STORED false)
    Q_PROPERTY(QString Query READ Query WRITE setQuery STORED false)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw STORED false)

public:
    Q_INVOKABLE explicit velkKeywords(QWidget *parent = nullptr);
    ~velkKeywords() override;

    velkKeywordsEvents *events() const;
    velkSheet *sheet() const;
    velkMenuBar *menuBar() const;

    /// Empties the keyword list and SelectedKeywords (the sheet keeps its rows until Refresh).
    Q_INVOKABLE void Clear();
    /// Adds an entry to the keyword list; an empty text is ignored.
    Q_INVOKABLE void AddTopic(const QString &txt);
    /// Adds each ","-separated part of `txt` with AddTopic.
    Q_INVOKABLE void AddTopics(const QString &txt);
    /// Fills the sheet from the keyword list, selects the entries named in Query, adds the
    /// new-keyword row and ticks the boxes from SelectedKeywords.
    Q_INVOKABLE void Refresh();
    /// Adds the row "[ neues Keyword ]" at the end of the sheet.
    Q_INVOKABLE void FillNew();
    /// The keyword list in its sorted order.
    Q_INVOKABLE QStringList Entries() const;

    QString SelectedKeywords() const;
    /// Stores the text and ticks exactly the rows it names.
    void setSelectedKeywords(const QString &value);
    QString Query() const;
    /// Used by the next Refresh: entries found between "/" separators are selected.
    void setQuery(const QString &value);
    bool Redraw() const;
    void setRedraw(bool on);

    /// Asks for a new keyword (input box "neues Keyword"), adds and ticks it. A cancelled
    /// or empty answer changes nothing. The text is prefilled with the current row's topic.
    Q_INVOKABLE void NewKeyword();
    /// Asks for a new name of the current keyword row and renames its entry.
    Q_INVOKABLE void RenameKeyword();
    /// Deletes the current keyword row's entry after asking.
    Q_INVOKABLE void DeleteKeyword();

    QSize sizeHint() const override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
