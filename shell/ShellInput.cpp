#include "resources/CommandIds.h"
#include "scene/Camera.h"
#include "scene/SceneView.h"
#include "shell/Shell.h"

namespace {

// Mouse motion per degree of turn and tilt.
constexpr float kPixelsPerDegree = 1.5f;
constexpr int kWheelNotch = 120;
constexpr int kZoomPercentPerNotch = 8;

} // namespace

// Motion arrives only while a drag holds the mouse; it turns or shifts the view.
void CShell::OnRawMouseMotion(int dx, int dy) {
    CCamera& camera = scene.Camera();
    if (rotating) {
        if (scene.BuffersCreated()) {
            camera.AddRotation(static_cast<float>(dx) / kPixelsPerDegree);
        }
        camera.ChangeElevation(static_cast<float>(dy) / kPixelsPerDegree);
    } else if (shifting) {
        camera.ChangePanX(static_cast<float>(dx));
        camera.ChangePanY(static_cast<float>(dy));
    }
}

// A drag starts only over the GL window, and only one runs at a time: the cursor is hidden and
// held where the button went down until the same button comes up.
bool CShell::OnButtonDown(EMouseButton button) {
    if (!platform.CursorInGLWindow()) {
        return false;
    }
    if (button == EMouseButton::Left) {
        if (shifting) {
            return false;
        }
    } else if (rotating) {
        return true;
    }
    dragActive = true;
    scene.BeginContinuousRedraw();
    savedCursor = platform.CursorPosition();
    platform.HideCursor();
    platform.CaptureMouse();
    (button == EMouseButton::Left ? rotating : shifting) = true;
    return true;
}

bool CShell::OnButtonUp(EMouseButton button) {
    const bool left = button == EMouseButton::Left;
    if ((left ? shifting : rotating) || !dragActive) {
        return false;
    }
    (left ? rotating : shifting) = false;
    platform.ReleaseMouse();
    platform.SetCursorPosition(savedCursor);
    platform.ShowCursor();
    dragActive = false;
    scene.EndContinuousRedraw();
    return true;
}

// Whole notches only: half a notch changes nothing.
bool CShell::OnMouseWheel(int delta) {
    if (!platform.CursorInGLWindow()) {
        return false;
    }
    const int notches = delta / kWheelNotch;
    scene.Camera().ChangeZoom(notches * kZoomPercentPerNotch);
    return true;
}

bool CShell::OnKeyDown(int virtualKey) {
    if (virtualKey != keys::kEscape) {
        return false;
    }
    ChooseViewpoint(ids::kDefaultView);
    return true;
}
