// A page text with its replacement list (split at the first NUL byte): expanding,
// laying out and drawing the first and the last page must neither crash nor hang, and
// no coordinate that reaches the painter may be NaN or infinite.

#include "TextFuzzing.h"

#include "../src/velk/preview/PageScript_p.h"

#include <velk/platform/Canvas.h>
#include <velk/preview/PageText.h>

#include <QGuiApplication>

#include <cmath>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto *app = new QGuiApplication(*argc, *argv);
    (void)app;
    return 0;
}

namespace {

void checkFinite(const velk::Canvas &canvas)
{
    for (const velk::DrawOp &op : canvas.recording()) {
        fuzzCheck(std::isfinite(op.rect.left()) && std::isfinite(op.rect.top()), "NaN position drawn");
        fuzzCheck(std::isfinite(op.rect.width()) && std::isfinite(op.rect.height()), "NaN size drawn");
        fuzzCheck(std::isfinite(op.lineWidth), "NaN line width");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4000)
        return 0;
    const auto *nul = static_cast<const uint8_t *>(std::memchr(data, 0, size));
    const size_t textSize = nul ? size_t(nul - data) : size;
    const QString text = fuzzText(data, textSize);
    const QString list = nul ? fuzzText(nul + 1, size - textSize - 1) : QString();

    const QString expanded = velk::ExpandPageText(text, list);
    // Loops may legitimately grow the text a thousandfold; laying out megabytes is not
    // what this target looks for.
    if (expanded.size() > 200000)
        return 0;
    const velk::PageDocument document(expanded);
    velk::PageRenderer renderer(document);
    const int pages = renderer.countPages();
    fuzzCheck(pages >= 1, "no page");
    for (int page : {1, pages}) {
        velk::Canvas canvas(nullptr, velk::ScaleMode::Centimeters);
        canvas.setRecording(true, false);
        renderer.drawPage(page, canvas);
        checkFinite(canvas);
    }
    return 0;
}
