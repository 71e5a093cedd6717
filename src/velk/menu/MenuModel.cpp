#include "MenuModel_p.h"

#include <algorithm>

namespace velk {

namespace {

const QChar kComma = u',';
// Item numbers are 16-bit (the bar's Count is a short); SetItem never pads further.
constexpr int kLastItemId = 32767;

// The text up to the next "#" from `pos`, moving `pos` past it (to the end without one).
QString takeHashPart(const QString &text, qsizetype &pos)
{
    const qsizetype hash = text.indexOf(u'#', pos);
    const qsizetype end = hash < 0 ? text.size() : hash;
    QString part = text.mid(pos, end - pos);
    pos = hash < 0 ? text.size() : hash + 1;
    return part;
}

// Steps over one item as GetToken would: returns its text and moves `pos` past its comma.
QString takeItem(const QString &menu, qsizetype &pos)
{
    if (pos >= menu.size())
        return QString();
    const qsizetype comma = menu.indexOf(kComma, pos);
    const qsizetype end = comma < 0 ? menu.size() : comma;
    QString item = menu.mid(pos, end - pos);
    pos = comma < 0 ? menu.size() : comma + 1;
    return item;
}

} // namespace

MenuEntry MenuEntry::parse(const QString &text)
{
    MenuEntry e;
    e.text = text;
    e.caption = text;
    if (text == u"-") {
        e.kind = Separator;
    } else if (text == u">") {
        e.kind = FarEnd;
    } else if (text.startsWith(u'$')) {
        e.kind = Field;
        const qsizetype colon = text.indexOf(u':');
        e.fieldType = colon < 0 ? text : text.left(colon);
        e.fieldKey = colon < 0 ? QString() : text.mid(colon + 1);
    } else if (text.contains(u'#')) {
        qsizetype pos = 0;
        e.icon = takeHashPart(text, pos);
        e.caption = takeHashPart(text, pos);
        e.marker = text.mid(pos);
    }
    return e;
}

MenuModel::MenuModel(const QString &menu)
{
    setMenu(menu);
}

void MenuModel::setMenu(const QString &menu)
{
    m_menu = menu;
    m_entries.clear();
    qsizetype pos = 0;
    while (pos < menu.size())
        m_entries.push_back(MenuEntry::parse(takeItem(menu, pos)));
}

const MenuEntry &MenuModel::entry(int id) const
{
    static const MenuEntry none;
    return id >= 1 && id <= Count() ? m_entries[size_t(id - 1)] : none;
}

QString MenuModel::GetItem(int id) const
{
    return entry(id).text;
}

QString MenuModel::MenuItem(int pos) const
{
    return entry(pos).caption;
}

int MenuModel::fieldWithKey(const QString &key) const
{
    for (int id = 1; id <= Count(); ++id) {
        const MenuEntry &e = m_entries[size_t(id - 1)];
        if (e.kind == MenuEntry::Field && e.fieldKey == key && e.text.contains(u':'))
            return id;
    }
    return 0;
}

QString MenuModel::withItemReplaced(const QString &menu, int id, const QString &par)
{
    id = std::min(id, kLastItemId);
    QString result;
    result.reserve(menu.size() + par.size() + std::max(0, id));
    qsizetype pos = 0;
    for (int i = 1; i < id; ++i) {
        result += takeItem(menu, pos);
        result += kComma;
    }
    takeItem(menu, pos); // the item being replaced
    const QString rest = menu.mid(pos);
    if (par.isEmpty() && rest.isEmpty()) {
        if (result.endsWith(kComma))
            result.chop(1);
        return result;
    }
    result += par;
    if (!rest.isEmpty())
        result += kComma + rest;
    return result;
}

QString MenuModel::toggledEvalFlag(const QString &text, int flag)
{
    QString flags = text.leftJustified(EvalFieldLength, u' ');
    if (flag < 0 || flag >= flags.size())
        return flags;
    const QChar on = flag == 0 ? u'?' : u'x';
    flags[flag] = flags[flag] == on ? u' ' : on;
    return flags;
}

} // namespace velk
