#include "SheetState_p.h"

#include <algorithm>

namespace velk {

SheetMenuEntry SheetMenuEntry::fromCaption(const QString &cap, const QString &cmd)
{
    static const QString checkedPrefix = QStringLiteral("checked:");
    SheetMenuEntry entry;
    entry.checked = cap.startsWith(checkedPrefix);
    entry.caption = entry.checked ? cap.mid(checkedPrefix.size()) : cap;
    entry.cmd = cmd;
    return entry;
}

SheetState::SheetState() = default;

const SheetMenuEntry &SheetState::addMenuEntry(const QString &cap, const QString &cmd)
{
    SheetMenuEntry entry = SheetMenuEntry::fromCaption(cap, cmd);
    // The next number after the highest loaded one, as a control array loads its next element.
    entry.index = m_menuEntries.empty() ? 1 : m_menuEntries.back().index + 1;
    m_menuEntries.push_back(std::move(entry));
    changed();
    return m_menuEntries.back();
}

int SheetState::removeMenuEntries(const QString &cmd)
{
    const auto removed = std::erase_if(m_menuEntries, [&](const SheetMenuEntry &entry) { return entry.cmd == cmd; });
    if (removed > 0)
        changed();
    return int(removed);
}

void SheetState::clearMenuEntries()
{
    if (m_menuEntries.empty())
        return;
    m_menuEntries.clear();
    changed();
}

bool SheetState::menuOffered() const
{
    return !m_model.flags().has(u"nopulldown") && (m_model.columns().count() >= 2 || !m_menuEntries.empty());
}

void SheetState::setScrollValue(int value)
{
    const int clamped = std::clamp(value, 1, frame().maxScrollValue);
    if (m_scrollValue != clamped) {
        m_scrollValue = clamped;
        changed();
    }
}

void SheetState::setFirstColumn(int col)
{
    const int clamped = std::clamp(col, 1, frame().maxFirstColumn);
    if (m_firstColumn != clamped) {
        m_firstColumn = clamped;
        changed();
    }
}

void SheetState::setArt(const std::shared_ptr<SheetData> &row, int art)
{
    m_arts.erase(std::remove_if(m_arts.begin(), m_arts.end(),
                                [&](const auto &entry) {
                                    const auto held = entry.first.lock();
                                    return !held || held == row;
                                }),
                 m_arts.end());
    if (art != 0)
        m_arts.emplace_back(row, art);
}

int SheetState::artOf(const SheetData &row) const
{
    for (const auto &[weak, art] : m_arts) {
        if (weak.lock().get() == &row)
            return art;
    }
    return 0;
}

void SheetState::setWindowSize(std::function<WindowSize()> source)
{
    m_windowSize = std::move(source);
    changed();
}

QSize SheetState::innerSize() const
{
    return innerOf(m_windowSize ? m_windowSize().size : QSize());
}

QSize SheetState::innerOf(QSize size) const
{
    const int border = m_borderStyle == 1 ? 1 : 0;
    return QSize(std::max(0, size.width() - 2 * border), std::max(0, size.height() - 2 * border));
}

SheetState::Key SheetState::currentKey() const
{
    return Key{m_generation, m_model.rows().generation(), m_model.revision(),
               m_windowSize ? m_windowSize() : WindowSize{}};
}

const SheetFrame &SheetState::frame() const
{
    ensureGeometry();
    return m_frame;
}

const SheetLayout &SheetState::layout() const
{
    ensureGeometry();
    return *m_layout;
}

void SheetState::ensureGeometry() const
{
    const Key key = currentKey();
    if (m_layout && key == m_key)
        return;
    m_key = key;
    // The frame clamps the scroll values; the ones set stay as they are until the window
    // side places the surfaces and takes the clamped ones over.
    m_frame = SheetFrame::compute(m_model, innerOf(key.window.size), key.window.barExtent, m_leftMargin, m_topMargin,
                                  m_scrollValue, m_firstColumn, menuOffered());
    m_layout.emplace(m_model, m_frame.columns, m_frame.viewport);
    // Hosts read a column's edges from its x1/x2 fields; the sheet reads its layout.
    const_cast<SheetColumns &>(m_model.columns()).publishEdges(m_frame.columns);
    ++m_layoutCount;
}

} // namespace velk
