// Any text as layout clipboard content: read as an element, it must copy back to an equal
// element; pasted into a frame in configuration mode (before an element and as a
// sub-element), the frame lays out and copies without crashing.

#include "XmlFuzzing.h"
#include <velk/frame/FrameLayoutEditor_p.h>
#include <velk/frame/velkFrameControl.h>
#include <velk/platform/Input.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/xml/StdXML.h>

#include "TextFuzzing.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>

#include <memory>
#include <utility>
#include <vector>

using namespace velk;

namespace {

bool sameTree(const StdXMLNodePtr &a, const StdXMLNodePtr &b)
{
    std::vector<std::pair<StdXMLNode *, StdXMLNode *>> pending{{a.get(), b.get()}};
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        if (x->Tag != y->Tag || x->Parameter != y->Parameter || x->Body != y->Body || x->Count() != y->Count())
            return false;
        for (int i = 1; i <= x->Count(); ++i)
            pending.emplace_back(x->Item(i).get(), y->Item(i).get());
    }
    return true;
}

constexpr qsizetype kWriteLimit = 4 * 1024 * 1024;

// Pieces of layout text, so that random bytes also make trees of every element kind.
const char *const kPieces[] = {
    "<ITEM", "<ROWS", "<COLS", "<TABS", "<CELL", "<CONTAINER", "<SPACE", "<MULTI", "<GENERIC", "</ITEM>", "</ROWS>",
    "</COLS>", "</TABS>", "</CELL>", "</MULTI>", "</GENERIC>", ">", "/>", " width=\"50%\"", " height=\"30\"",
    " width=\"x%\"", " type=\"TABS\"", " type=\"MULTI\"", " type=\"ROWS\"", " control=\"velkLabel\"",
    " control=\"velkFrameControl\"", " caption=\"#\"", " border=\"2,1\"", " backcolor=\"1,2,3\"",
    " resizable=\"false\"", " align=\"left\"", " layout=\"x\"", " selected=\"true\"", " message=\"m\"",
    "\r\n", "&amp;", "&lt;", "\"", "<", "Text", "<!-- c -->", "<?xml version=\"1.0\"?>", "[LAYOUT]"};
constexpr uint8_t kPieceCount = uint8_t(sizeof(kPieces) / sizeof(kPieces[0]));

// Every byte below kPieceCount stands for a piece, every other for itself.
QString piecesText(const uint8_t *data, size_t size)
{
    QByteArray text;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] < kPieceCount)
            text += kPieces[data[i]];
        else
            text += char(data[i]);
    }
    return QString::fromUtf8(text);
}

struct Env
{
    Env()
    {
        static int argc = 1;
        static char name[] = "fuzz_frame_clipboard";
        static char *argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        app = std::make_unique<QApplication>(argc, argv);
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        Dialogs::setInstance(std::move(scripted));
        frame = std::make_unique<velkFrameControl>();
        frame->resize(400, 300);
    }
    std::unique_ptr<QApplication> app;
    ScriptedDialogs *dialogs = nullptr;
    std::unique_ptr<velkFrameControl> frame;
};

void runEntry(velkFrameControl &frame, int x, int y, const char *name)
{
    frame.MouseDown(MouseButton::Right, 0, float(x), float(y));
    QMenu *menu = frame.findChild<QMenu *>(QStringLiteral("menu_popup"));
    fuzzCheck(menu != nullptr, "the editing menu opens");
    menu->hide();
    if (QAction *action = menu->findChild<QAction *>(QString::fromLatin1(name)); action && action->isEnabled())
        action->trigger();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Env env;
    if (size == 0)
        return 0;
    // The first byte chooses whether the mark line is put in front, and whether the
    // rest is plain text or pieces of layout text.
    const bool withMark = data[0] & 1;
    const bool isPieces = data[0] & 2;
    const QString text = (withMark ? FrameLayoutEditor::clipboardMark() + QStringLiteral("\r\n") : QString())
        + (isPieces ? piecesText(data + 1, size - 1) : fuzzText(data + 1, size - 1));

    const StdXMLNodePtr element = FrameLayoutEditor::elementFromText(text);
    const bool isWritable = element && writtenLength(element) < kWriteLimit;
    if (isWritable) {
        const StdXMLNodePtr again = FrameLayoutEditor::elementFromText(FrameLayoutEditor::copyText(*element));
        fuzzCheck(again && sameTree(element, again), "a pasted element copies back unchanged");
    }

    // A paste lands before the left column; the right one receives sub-elements.
    StdXML layout;
    layout.LoadXML(QStringLiteral("<COLS><SPACE/><CELL width=\"100\"/></COLS>"));
    velkFrameControl &frame = *env.frame;
    frame.Init(layout.Root);
    frame.setConfigMode(true);
    QGuiApplication::clipboard()->setText(text);
    runEntry(frame, 350, 150, "menu_pastesub");
    runEntry(frame, 100, 150, "menu_paste");
    frame.Refresh();
    if (isWritable) {
        runEntry(frame, 50, 150, "menu_copy");
        if (frame.selectedElement() == layout.Root->Item(1) && element)
            fuzzCheck(QGuiApplication::clipboard()->text() == FrameLayoutEditor::copyText(*element),
                      "the pasted element is copied as it was read");
    }
    frame.Init(nullptr);
    env.dialogs->clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
