// The document's page at start-up, derived from the settings: paper size and orientation, the A4
// default size, the resolution index from the dots per inch. Testable without a window; the main
// window then sizes the canvas and stores its size in the page values.
#pragma once

#include "document/LayoutDocument.h"
#include "document/PageSettings.h"

namespace tobirae {

// settingsPage carries the settings' page record (Resolution in dots per inch). For A4 its width
// and height are set to the oriented A4 size, which is what the settings file gets at exit.
PageValues startupPage(PageSettings& settingsPage);

} // namespace tobirae
