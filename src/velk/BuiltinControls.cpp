#include <velk/velkgui.h>

// The icon pictures are compiled into the library; a static library keeps them only when
// something asks for them. Registering them again changes nothing.
static void initIconResources()
{
    Q_INIT_RESOURCE(velk_icons);
}

namespace velk {
namespace {

template<typename Control> void add(const char *className)
{
    ControlFactory::registerClass<Control>(QString::fromLatin1(className));
}

} // namespace

// The list of the library's public controls: a new control adds its line here (its
// header belongs in <velk/velkgui.h>). Naming each class here also keeps its code in a
// static build, where nothing else may refer to it.
void registerBuiltinControls()
{
    initIconResources();
    add<velkAction>("velkAction");
    add<velkBoard>("velkBoard");
    add<velkButton>("velkButton");
    add<velkChart>("velkChart");
    add<velkDate>("velkDate");
    add<velkDateControl>("velkDateControl");
    add<velkDateSelector>("velkDateSelector");
    add<velkDBView>("velkDBView");
    add<velkEval>("velkEval");
    add<velkFileSelect>("velkFileSelect");
    add<velkFrameControl>("velkFrameControl");
    add<velkIcon>("velkIcon");
    add<velkKeyword>("velkKeyword");
    add<velkKeywords>("velkKeywords");
    add<velkLabel>("velkLabel");
    add<velkMenuBar>("velkMenuBar");
    add<velkMenuPopup>("velkMenuPopup");
    add<velkMultiView>("velkMultiView");
    add<velkPicScroll>("velkPicScroll");
    add<velkPreView>("velkPreView");
    add<velkRights>("velkRights");
    add<velkScala>("velkScala");
    add<velkSheet>("velkSheet");
    add<velkSplitter>("velkSplitter");
    add<velkUmfang>("velkUmfang");
}

} // namespace velk
