#include "scene/Camera.h"

#include "common/Ticks.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

struct CameraFixture : testing::Test {
    std::atomic<bool> dirty{false};
    std::atomic<bool> enabled{true};
    CCamera camera{dirty, enabled};
};

} // namespace

// (Esc's reset to the default view, during a load too, is the shell's input test.)
TEST_F(CameraFixture, ChangesOutsideTheLimitsAreDroppedNotClamped) {
    camera.ChangeElevation(89.0f - camera.Elevation());
    EXPECT_FLOAT_EQ(camera.Elevation(), 89.0f);
    camera.ChangeElevation(5.0f);
    EXPECT_FLOAT_EQ(camera.Elevation(), 89.0f);

    for (int i = 0; i < 12; ++i) {
        camera.ChangeZoom(8);
    }
    EXPECT_NEAR(camera.Zoom(), std::pow(1.08, 12), 1e-4);
    while (camera.Zoom() * 1.08f <= CCamera::kMaxZoom) {
        camera.ChangeZoom(8);
    }
    const float top = camera.Zoom();
    dirty = false;
    camera.ChangeZoom(8);
    EXPECT_FLOAT_EQ(camera.Zoom(), top);
    EXPECT_TRUE(dirty) << "a dropped zoom still asks for the projection";
    camera.ResetView();
    camera.ChangeZoom(100);
    EXPECT_DOUBLE_EQ(camera.FieldOfView(), 22.5);

    camera.SetScreenSize(1000, 500);
    camera.ChangePanX(240.0f); // +240 units
    EXPECT_FLOAT_EQ(camera.PanX(), 240.0f);
    camera.ChangePanX(20.0f);
    EXPECT_FLOAT_EQ(camera.PanX(), 240.0f);
}

TEST_F(CameraFixture, PanningVerticallyKeepsTheCameraAboveTheBoard) {
    camera.SetScreenSize(1000, 1000);
    camera.ChangeElevation(10.0f - camera.Elevation());
    EXPECT_FLOAT_EQ(camera.Elevation(), 10.0f);
    for (int i = 0; i < 100 && camera.PanY() < 199.0f; ++i) {
        camera.ChangePanY(10.0f); // +5 units
    }
    EXPECT_GT(camera.PanY(), 195.0f);
    EXPECT_LT(camera.MinElevation(), 0.0f);
    camera.ChangeElevation(-15.0f);
    EXPECT_FLOAT_EQ(camera.Elevation(), -5.0f) << "below the board's level is allowed now";

    while (camera.PanY() > CCamera::kPanYMin + 2.0f) {
        camera.ChangePanY(-4.0f);
    }
    camera.ChangePanY(-(camera.PanY() - CCamera::kPanYMin) * 2.0f);
    EXPECT_FLOAT_EQ(camera.PanY(), CCamera::kPanYMin);
    EXPECT_NEAR(camera.MinElevation(), 35.99f, 0.05f);
    EXPECT_FLOAT_EQ(camera.Elevation(), camera.MinElevation());
}

// A viewpoint resets the camera to its elevation; a change of side swings the view round the
// board over kMoveMs, eased, and the move ends with the first frame drawn after its time.
TEST_F(CameraFixture, ViewpointsAndTheSwingRoundTheBoard) {
    camera.ChangeZoom(50);
    camera.SetViewpoint(EViewpoint::High);
    EXPECT_EQ(camera.Elevation() * camera.Zoom(), ViewpointElevation(EViewpoint::High));
    const std::uint32_t start = TickCount();
    camera.SetSideInFront(Black);
    EXPECT_FLOAT_EQ(camera.Rotation(), 180.0f) << "where the swing ends";
    EXPECT_NEAR(camera.Pose(start, 1.5).rotation, 0.0, 1e-9);
    EXPECT_NEAR(camera.Pose(start + CCamera::kMoveMs / 2, 1.5).rotation, 90.0, 5.0);
    EXPECT_EQ(camera.Pose(start + 5 * CCamera::kMoveMs, 1.5).rotation, 180.0);
    camera.FrameDrawn(start + CCamera::kMoveMs / 2);
    EXPECT_TRUE(camera.Moving());
    camera.FrameDrawn(start + 2 * CCamera::kMoveMs);
    EXPECT_FALSE(camera.Moving());
    EXPECT_EQ(camera.Pose(start, 1.5).rotation, camera.RestingPose(1.5).rotation);
}
