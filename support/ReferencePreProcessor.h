#pragma once

#include <string>

// A deliberately plain, slow rewrite of a PGN text, pass by pass exactly as the pre-processing
// rules are stated (search from the start, delete one thing, repeat). Tests compare the fast
// PreProcessPgnText against it. Throws CPGNReaderException with the same messages.
void ReferencePreProcess(std::string& text);
