#include "velkKeywords.h"

#include "KeywordList_p.h"

#include <velk/common/RecordArena_p.h>
#include <velk/common/TextBlocks_p.h>
#include <velk/common/Translate.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Dialogs.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetState_p.h>
#include <velk/sheet/velkSheet.h>
#include <velk/sheet/velkSheet_p.h>

#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <vector>

namespace velk {
namespace {

const QString kTopicIcon = QStringLiteral("topicpath");
const QString kKeywordIcon = QStringLiteral("#");
const QString kSheetFlags = QStringLiteral("multiselectsimple richtext");
constexpr int kTextId = 3139; // "neues Keyword"
constexpr int kTextsAhead = 8;

enum MenuId { MenuNew = 1, MenuRename = 2, MenuDelete = 3 };

QString newRowText()
{
    return QStringLiteral("[ ") + Translate(kTextId) + QStringLiteral(" ]");
}

std::shared_ptr<SheetData> makeRow(RecordArena &arena, const QString &text, const QString &icon, int indent,
                                   int checkState, const QString &tag = QString())
{
    auto row = arena.make<SheetData>();
    row->setText(text);
    row->setIcon(icon);
    row->Indent = short(indent);
    row->Expanded = true;
    row->CheckState = short(checkState);
    row->Tag = tag;
    return row;
}

QStringList withoutEntry(const QString &selected, const QString &entry)
{
    QStringList parts = selected.split(u';', Qt::SkipEmptyParts);
    parts.removeAll(entry);
    return parts;
}

} // namespace

struct velkKeywords::Private
{
    velkKeywords *q;
    velkKeywordsEvents *events;
    velkMenuBar *menuBar;
    velkSheet *sheet;
    KeywordList list;
    KeywordTicks ticks;
    RecordArena rowArena; // the sheet rows of each fill lie one after another
    QString selected;
    QString query;

    explicit Private(velkKeywords *owner)
        : q(owner)
        , events(new velkKeywordsEvents(owner))
        , menuBar(new velkMenuBar(owner))
        , sheet(new velkSheet(owner))
    {
        events->setObjectName(QStringLiteral("events"));
        menuBar->setObjectName(QStringLiteral("velkMenuBar1"));
        menuBar->setMenu(QStringLiteral("newfile#Neu,edit#Umbenennen,delete#L\u00f6schen"));
        sheet->setObjectName(QStringLiteral("velkSheet1"));
        sheet->setFlags(kSheetFlags);
        auto *layout = new QVBoxLayout(owner);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(menuBar);
        layout->addWidget(sheet, 1);
        connectChildren();
    }

    void connectChildren()
    {
        QObject::connect(sheet->events(), &velkSheetEvents::Checked, q,
                         [this](int row, int preState, int &newState) { onChecked(row, preState, newState); });
        QObject::connect(sheet->events(), &velkSheetEvents::DblClick, q, [this](int row, int) {
            const QString entry = ticks.entryOf(row);
            if (!entry.isEmpty())
                emit events->Query(entry);
        });
        QObject::connect(sheet->events(), &velkSheetEvents::Click, events, &velkKeywordsEvents::Click);
        QObject::connect(menuBar->events(), &velkMenuBarEvents::Click, q, [this](int &id, int &, float &, float &) {
            if (id == MenuNew)
                q->NewKeyword();
            else if (id == MenuRename)
                q->RenameKeyword();
            else if (id == MenuDelete)
                q->DeleteKeyword();
        });
    }

    SheetModel &model() { return SheetInternals::state(*sheet).model(); }

    bool isTicked(int pos) const
    {
        const auto row = sheet->ListItem(pos);
        return row && row->CheckState == 2;
    }

