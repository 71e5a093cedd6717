#pragma once

// Umbrella header: everything a host needs from velkGUI.

#include <velk/velk_export.h>

#include <velk/common/CalendarHelpers.h>
#include <velk/common/Collection.h>
#include <velk/common/Color.h>
#include <velk/common/ColorHelpers.h>
#include <velk/common/Error.h>
#include <velk/common/IconNames.h>
#include <velk/common/PathHelpers.h>
#include <velk/common/StringHelpers.h>
#include <velk/common/TextFile.h>
#include <velk/xml/StdXML.h>
#include <velk/xml/StdXMLNode.h>
