#include "QtGLWindow.h"
#include "QtMainWindow.h"
#include "QtPlatform.h"
#include "QtShellPlatform.h"

CQtMainWindowHandle::CQtMainWindowHandle()
    : window(std::make_unique<CQtMainWindow>()),
      platform(std::make_unique<CQtShellPlatform>(*window)) {
}

CQtMainWindowHandle::~CQtMainWindowHandle() = default;

IGLSurface& CQtMainWindowHandle::Surface() {
    return window->GLWindow();
}

IShellPlatform& CQtMainWindowHandle::Platform() {
    return *platform;
}

void CQtMainWindowHandle::Show() {
    window->show();
}

bool CQtMainWindowHandle::IsGLWindowExposed() const {
    return window->GLWindow().isExposed();
}

std::string CQtMainWindowHandle::Title() const {
    return window->windowTitle().toStdString();
}

int CQtMainWindowHandle::Width() const {
    return window->width();
}

int CQtMainWindowHandle::Height() const {
    return window->height();
}

void CQtMainWindowHandle::Resize(int width, int height) {
    window->resize(width, height);
}

std::unique_ptr<CQtMainWindowHandle> CreateMainWindow() {
    return std::make_unique<CQtMainWindowHandle>();
}