    // The rows of the keyword list, in sorted order, registered with the tick index.
    std::vector<std::shared_ptr<SheetData>> buildRows()
    {
        ticks.clear();
        ticks.reserve(list.count());
        const KeywordQuery matcher(query);
        std::vector<std::shared_ptr<SheetData>> rows;
        rows.reserve(size_t(list.count()) * 2 + 1);
        // The fill's texts share a few large blocks instead of an allocation each.
        TextBlocks texts;
        // The topic is looked at in place; only a topic row makes a string of it.
        std::optional<QStringView> previousTopic;
        const int count = list.count();
        for (int i = 0; i < count; ++i) {
            // Sorted, the texts are read in scattered order: ask early for one a few on.
            if (i + kTextsAhead < count)
                __builtin_prefetch(list.at(i + kTextsAhead).utf16());
            const QStringView text = list.at(i);
            const qsizetype eq = text.indexOf(u'=');
            const bool hasTopic = eq >= 0;
            if (hasTopic) {
                const QStringView topic = text.left(eq);
                if (previousTopic != topic)
                    rows.push_back(makeRow(rowArena, texts.copy(topic), kTopicIcon, 0, 0));
                previousTopic = topic;
            } else {
                previousTopic.reset();
            }
            // The entry's strings are made here, in row order, in the fill's blocks.
            const QString entry = texts.copy(text);
            const QString keyword = hasTopic ? texts.copy(text.mid(eq + 1)) : entry;
            auto row = makeRow(rowArena, keyword, kKeywordIcon, hasTopic ? 1 : 0, 1, entry);
            row->Selected = matcher.matches(entry);
            rows.push_back(std::move(row));
            ticks.addRow(int(rows.size()), entry);
        }
        return rows;
    }

    // Sets the check boxes from `selected`. Rows just filled already have the boxes a
    // reset gives them, so Refresh skips that pass over every row.
    void applySelected(bool freshRows = false)
    {
        const std::vector<std::shared_ptr<SheetData>> &rows = model().rows().all();
        if (!freshRows) {
            for (const auto &row : rows)
                row->CheckState = row->Icon() == kTopicIcon ? 0 : 1;
        }
        ticks.forEachTickedRow(selected, [&rows](int pos) {
            if (pos >= 1 && size_t(pos) <= rows.size())
                rows[size_t(pos - 1)]->CheckState = 2;
        });
        sheet->Refresh();
    }

    void onChecked(int pos, int preState, int &newState)
    {
        const auto row = sheet->ListItem(pos);
        if (!row)
            return;
        if (row->GetSubText(1) == newRowText()) {
            newState = 1;
            row->CheckState = 1;
            q->NewKeyword();
            return;
        }
        const QString entry = ticks.entryOf(pos);
        if (entry.isEmpty()) { // a topic row keeps having no box
            newState = preState;
            return;
        }
        const bool ticked = newState == 2;
        selected = ticks.rebuilt(selected, [&](int p) { return p == pos ? ticked : isTicked(p); });
        emit events->SetKeyword(entry, ticked);
    }

    // The entry of the current row, or of the keyword row the user works on.
    QString currentEntry() const
    {
        const auto row = sheet->Selected();
        return row ? ticks.entryOf(row->Index()) : QString();
    }

    // "topic=" when the current row is a topic or one of its keywords.
    QString currentTopicPrefix() const
    {
        const auto row = sheet->Selected();
        if (!row)
            return QString();
        if (row->Icon() == kTopicIcon)
            return row->GetSubText(1) + u'=';
        const KeywordEntry parts = KeywordEntry::parse(ticks.entryOf(row->Index()));
        return parts.hasTopic ? parts.topic + u'=' : QString();
    }

    // A usable entry typed by the user, or nothing (cancelled, empty, only a topic, ";").
    std::optional<QString> askEntry(const QString &prompt, const QString &title, const QString &preset)
    {
        const std::optional<QString> answer = Dialogs::instance().InputBox(prompt, title, preset);
        if (!answer)
            return std::nullopt;
        const QString text = answer->trimmed();
        if (text.isEmpty() || KeywordEntry::parse(text).keyword.trimmed().isEmpty())
            return std::nullopt;
        if (text.contains(u';') || text.contains(u',') || text.contains(u'\t')) {
            Dialogs::instance().MsgBox(QStringLiteral("Ein Keyword darf weder \";\" noch \",\" noch einen Tabulator enthalten."),
                                       MsgBoxStyle::Exclamation, title);
            return std::nullopt;
        }
        return text;
    }

