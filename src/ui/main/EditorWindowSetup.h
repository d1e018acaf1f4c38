// Showing the main window the way the program starts it: sized for the screen, at the remembered
// position, the page fitted when it is larger than the view.
#pragma once

#include <chrono>

namespace tobirae {

class SFrm_Main;

void showEditorWindow(SFrm_Main& window);
// The local date today.
std::chrono::year_month_day localToday();

} // namespace tobirae
