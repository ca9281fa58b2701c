#pragma once

#include "platform/GLSurface.h"
#include "platform/ShellPlatform.h"
#include "platform/TextPainter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the program sees of the Qt platform. No Qt type appears here, so the shell, the scene
// and the tests include it without Qt's headers.

// Chooses the X11 platform plugin when QT_QPA_PLATFORM is not set, so that a Wayland desktop runs
// the program through XWayland: GLEW needs a GLX context. Must run before the application
// object exists; CQtApplication calls it itself.
void PrepareQtPlatform();

// The Qt application object of the process. `argv` must outlive the object.
class CQtApplication {
public:
    CQtApplication(int argc, char** argv);
    ~CQtApplication();
    CQtApplication(const CQtApplication&) = delete;
    CQtApplication& operator=(const CQtApplication&) = delete;

    // Runs the event loop until the application exits; returns the exit code.
    int Exec();
    // The command-line arguments left after Qt took its own, without the program name, in the
    // file system's encoding.
    std::vector<std::string> Arguments() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

// Processes events on the interface thread until `done` returns true or `timeoutMs` has passed;
// returns the last value of `done`. `done` is polled every few milliseconds.
bool RunEventLoopUntil(const std::function<bool()>& done, int timeoutMs);

// With the box suppressed, IGLSurface::ReportFatalError only prints the text to stderr and
// exits. Setting the environment variable TAVRIN_NO_ERROR_BOX to a non-empty value does the
// same; both are meant for unattended runs.
void SetFatalErrorBoxSuppressed(bool suppressed);

// A surface for drawing off screen, of width x height pixels, whose context shares its objects
// with the window's. Make and destroy it on the interface thread; its context is made and used
// on one worker thread.
std::unique_ptr<IGLSurface> CreateOffscreenSurface(int width, int height);
// Text painted at any size, on any thread.
std::unique_ptr<ITextPainter> CreateTextPainter();

class CQtMainWindow;
class CQtShellPlatform;

// Opens a read-only window over `parent` (none: on its own) showing `text` (UTF-8, paragraphs
// broken by '\n') under `title`; it deletes itself when closed. The text goes in a piece at a
// time from the event loop, so the window shows at once however long the text. The result
// tells whether all the text is in (false once the window is closed).
std::function<bool()> OpenTextViewer(const std::string& title, std::string text,
                                     CQtMainWindow* parent = nullptr);

// The main window: title "Tavrin", 1024 x 768, a 30-pixel strip along the top for the controls
// and the OpenGL child window below it. Created, used and destroyed on the interface thread;
// the render thread must have ended before the handle is destroyed.
class CQtMainWindowHandle {
public:
    CQtMainWindowHandle();
    ~CQtMainWindowHandle();
    CQtMainWindowHandle(const CQtMainWindowHandle&) = delete;
    CQtMainWindowHandle& operator=(const CQtMainWindowHandle&) = delete;

    IGLSurface& Surface();
    // The window as the shell drives it: menu, controls, boxes, dialogs, cursor.
    IShellPlatform& Platform();
    void Show();

    // The window system has mapped the OpenGL window and it can be drawn into.
    bool IsGLWindowExposed() const;

    std::string Title() const;
    // Client size of the main window, in device-independent pixels.
    int Width() const;
    int Height() const;
    void Resize(int width, int height);

private:
    std::unique_ptr<CQtMainWindow> window;
    std::unique_ptr<CQtShellPlatform> platform;
};

std::unique_ptr<CQtMainWindowHandle> CreateMainWindow();
