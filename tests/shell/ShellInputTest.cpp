#include "ShellFixture.h"
#include "platform/ShellEvents.h"

using ShellInput = ShellFixture;

namespace {

// The camera's values in one comparable record.
struct CView {
    float rotation, elevation, zoom, panX, panY;
    bool operator==(const CView&) const = default;
};

CView ViewOf(const CCamera& camera) {
    return {camera.Rotation(), camera.Elevation(), camera.Zoom(), camera.PanX(), camera.PanY()};
}

} // namespace

// A left drag turns and tilts; the hidden cursor is held and comes back where it was pressed.
TEST_F(ShellInput, LeftDragTurnsTheViewWithTheCursorHiddenAndHeld) {
    scene.buffersCreated = true;
    const CView before = ViewOf(scene.Camera());
    platform.cursor = {300, 200};
    ASSERT_TRUE(shell.OnButtonDown(EMouseButton::Left));
    EXPECT_TRUE(shell.Rotating());
    EXPECT_TRUE(platform.cursorHidden);
    EXPECT_TRUE(platform.captured);
    EXPECT_EQ(scene.continuousRedraw.load(), 1u);

    platform.cursor = {0, 0}; // wherever the pointer went meanwhile
    shell.OnRawMouseMotion(3, -6);
    EXPECT_FLOAT_EQ(scene.Camera().Rotation(), before.rotation + 2.0f);
    EXPECT_FLOAT_EQ(scene.Camera().Elevation(), before.elevation - 4.0f);
    EXPECT_EQ(scene.Camera().PanX(), before.panX);

    ASSERT_TRUE(shell.OnButtonUp(EMouseButton::Left));
    EXPECT_FALSE(shell.Rotating());
    EXPECT_FALSE(platform.cursorHidden);
    EXPECT_FALSE(platform.captured);
    EXPECT_EQ(platform.cursor, (CScreenPoint{300, 200}));
    EXPECT_EQ(scene.continuousRedraw.load(), 0u);

    // Motion after the drag moves nothing; a second release is not ours.
    const CView after = ViewOf(scene.Camera());
    shell.OnRawMouseMotion(50, 50);
    EXPECT_EQ(ViewOf(scene.Camera()), after);
    EXPECT_FALSE(shell.OnButtonUp(EMouseButton::Left));
    EXPECT_EQ(scene.continuousRedraw.load(), 0u);
}

// A right drag shifts the view. One drag at a time: the other button neither starts a second
// drag nor ends the first.
TEST_F(ShellInput, RightDragShiftsTheViewAndTheOtherButtonChangesNothing) {
    scene.buffersCreated = true;
    scene.Camera().SetScreenSize(1280, 1024); // the render thread sets it from the desktop
    const CView before = ViewOf(scene.Camera());
    ASSERT_TRUE(shell.OnButtonDown(EMouseButton::Right));
    EXPECT_FALSE(shell.OnButtonDown(EMouseButton::Left));
    EXPECT_FALSE(shell.OnButtonUp(EMouseButton::Left));
    EXPECT_TRUE(shell.Shifting());
    EXPECT_FALSE(shell.Rotating());
    shell.OnRawMouseMotion(10, 0);
    shell.OnRawMouseMotion(0, -10);
    const CView moved = ViewOf(scene.Camera());
    EXPECT_NE(moved.panX, before.panX);
    EXPECT_NE(moved.panY, before.panY);
    EXPECT_EQ(moved.rotation, before.rotation);
    EXPECT_EQ(moved.elevation, before.elevation);
    ASSERT_TRUE(shell.OnButtonUp(EMouseButton::Right));
    EXPECT_FALSE(shell.Shifting());
    EXPECT_EQ(scene.continuousRedraw.load(), 0u);

    ASSERT_TRUE(shell.OnButtonDown(EMouseButton::Left));
    shell.OnButtonDown(EMouseButton::Right);
    EXPECT_FALSE(shell.Shifting());
    EXPECT_FALSE(shell.OnButtonUp(EMouseButton::Right));
    EXPECT_TRUE(shell.Rotating());
    EXPECT_TRUE(platform.captured);
    EXPECT_EQ(scene.continuousRedraw.load(), 1u);
    ASSERT_TRUE(shell.OnButtonUp(EMouseButton::Left));
    EXPECT_EQ(scene.continuousRedraw.load(), 0u);
}

