#pragma once

#include "platform/VideoExportChoice.h"

#include <QString>

class QWidget;

// The modal "Export video" dialog over `parent`: the file (with a Browse... button that starts
// in `folder` and remembers where the user went), format, size, frames a second, moves, the
// animation and the pause, the caption and the side in front. Starts from `choice`; true with
// the user's choice when Export was pressed, the path then in the file system's encoding.
bool RunVideoExportDialog(QWidget* parent, CVideoExportChoice& choice, QString& folder);
