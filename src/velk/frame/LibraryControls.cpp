#include "LibraryControls.h"

#include "velkFrameControl.h"

#include <velk/controls/velkButton.h>
#include <velk/controls/velkIcon.h>
#include <velk/controls/velkLabel.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/ControlFactory.h>

namespace velk {

void registerLibraryControls()
{
    // One line per control; a control that lands later adds its own.
    static const bool registered = [] {
        ControlFactory::registerClass<velkFrameControl>();
        ControlFactory::registerClass<velkMenuBar>();
        ControlFactory::registerClass<velkButton>();
        ControlFactory::registerClass<velkIcon>();
        ControlFactory::registerClass<velkLabel>();
        return true;
    }();
    (void)registered;
}

} // namespace velk
