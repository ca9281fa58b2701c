#pragma once

#include <string>

// Initialises GLEW's entry points once for the whole program, on the first call, with the
// calling thread's context current; later calls, from any thread, return the first one's
// outcome without touching GLEW again, so that a second context's thread never rewrites the
// entry points while another thread calls through them. Returns the reason of a failure,
// empty on success.
std::string InitGlewOnce();
