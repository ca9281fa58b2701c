#pragma once

#include <cstdint>
#include <vector>

// One picture of the 3D view: RGBA rows, top row first.
struct CFrameImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};
