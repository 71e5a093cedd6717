#include <velk/editors/BoardLayout_p.h>

#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace velk {

namespace {
// A name of the icon vocabulary (or one added to the icon control) draws as that icon;
// numbers and ordinary words stay text.
int iconOf(const QString &entry, const velkIcon *icons)
{
    if (!icons || entry.isEmpty() || entry.front().isDigit() || entry.front() == u'-')
        return 0;
    const int nr = icons->IconNr(entry);
    return nr > 0 && nr != 199 ? nr : 0;
}
} // namespace

void BoardLayout::useFont(Canvas &canvas, bool bold)
{
    canvas.setFontName(QString::fromLatin1(kFontName));
    canvas.setFontSize(kFontSize);
    canvas.setFontBold(bold);
    canvas.setFontItalic(false);
    canvas.setFontUnderline(false);
}

BoardLayout BoardLayout::make(const QString &menuString, int width, int height, Canvas &measure,
                              const velkIcon *icons)
{
    BoardLayout l;
    l.width = std::max(width, 0);
    l.height = std::max(height, 0);
    useFont(measure, false);
    l.lineHeight = int(std::ceil(measure.TextHeight()));
    const int innerWidth = std::max(l.width - 2 * kPadding, 0);
    l.captionRect = QRect(kPadding, kPadding / 2, innerWidth, l.lineHeight);
    l.descriptionRect = QRect(kPadding, kPadding / 2 + l.lineHeight, innerWidth, l.lineHeight);
    const int stripHeight = std::max(l.lineHeight, kIconSize);
    l.menuTop = l.height - stripHeight - kPadding / 2;

    const QStringList entries = menuString.split(u',');
    int left = kPadding;
    for (int i = 0; i < entries.size() && !menuString.isEmpty(); ++i) {
        BoardMenuEntry e;
        e.number = i + 1;
        e.text = entries.at(i);
        e.icon = iconOf(e.text, icons);
        const int entryWidth = e.icon ? kIconSize : int(std::ceil(measure.TextWidth(e.text)));
        if (entryWidth == 0)
            continue;
        if (left + entryWidth > l.width - kPadding)
            break;
        e.rect = QRect(left, l.menuTop, entryWidth, stripHeight);
        l.menu.push_back(std::move(e));
        left += entryWidth + kMenuGap;
    }
    return l;
}

int BoardLayout::menuEntryAt(QPoint inBox) const
{
    for (const BoardMenuEntry &e : menu) {
        if (e.rect.contains(inBox))
            return e.number;
    }
    return 0;
}

} // namespace velk
