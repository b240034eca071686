#pragma once

#include <memory>

namespace archiva {

class TFrmMain;

// The splash: shown and painted, then the GUI thread blocks for `waitMs`
// without handling any event; then the splash is destroyed.
void showSplash(int waitMs = 2000);

// Sets the application title and creates the main window, which connects
// and builds the catalogue menus before it is shown.
std::unique_ptr<TFrmMain> createMainWindow();

// The whole start-up up to the event loop: splash, title, main window, shown
// maximised. Closing the returned window ends the program.
std::unique_ptr<TFrmMain> startUp(int splashMs = 2000);

} // namespace archiva
