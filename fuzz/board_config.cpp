// Board configuration text: put → get → put → get must give the same text twice, the
// index over the loaded board must answer every query, and a box's and a link's value
// operations take any text (the first line split at "=" as key and value).

#include "TextFuzzing.h"

#include <velk/editors/BoardIndex_p.h>
#include <velk/editors/BoardModel_p.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzzText(data, size);
    velk::BoardModel model;
    model.setConfig(input);
    const QString first = model.config();
    model.setConfig(first);
    fuzzCheck(model.config() == first, "config get -> put -> get is stable");

    velk::BoardIndex index;
    index.build(model, 2400, 1000);
    std::vector<int> boxes, links;
    for (const velk::BoardModel::ItemPtr &b : model.items()) {
        const int hit = index.boxAt(QPoint(b->x + 1, b->y + 1));
        fuzzCheck(hit >= b->nr, "a box's own corner hits it or a box above it");
        index.linkAt(QPoint(b->x, b->y), 45);
        index.inRect(QRect(b->x - 5000, b->y - 5000, 15000, 10000), boxes, links);
        if (b->nr > 64)
            break;
    }

    const qsizetype eq = input.indexOf(u'=');
    const QString key = eq < 0 ? input : input.left(eq);
    const QString value = eq < 0 ? QString() : input.mid(eq + 1);
    velk::BoardData box;
    box.AddData(key, value);
    box.SetData(value, key);
    if (!value.contains(u'='))
        fuzzCheck(box.GetData(value) == key, "GetData finds what SetData stored");
    velk::BoardLink link;
    link.AddData(key, value);
    link.SetData(key, value);
    (void)link.Config();
    (void)box.Config();
    return 0;
}
