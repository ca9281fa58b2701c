#pragma once

#include <string>

// Writes the four textures, wood.tga, red_wood.tga, white_piece.tga and black_piece.tga, into
// the folder. Deterministic: the same bytes on every run.
void WriteTextures(const std::string& folder);
