#pragma once

// Umbrella header: everything a host needs from velkGUI.

#include <velk/velk_export.h>

#include <velk/common/CalendarHelpers.h>
#include <velk/common/Collection.h>
#include <velk/common/Color.h>
#include <velk/common/ColorHelpers.h>
#include <velk/common/Error.h>
#include <velk/common/GUI.h>
#include <velk/common/IconNames.h>
#include <velk/common/NumberFormat.h>
#include <velk/common/ImageServices.h>
#include <velk/common/PathHelpers.h>
#include <velk/common/StdDialoge.h>
#include <velk/common/StdRegistry.h>
#include <velk/common/StringHelpers.h>
#include <velk/common/TextFile.h>
#include <velk/common/Translate.h>
#include <velk/controls/velkButton.h>
#include <velk/controls/velkIcon.h>
#include <velk/controls/velkLabel.h>
#include <velk/date/DateForm.h>
#include <velk/date/DateRange.h>
#include <velk/date/DateSelectorModel.h>
#include <velk/date/velkDate.h>
#include <velk/date/velkDateControl.h>
#include <velk/date/velkDateSelector.h>
#include <velk/editors/StdSelectPath.h>
#include <velk/editors/velkAction.h>
#include <velk/editors/velkEval.h>
#include <velk/editors/velkFileSelect.h>
#include <velk/editors/velkKeyword.h>
#include <velk/editors/velkKeywordData.h>
#include <velk/editors/velkKeywords.h>
#include <velk/editors/velkUmfang.h>
#include <velk/editors/velkUmfangForm.h>
#include <velk/editors/BoardData.h>
#include <velk/editors/BoardLink.h>
#include <velk/editors/velkBoard.h>
#include <velk/editors/velkConnector.h>
#include <velk/editors/velkRights.h>
#include <velk/frame/velkFrameControl.h>
#include <velk/frame/velkPicScroll.h>
#include <velk/frame/velkSplitter.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/menu/velkMenuPopup.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/DataConnection.h>
#include <velk/platform/DataRecordset.h>
#include <velk/platform/DesignMode.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/DragDrop.h>
#include <velk/platform/Input.h>
#include <velk/platform/JpegCodec.h>
#include <velk/platform/PictureBox.h>
#include <velk/platform/PropertyBag.h>
#include <velk/platform/Printer.h>
#include <velk/platform/QtDialogs.h>
#include <velk/platform/Screen.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/platform/ScriptedScreen.h>
#include <velk/platform/SettingsStore.h>
#include <velk/wizard/Wizard.h>
#include <velk/platform/SystemColors.h>
#include <velk/preview/PagePrint.h>
#include <velk/preview/PageText.h>
#include <velk/preview/PreView.h>
#include <velk/preview/velkPreView.h>
#include <velk/preview/velkScala.h>
#include <velk/sheet/SheetColumn.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/SheetItems.h>
#include <velk/sheet/velkSheet.h>
#include <velk/views/velkChart.h>
#include <velk/views/velkDBView.h>
#include <velk/views/velkMultiView.h>
#include <velk/xml/StdXML.h>
#include <velk/xml/StdXMLNode.h>

namespace velk {

/// Registers every control of the library with ControlFactory under its class name, so
/// that ControlFactory::create and a frame's snap-ins find them. A host calls it once
/// before creating controls by name; calling it again changes nothing. In a shared build
/// the controls are also registered when the library loads; a static build keeps them
/// only through this call.
VELK_EXPORT void registerBuiltinControls();

} // namespace velk