    // Ticks every row of `entry` by naming it in SelectedKeywords unless it is ticked already.
    void tickEntry(const QString &entry)
    {
        const std::vector<int> rows = ticks.rowsOf(entry);
        const bool allTicked = std::all_of(rows.begin(), rows.end(), [this](int p) { return isTicked(p); });
        if (!rows.empty() && !allTicked)
            selected = selected.isEmpty() ? entry : selected + u';' + entry;
        applySelected();
        if (!rows.empty())
            sheet->EnsureVisible(rows.front());
    }
};

velkKeywords::velkKeywords(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
}

velkKeywords::~velkKeywords() = default;

velkKeywordsEvents *velkKeywords::events() const { return d->events; }
velkSheet *velkKeywords::sheet() const { return d->sheet; }
velkMenuBar *velkKeywords::menuBar() const { return d->menuBar; }

void velkKeywords::Clear()
{
    d->list.clear();
    d->ticks.clear();
    d->selected.clear();
    d->sheet->Clear();
}

void velkKeywords::AddTopic(const QString &txt) { d->list.add(txt); }

void velkKeywords::AddTopics(const QString &txt) { d->list.addAll(txt); }

void velkKeywords::Refresh()
{
    const bool redraw = d->sheet->Redraw();
    d->sheet->setRedraw(false);
    d->sheet->Clear();
    d->sheet->setFlags(kSheetFlags);
    d->model().insertItems(0, d->buildRows());
    FillNew();
    d->applySelected(true);
    d->sheet->setRedraw(redraw);
}

void velkKeywords::FillNew()
{
    d->model().insertItems(0, {makeRow(d->rowArena, newRowText(), QStringLiteral("newfile"), 0, 1)});
    d->sheet->Refresh();
}

QStringList velkKeywords::Entries() const { return d->list.entries(); }

QString velkKeywords::SelectedKeywords() const { return d->selected; }

void velkKeywords::setSelectedKeywords(const QString &value)
{
    d->selected = value;
    d->applySelected();
}

QString velkKeywords::Query() const { return d->query; }

void velkKeywords::setQuery(const QString &value) { d->query = value; }

bool velkKeywords::Redraw() const { return d->sheet->Redraw(); }

void velkKeywords::setRedraw(bool on) { d->sheet->setRedraw(on); }

void velkKeywords::NewKeyword()
{
    const QString preset = d->currentTopicPrefix();
    const std::optional<QString> entry = d->askEntry(QStringLiteral("Keyword (Thema=Keyword oder nur Keyword):"),
                                                     Translate(kTextId), preset);
    if (!entry)
        return;
    if (!d->list.contains(*entry))
        d->list.add(*entry);
    Refresh();
    d->tickEntry(*entry);
    emit d->events->SetKeyword(*entry, true);
}

void velkKeywords::RenameKeyword()
{
    const QString old = d->currentEntry();
    if (old.isEmpty())
        return;
    const std::optional<QString> entry = d->askEntry(QStringLiteral("Neuer Name des Keywords:"),
                                                     QStringLiteral("Keyword umbenennen"), old);
    if (!entry || *entry == old)
        return;
    const bool wasTicked = d->isTicked(d->sheet->SelectedIndex());
    d->list.remove(old);
    if (!d->list.contains(*entry))
        d->list.add(*entry);
    QStringList parts = d->selected.split(u';', Qt::SkipEmptyParts);
    std::replace(parts.begin(), parts.end(), old, *entry);
    d->selected = parts.join(u';');
    Refresh();
    if (wasTicked) {
        d->tickEntry(*entry);
        emit d->events->SetKeyword(old, false);
        emit d->events->SetKeyword(*entry, true);
    }
}

void velkKeywords::DeleteKeyword()
{
    const QString entry = d->currentEntry();
    if (entry.isEmpty())
        return;
    const int answer = Dialogs::instance().MsgBox(QStringLiteral("Das Keyword \"%1\" l\u00f6schen?").arg(entry),
                                                  MsgBoxStyle::YesNo | MsgBoxStyle::Question,
                                                  QStringLiteral("Keyword l\u00f6schen"));
    if (answer != MsgBoxResult::Yes)
        return;
    const bool wasTicked = d->isTicked(d->sheet->SelectedIndex());
    d->list.remove(entry);
    d->selected = withoutEntry(d->selected, entry).join(u';');
    Refresh();
    if (wasTicked)
        emit d->events->SetKeyword(entry, false);
}

QSize velkKeywords::sizeHint() const
{
    return QSize(240, 300);
}

[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkKeywords>(QStringLiteral("velkKeywords")), true);

} // namespace velk
