#pragma once

namespace app {

// Starts the program: creates the windows, shows the login window and runs the event loop.
int run(int argc, char** argv);

}  // namespace app
