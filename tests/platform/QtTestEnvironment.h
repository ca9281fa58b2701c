#pragma once

#include "platform/qt/QtPlatform.h"

// The application object of a test executable: made before the first test runs, so that
// listing the tests needs no display, and destroyed after the last one.
CQtApplication& TestApplication();
