#pragma once
// Ending the program, through a seam so that tests can see it happen.

#include <functional>

namespace ui {

// Leaves every event loop (modal dialogs and message boxes included): the program ends.
void endProgram();
void setEndProgramHandler(std::function<void()> handler);
void resetEndProgramHandler();

}  // namespace ui
