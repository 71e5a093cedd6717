#include "SheetColumnStore_p.h"

#include <velk/common/StdRegistry.h>

#include <algorithm>

namespace velk {

namespace {

// Column layouts belong to the user, under the current user's root.
constexpr int CurrentUserRoot = 1;

} // namespace

QString SheetColumnStore::keyPath() const
{
    const qsizetype split = std::max(m_registry.lastIndexOf(u'\\'), m_registry.lastIndexOf(u'/'));
    return split < 0 ? QString() : m_registry.left(split);
}

QString SheetColumnStore::valueName() const
{
    const qsizetype split = std::max(m_registry.lastIndexOf(u'\\'), m_registry.lastIndexOf(u'/'));
    return m_registry.mid(split + 1);
}

QString SheetColumnStore::load() const
{
    if (m_registry.isEmpty())
        return QString();
    return RegGetString(CurrentUserRoot, keyPath(), valueName());
}

void SheetColumnStore::save(const QString &definition) const
{
    if (!m_registry.isEmpty())
        RegSetString(CurrentUserRoot, keyPath(), valueName(), definition);
}

} // namespace velk
