#pragma once

#include "app/main_window.h"

namespace kinemora {

// Builds the main window with every widget in it and wires the callbacks
// and the shell state (callbacks.h). The window is not shown yet.
MainWindow* buildMainWindow();

}  // namespace kinemora
