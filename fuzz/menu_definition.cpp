// Menu definitions from arbitrary text: parsing, layout in every style and orientation,
// hit tests, SetItem and GetValue look-ups must neither crash nor hang.

#include <velk/menu/MenuLayout_p.h>
#include <velk/menu/MenuModel_p.h>

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    const short style = short(data[0] % 8);
    const int id = int(data[1]) - 8;
    const bool vertical = data[2] & 1;
    const int x = int(data[3]);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));
    // The text after the first line break is the new item and the key to look up.
    const qsizetype newline = text.indexOf(u'\n');
    const QString menu = newline < 0 ? text : text.left(newline);
    const QString par = newline < 0 ? QString() : text.mid(newline + 1);

    const velk::MenuModel model(menu);
    const QSize barSize = vertical ? QSize(40, 600) : QSize(600, 24);
    const velk::MenuLayout layout(model, {style, barSize, [](const QString &s) { return 6.5 * s.size(); }});
    for (int probe = 0; probe < 600; probe += 37)
        (void)layout.hitTest(vertical ? QPointF(x % 40, probe) : QPointF(probe, x % 24));
    (void)layout.MenuWidth();

    const QString replaced = velk::MenuModel::withItemReplaced(menu, id, par);
    const velk::MenuModel after(replaced);
    // Replacing an item never changes the items before it.
    for (int i = 1; i < id && i <= model.Count(); ++i) {
        if (after.GetItem(i) != model.GetItem(i))
            __builtin_trap();
    }
    (void)model.fieldWithKey(par);
    (void)model.MenuItem(id);
    (void)velk::MenuModel::toggledEvalFlag(par, x - 20);
    return 0;
}
