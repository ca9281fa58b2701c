#pragma once

#include "tools/asset-gen/Mesh.h"

#include <string>

// Writes the mesh as a triangulated OBJ text: v, vt (u v 0) and vn lines, each distinct value
// once, then one "f a/b/c a/b/c a/b/c" line per triangle. Every line ends in LF and is at least
// 8 characters long; numbers are printed with five decimals, never as -0.00000.
std::string ObjText(const Mesh& mesh, const std::string& title);

// Writes ObjText to the file; throws std::runtime_error when it cannot be written.
void WriteObj(const std::string& path, const Mesh& mesh, const std::string& title);
