#pragma once

#include "app/application.h"
#include "app/main_window.h"

namespace kinemora {

// Builds the main window with every widget in it, wires each callback to
// `app` and has it show its composition there. The window is not shown yet.
MainWindow* buildMainWindow(Application& app);

}  // namespace kinemora
