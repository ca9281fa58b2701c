// The three viewpoints in windows of 4:3 and 21:9, checked on the scene's own pictures against
// the scene's projection.

#include "gfx3d/FloorLightMap.h"
#include "scene/ViewFraming.h"
#include "scene/ViewProjection.h"
#include "support/SceneWindow.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

namespace {

const std::uint8_t* Pixel(const CFrameImage& image, int x, int y) {
    return &image.rgba[static_cast<std::size_t>(y * image.width + x) * 4];
}

// Whether the pixel is the backdrop's colour, as the view is cleared.
bool IsBackdrop(const std::uint8_t* p) {
    for (std::size_t c = 0; c < 3; ++c) {
        if (std::abs(p[c] - static_cast<int>(kBackdropColour[c] * 255.0f + 0.5f)) > 2) {
            return false;
        }
    }
    return true;
}

} // namespace

// In every view and both shapes everything the view frames lies within the picture, the board
// is drawn where the projection puts its frame's corners, and above all of it the floor and
// the backdrop run on without a visible edge: no step of more than 3 levels between neighbours.
TEST(CameraViewsGui, EveryViewShowsTheWholeBoardAt4To3And21To9) {
    CSceneWindow view;
    ASSERT_TRUE(view.Start());
    CCamera& camera = view.scene.Camera();
    const char* names[] = {"default", "high", "player"};
    for (const auto& [width, height, shape] :
         {std::tuple{960, 720, "4x3"}, std::tuple{1260, 540, "21x9"}}) {
        view.window->Resize(width, height + 30);
        for (int v = 0; v < kViewpointCount; ++v) {
            const auto viewpoint = static_cast<EViewpoint>(v);
            camera.SetViewpoint(viewpoint);
            RunEventLoopUntil([] { return false; }, 300);
            const CFrameImage image = view.Capture();
            const std::string name = std::string("view_") + names[v] + "_" + shape + ".png";
            view.SavePicture(image, name);
            ASSERT_EQ(image.width, width) << name;
            ASSERT_EQ(image.height, height) << name;
            double top = image.height;
            for (const SWorldPoint& p : FramedContent(viewpoint == EViewpoint::Player)) {
                const CWindowPoint at = ProjectToWindow(camera, width, height, p.x, p.y, p.z);
                EXPECT_TRUE(at.visible && at.x >= 0 && at.x < width && at.y >= 0 && at.y < height)
                    << name << ": " << p.x << "," << p.y << "," << p.z << " at " << at.x << ","
                    << at.y;
                top = std::min(top, at.y);
            }
            for (const auto& [x, z] :
                 {std::pair{-11.0, 11.0}, {211.0, 11.0}, {211.0, -211.0}, {-11.0, -211.0}}) {
                const CWindowPoint at = ProjectToWindow(camera, width, height, x, 7.0, z);
                EXPECT_FALSE(
                    IsBackdrop(Pixel(image, static_cast<int>(at.x), static_cast<int>(at.y))))
                    << name << ": the frame at " << x << "," << z;
            }
            int steepest = 0;
            for (int y = 1; y < static_cast<int>(top) - 2; ++y) {
                for (int x = 0; x < width; ++x) {
                    for (std::size_t c = 0; c < 3; ++c) {
                        steepest = std::max(
                            {steepest, std::abs(Pixel(image, x, y)[c] - Pixel(image, x, y - 1)[c]),
                             x > 0 ? std::abs(Pixel(image, x, y)[c] - Pixel(image, x - 1, y)[c])
                                   : 0});
                    }
                }
            }
            EXPECT_LE(steepest, 3) << name << ": an edge above the board";
        }
    }
}
