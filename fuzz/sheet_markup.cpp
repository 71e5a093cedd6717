// Cell markup from arbitrary text: reading it into pieces, placing them and painting a
// rich-text row (with line breaks, prefixes, tags left open, huge TAB positions) must
// neither crash nor hang. The first byte picks the column's alignment and the row's bold
// format; the text is the cell.

#include "TextFuzzing.h"

#include <velk/platform/Canvas.h>
#include <velk/sheet/SheetLayout_p.h>
#include <velk/sheet/SheetMarkup_p.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetPainter_p.h>

#include <QGuiApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto *app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

namespace {

void checkPieces(const QString &line)
{
    const auto runs = velk::SheetMarkup::parse(line);
    qsizetype text = 0;
    for (const velk::SheetMarkupRun &run : runs)
        text += run.text.size() + run.attributes.size();
    // Every piece comes out of the line; nothing is made up or repeated.
    fuzzCheck(text <= line.size(), "pieces longer than the line");

    // Pieces follow each other; only a TAB moves the position elsewhere.
    const auto tabs = std::count_if(runs.begin(), runs.end(),
                                    [](const velk::SheetMarkupRun &run) { return run.kind == velk::SheetMarkupRun::Tab; });
    velk::Canvas measure;
    const auto pieces = velk::SheetMarkup::place(runs, measure, 0, 0);
    qsizetype jumps = 0;
    double lastEnd = 0;
    for (const velk::SheetPlacedRun &piece : pieces) {
        fuzzCheck(piece.width >= 0, "negative width");
        if (qAbs(piece.x - lastEnd) > 0.001)
            ++jumps;
        lastEnd = piece.x + piece.width;
    }
    fuzzCheck(jumps <= tabs, "a piece moved without a TAB");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 4000)
        return 0;
    const QString cell = fuzzText(data + 1, size - 1);
    for (const QString &line : cell.split(u'\n'))
        checkPieces(line);

    velk::SheetModel model;
    model.setFlags(QStringLiteral("richtext grid"));
    model.setLineHeight(195);
    model.setColumns(data[0] & 1 ? QStringLiteral("Text:3000r,Mehr:*") : QStringLiteral("Text:3000,Mehr:*"));
    auto row = model.addItem(cell + u'\t' + cell);
    row->Format = short(data[0] & 2);
    velk::Canvas canvas;
    canvas.setRecording(true, false);
    const velk::SheetLayout layout(model, model.columns().layout(6000, 1, 50), {6000, 4000, 50, 20, 1});
    const velk::SheetLook look;
    velk::SheetPainter(canvas, model, layout, look).paint();
    fuzzCheck(!canvas.recording().empty(), "nothing painted");
    return 0;
}
