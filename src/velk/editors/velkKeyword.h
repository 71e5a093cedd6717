#pragma once

#include <velk/common/Collection.h>
#include <velk/editors/velkKeywordData.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

class QMenu;

namespace velk {

/// The events of a velkKeyword.
class VELK_EXPORT velkKeywordEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// After every pick: "caption=keyword", or the keyword alone when caption is empty.
    void SetKeyword(const QString &keyword);
    /// The user chose "Aktualisieren" in the popup list.
    void Refresh();
};

/// A bar of up to eight keyword buttons `velkButton1` (indices 0 to 7) under the caption
/// `Label1`, most often picked first, with the popup button `velkButton2` that opens
/// `menu_popup`: every keyword (`menu_kw`, indices from 0 for keyword 1), "neues
/// Keyword..." (`menu_neu`) and "Aktualisieren" (`menu_refresh`).
///
/// A pick counts for the picked keyword and against all others; a pick from the popup
/// list or a new keyword ranks the keywords again, a pick by button keeps the buttons in
/// place. With `KeywordsRegistry` set ("key path\\value name" under the current user) the
/// counts are stored with every pick and taken back by AddItem, so the order survives a
/// restart; without it every control starts at 0.
class VELK_EXPORT velkKeyword : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption STORED false)
    Q_PROPERTY(QString KeywordsRegistry READ KeywordsRegistry WRITE setKeywordsRegistry STORED false)

public:
    using DataPtr = std::shared_ptr<velkKeywordData>;

    Q_INVOKABLE explicit velkKeyword(QWidget *parent = nullptr);
    ~velkKeyword() override;

    velkKeywordEvents *events() const;
    QMenu *popupMenu() const;

    /// Shown in Label1 and put before every reported pick with "=" when not empty.
    QString caption() const;
    void setCaption(const QString &value);
    /// Where the counts are kept; empty: nowhere. Setting it reads the stored counts and
    /// gives them to the keywords already added (the next Refresh ranks).
    QString KeywordsRegistry() const;
    void setKeywordsRegistry(const QString &value);

    /// The keywords in display order (1-based), keyed by their text.
    const Collection<DataPtr> &Keywords() const;

    /// Appends the keyword `a` with its popup entry; its stored counts come back when
    /// KeywordsRegistry is set. An empty or already present text adds nothing.
    Q_INVOKABLE void AddItem(const QString &a);
    /// Empties caption and Keywords, drops the popup entries but the first (hidden) and
    /// hides the buttons.
    Q_INVOKABLE void Clear();
    /// Ranks the keywords when stored counts were taken back since the last ranking, then
    /// lays the caption and the buttons out again.
    Q_INVOKABLE void Refresh();
    /// Picks keyword `i` (1-based) as its button (`fromPopup` false) or its popup entry
    /// does; ignored outside 1 .. Keywords.Count.
    Q_INVOKABLE void PickKeyword(int i, bool fromPopup);
    /// Asks for a keyword (input box "neues Keyword"): an existing one is picked, a new
    /// one added and picked. A cancelled or empty answer changes nothing.
    Q_INVOKABLE void NewKeyword();
    /// Opens the popup list below the popup button.
    Q_INVOKABLE void ShowPopup();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
