// Keyword texts: line 1 is a keyword list for AddTopics, line 2 a SelectedKeywords text,
// the rest stored learning lines ("Clicks,ClicksOther,Text"). The list must come out
// sorted, every selected entry must find only registered rows, and a rebuilt selection
// must tick exactly the rows it was rebuilt from; stored lines must read back as written.

#include "TextFuzzing.h"

#include <velk/editors/KeywordBar_p.h>
#include <velk/editors/KeywordList_p.h>

#include <QSet>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace velk;

namespace {

void checkList(const QString &listText, const QString &selected)
{
    KeywordList list;
    list.addAll(listText);
    const QStringList entries = list.entries();
    for (qsizetype i = 1; i < entries.size(); ++i)
        fuzzCheck(entries[i - 1].toLower() <= entries[i].toLower(), "entries sorted without regard to case");

    KeywordTicks ticks;
    for (qsizetype i = 0; i < entries.size(); ++i)
        ticks.addRow(int(i) + 1, entries[i]);
    QSet<int> ticked;
    for (const QString &entry : selected.split(u';', Qt::SkipEmptyParts)) {
        for (int pos : ticks.rowsOf(entry)) {
            fuzzCheck(pos >= 1 && pos <= entries.size(), "rows in range");
            ticked.insert(pos);
        }
    }
    // Clear the first ticked row as a user would, then apply the rebuilt text again.
    if (!ticked.isEmpty())
        ticked.remove(*std::min_element(ticked.begin(), ticked.end()));
    const QString rebuilt = ticks.rebuilt(selected, [&](int pos) { return ticked.contains(pos); });
    QSet<int> again;
    for (const QString &entry : rebuilt.split(u';', Qt::SkipEmptyParts)) {
        for (int pos : ticks.rowsOf(entry))
            again.insert(pos);
    }
    // Identical entries, entries holding ";" and entries without a topic before "=" cannot
    // be told apart in a selection text; every other list must round-trip.
    const bool nameable = QSet<QString>(entries.begin(), entries.end()).size() == entries.size()
        && std::none_of(entries.begin(), entries.end(),
                        [](const QString &e) { return e.contains(u';') || e.startsWith(u'='); });
    fuzzCheck(!nameable || again == ticked, "rebuilt selection ticks the same rows");
    KeywordQuery(selected).matches(listText);
}

void checkLearning(const QStringList &lines)
{
    KeywordLearning learning;
    learning.load(lines);
    KeywordBarModel model;
    for (const QString &line : lines) {
        KeywordLearning::Counts counts;
        if (KeywordLearning::parse(line, counts)) {
            fuzzCheck(counts.clicks >= 0 && counts.clicksOther >= 0 && !counts.text.isEmpty(), "parsed counts valid");
            model.add(counts.text, counts.clicks, counts.clicksOther);
        }
    }
    model.countPick(model.count());
    model.rank();
    const QStringList written = learning.merge(model.keywords());
    KeywordLearning reread;
    reread.load(written);
    for (const auto &data : model.keywords()) {
        const KeywordLearning::Counts *counts = reread.find(data->Text);
        fuzzCheck(counts && counts->clicks == data->Clicks && counts->clicksOther == data->ClicksOther,
                  "stored counts read back");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzzText(data, size).split(u'\n');
    checkList(lines.value(0), lines.value(1));
    checkLearning(lines.mid(2));
    return 0;
}
