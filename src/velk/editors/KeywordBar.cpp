#include "KeywordBar_p.h"

#include <algorithm>

namespace velk {

// --- KeywordBarModel ------------------------------------------------------------------------

bool KeywordBarModel::add(const QString &text, int clicks, int clicksOther)
{
    if (text.isEmpty())
        return false;
    auto data = std::make_shared<velkKeywordData>();
    data->Text = text;
    data->Clicks = clicks;
    data->ClicksOther = clicksOther;
    return m_keywords.Add(std::move(data), text);
}

bool KeywordBarModel::countPick(int i)
{
    const DataPtr picked = at(i);
    if (!picked)
        return false;
    ++picked->Clicks;
    // A keyword picked from beyond the first three starts just behind the leaders.
    if (i > 3)
        picked->ClicksOther = 2;
    for (const DataPtr &data : m_keywords) {
        if (data != picked)
            ++data->ClicksOther;
    }
    return true;
}

void KeywordBarModel::rank()
{
    std::vector<DataPtr> order;
    order.reserve(size_t(m_keywords.Count()));
    for (const DataPtr &data : m_keywords)
        order.push_back(data);
    std::stable_sort(order.begin(), order.end(),
                     [](const DataPtr &a, const DataPtr &b) { return a->Ranking() > b->Ranking(); });
    m_keywords.Clear();
    m_keywords.reserve(int(order.size()));
    for (DataPtr &data : order) {
        const QString key = data->Text;
        m_keywords.Add(std::move(data), key);
    }
}

// --- KeywordLearning ------------------------------------------------------------------------

bool KeywordLearning::parse(const QString &line, Counts &out)
{
    const qsizetype first = line.indexOf(u',');
    const qsizetype second = first < 0 ? -1 : line.indexOf(u',', first + 1);
    if (second < 0 || second + 1 >= line.size())
        return false;
    bool clicksOk = false;
    bool otherOk = false;
    const int clicks = QStringView(line).left(first).toInt(&clicksOk);
    const int other = QStringView(line).mid(first + 1, second - first - 1).toInt(&otherOk);
    if (!clicksOk || !otherOk || clicks < 0 || other < 0)
        return false;
    out = {line.mid(second + 1), clicks, other};
    return true;
}

QString KeywordLearning::format(const velkKeywordData &data)
{
    return QString::number(data.Clicks) + u',' + QString::number(data.ClicksOther) + u',' + data.Text;
}

void KeywordLearning::load(const QStringList &stored)
{
    m_counts.clear();
    m_index.clear();
    for (const QString &line : stored) {
        Counts counts;
        if (!parse(line, counts) || m_index.contains(counts.text))
            continue;
        m_index.insert(counts.text, int(m_counts.size()));
        m_counts.push_back(std::move(counts));
    }
}

const KeywordLearning::Counts *KeywordLearning::find(const QString &text) const
{
    const auto it = m_index.constFind(text);
    return it == m_index.constEnd() ? nullptr : &m_counts[size_t(it.value())];
}

QStringList KeywordLearning::merge(const Collection<KeywordBarModel::DataPtr> &loaded)
{
    std::vector<Counts> merged;
    merged.reserve(m_counts.size() + size_t(loaded.Count()));
    for (const KeywordBarModel::DataPtr &data : loaded)
        merged.push_back({data->Text, data->Clicks, data->ClicksOther});
    for (Counts &counts : m_counts) {
        if (!loaded.Exists(counts.text))
            merged.push_back(std::move(counts));
    }
    m_counts = std::move(merged);
    m_index.clear();
    QStringList lines;
    lines.reserve(qsizetype(m_counts.size()));
    for (size_t i = 0; i < m_counts.size(); ++i) {
        const Counts &counts = m_counts[i];
        m_index.insert(counts.text, int(i));
        lines.append(QString::number(counts.clicks) + u',' + QString::number(counts.clicksOther) + u',' + counts.text);
    }
    return lines;
}

// --- KeywordBarLayout -----------------------------------------------------------------------

KeywordBarLayout KeywordBarLayout::compute(const std::vector<int> &textWidths, int captionWidth, int lineHeight)
{
    KeywordBarLayout plan;
    const int labelHeight = lineHeight + 60;
    const int buttonTop = labelHeight + 30;
    const int buttonHeight = lineHeight + 150;
    int left = 0;
    const size_t shown = std::min(textWidths.size(), size_t(MaxButtons));
    for (size_t b = 0; b < shown; ++b) {
        const int width = std::max(textWidths[b], 0) + ButtonPaddingTwips;
        plan.buttons.emplace_back(left, buttonTop, width, buttonHeight);
        left += width + ButtonGapTwips;
    }
    plan.popup = QRect(left, buttonTop, PopupWidthTwips, buttonHeight);
    plan.label = QRect(0, 0, std::max(captionWidth + 60, plan.popup.right() + 1), labelHeight);
    return plan;
}

QSize KeywordBarLayout::extent() const
{
    return QSize(std::max(label.right(), popup.right()) + 1, popup.bottom() + 1);
}

} // namespace velk
