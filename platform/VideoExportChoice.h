#pragma once

#include <string>

// The options of "Export video...": the file, its format (0 MP4, 1 WebM, 2 GIF), the size
// (0 1280 x 720, 1 1920 x 1080, 2 the 3D view's size as it stands), the frames a second, which
// full moves (all of them, or from `fromMove` to `toMove`), how long a move's animation and the
// pause after it last, the caption of the moves, and the side in front (0 as shown, 1 White,
// 2 Black). The dialog starts with the values it is given and gives back the user's.
struct CVideoExportChoice {
    std::string path; // UTF-8 while shown, the file system's encoding once chosen
    int format = 0;
    int size = 0;
    int viewWidth = 0; // the 3D view's size, for size 2
    int viewHeight = 0;
    int fps = 30;
    bool wholeGame = true;
    int fromMove = 1;
    int toMove = 1;
    int firstMove = 1; // the full moves the game has, for the range's bounds
    int lastMove = 1;
    int animationMs = 600;
    int pauseMs = 1000;
    bool caption = true;
    int orientation = 0;
};
