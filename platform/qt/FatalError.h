#pragma once

#include <string>

// Shows the text in an "Error" box on the interface thread, then ends the event loop with exit
// code 1. Callable from any thread; only the first report of the process is shown.
void PostFatalError(const std::string& text);
