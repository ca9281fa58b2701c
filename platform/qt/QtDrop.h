#pragma once

#include <string>
#include <vector>

class QMimeData;

// The local files among dragged data, in the file system's encoding; empty when there are
// none, and then a drop is refused.
std::vector<std::string> DroppedFiles(const QMimeData* data);
