// Showing the main window the way the program starts it: sized for the screen, at the remembered
// position, the page fitted when it is larger than the view.
#pragma once

#include <QString>
#include <chrono>

namespace tobirae {

class MainWindow;

// A layout file named is read once the window shows, and the fit follows its paper.
void showEditorWindow(MainWindow& window, const QString& layoutFile = {});
// Zooms out to the whole page when the page is larger than the view.
void fitLargePage(MainWindow& window);
// The local date today.
std::chrono::year_month_day localToday();

} // namespace tobirae
