#pragma once

#include "platform/ChildProcess.h"

#include <memory>
#include <string>

// Child processes run with QProcess through its blocking waits, so that they work on any
// thread (the engine's own) without an event loop and without a Qt application object.
class CQtChildProcessFactory : public IChildProcessFactory {
public:
    std::unique_ptr<IChildProcess> Create() override;
};

// A value of the user's settings (where the window keeps them), read without a window: for
// command-line tools. `fallback` when the key is not set.
std::string ReadUserSetting(const std::string& key, const std::string& fallback);
