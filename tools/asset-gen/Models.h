#pragma once

#include <string>

// Writes the six piece models, Pawn.obj, Knight.obj, Bishop.obj, Rook.obj, Dame.obj and
// King.obj, into the folder. Deterministic: the same bytes on every run.
void WriteModels(const std::string& folder);
