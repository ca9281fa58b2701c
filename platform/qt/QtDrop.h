#pragma once

#include <string>
#include <vector>

class IShellEvents;
class QDropEvent;
class QMimeData;

// The local files among dragged data, in the file system's encoding; empty when there are
// none, and then a drop is refused.
std::vector<std::string> DroppedFiles(const QMimeData* data);

// For the drag-enter and drag-move events of a window that takes dropped files: accepts a
// drag that carries local files and a sink to hand them to, ignores any other.
void AcceptFileDrag(QDropEvent& event, const IShellEvents* sink);
// For the drop event: hands the local files to the sink.
void DeliverDroppedFiles(QDropEvent& event, IShellEvents* sink);
