// The three viewpoints in windows of 4:3 and 21:9, checked on the scene's own pictures against
// the scene's projection.

#include "gfx3d/FloorLightMap.h"
#include "scene/ViewFraming.h"
#include "scene/ViewProjection.h"
#include "support/SceneWindow.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

// In every view and both shapes everything the view frames lies within the picture, the board
// is drawn where the projection puts its frame's corners (not the backdrop's colour), and above
// all of it the floor and the backdrop run on without an edge: no step of more than 3 levels
// between neighbouring pixels. Wider than 4:3 the default view fills 70 % of the height.
TEST(CameraViewsGui, EveryViewShowsTheWholeBoardAt4To3And21To9) {
    CSceneWindow view;
    ASSERT_TRUE(view.Start());
    CCamera& camera = view.scene.Camera();
    for (const auto& [width, height] : {std::pair{960, 720}, {1260, 540}}) {
        view.window->Resize(width, height + 30);
        for (int v = 0; v < kViewpointCount; ++v) {
            camera.SetViewpoint(static_cast<EViewpoint>(v));
            RunEventLoopUntil([] { return false; }, 300);
            const CFrameImage image = view.Capture();
            const std::string name = "view_" + std::to_string(v + 1) + "_" + std::to_string(width);
            view.SavePicture(image, name + ".png");
            ASSERT_EQ(image.width * 10000 + image.height, width * 10000 + height) << name;
            double top = height, bottom = 0.0;
            for (const SWorldPoint& p : FramedContent(v == 2)) {
                const CWindowPoint at = ProjectToWindow(camera, width, height, p.x, p.y, p.z);
                EXPECT_TRUE(at.visible && at.x >= 0 && at.x < width && at.y >= 0 && at.y < height)
                    << name << ": " << p.x << "," << p.y << "," << p.z;
                top = std::min(top, at.y), bottom = std::max(bottom, at.y);
            }
            for (const auto& [x, z] : {std::pair{-11, 11}, {211, 11}, {211, -211}, {-11, -211}}) {
                const CWindowPoint at = ProjectToWindow(camera, width, height, x, 7.0, z);
                const std::uint8_t* p =
                    &image.rgba[4 * (static_cast<int>(at.y) * width + static_cast<int>(at.x))];
                EXPECT_GT(std::abs(p[0] - kBackdropColour[0] * 255) +
                              std::abs(p[2] - kBackdropColour[2] * 255),
                          6)
                    << name << ": the frame at " << x << "," << z;
            }
            int steepest = 0;
            for (int i = width + 1; i < width * (static_cast<int>(top) - 2); ++i) {
                for (const int neighbour : {i % width ? i - 1 : i, i - width}) {
                    for (int c = 0; c < 3; ++c) {
                        steepest = std::max(steepest, std::abs(image.rgba[4 * i + c] -
                                                               image.rgba[4 * neighbour + c]));
                    }
                }
            }
            EXPECT_LE(steepest, 3) << name << ": an edge above the board";
            EXPECT_TRUE(v != 0 || bottom - top >= 0.7 * height) << "the default view fills 70 %";
        }
    }
}