TEST_F(ShellInput, NothingStartsOutsideTheGLWindow) {
    scene.buffersCreated = true;
    platform.cursorInGLWindow = false;
    const CView before = ViewOf(scene.Camera());
    for (EMouseButton button : {EMouseButton::Left, EMouseButton::Right}) {
        EXPECT_FALSE(shell.OnButtonDown(button));
    }
    EXPECT_FALSE(shell.OnMouseWheel(120));
    shell.OnRawMouseMotion(30, 30);
    EXPECT_EQ(ViewOf(scene.Camera()), before);
    EXPECT_FALSE(platform.cursorHidden);
    EXPECT_FALSE(platform.captured);
    EXPECT_EQ(scene.continuousRedraw.load(), 0u);
}

// Whole notches of 8 percent; a change that would leave the limits is dropped.
TEST_F(ShellInput, TheWheelZoomsInWholeNotchesWithinTheLimits) {
    scene.buffersCreated = true;
    CCamera& camera = scene.Camera();
    // A call turns by whole notches only; each notch changes the zoom by 8 percent of its value.
    const std::pair<int, float> turns[] = {{60, 1.0f},
                                           {-119, 1.0f},
                                           {120, 1.08f},
                                           {-240, 1.08f * 0.84f},
                                           {-300, 1.08f * 0.84f * 0.84f}};
    for (const auto& [delta, zoom] : turns) {
        EXPECT_TRUE(shell.OnMouseWheel(delta));
        EXPECT_FLOAT_EQ(camera.Zoom(), zoom) << delta;
    }
    for (const int notch : {120, -120}) {
        float last = 0.0f;
        for (int i = 0; i < 100; ++i) {
            last = camera.Zoom();
            shell.OnMouseWheel(notch);
        }
        EXPECT_EQ(camera.Zoom(), last);
        EXPECT_LE(camera.Zoom(), CCamera::kMaxZoom);
        EXPECT_GE(camera.Zoom(), CCamera::kMinZoom);
    }
}

// While the scene loads the camera holds still, but Esc still brings the default view back.
TEST_F(ShellInput, EscResetsTheViewDuringAndAfterLoading) {
    scene.buffersCreated = true;
    const CView initial = ViewOf(scene.Camera());
    shell.OnMouseWheel(240);
    shell.OnButtonDown(EMouseButton::Left);
    shell.OnRawMouseMotion(20, 10);
    shell.OnButtonUp(EMouseButton::Left);
    ASSERT_NE(ViewOf(scene.Camera()), initial);

    scene.buffersCreated = false; // loading
    const CView changed = ViewOf(scene.Camera());
    shell.OnMouseWheel(120);
    for (const EMouseButton button : {EMouseButton::Left, EMouseButton::Right}) {
        shell.OnButtonDown(button);
        shell.OnRawMouseMotion(20, 10);
        shell.OnButtonUp(button);
    }
    EXPECT_EQ(ViewOf(scene.Camera()), changed) << "drags during loading move nothing";
    scene.projectionDirty = false;
    EXPECT_TRUE(shell.OnKeyDown(27));
    EXPECT_EQ(ViewOf(scene.Camera()), initial);
    EXPECT_TRUE(scene.projectionDirty.load());

    scene.buffersCreated = true;
    shell.OnMouseWheel(120);
    EXPECT_TRUE(shell.OnKeyDown(27));
    EXPECT_EQ(ViewOf(scene.Camera()), initial);
    EXPECT_FALSE(shell.OnKeyDown(13));
}

// A move or frame drag counts once in windowMoveRedraw and gives it back when it ends.
TEST_F(ShellInput, AWindowMoveKeepsTheViewDrawnUntilItEnds) {
    shell.OnMoving();
    shell.OnMoving();
    EXPECT_EQ(scene.windowMoveRedraw.load(), 1u);
    shell.OnExitSizeMove();
    EXPECT_EQ(scene.windowMoveRedraw.load(), 0u);
    shell.OnExitSizeMove();
    EXPECT_EQ(scene.windowMoveRedraw.load(), 0u);
    shell.OnSize(EWindowSizeKind::Maximized);
    shell.OnSize(EWindowSizeKind::Restored);
    EXPECT_EQ(scene.windowMoveRedraw.load(), 0u);
}
