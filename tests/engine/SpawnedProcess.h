#pragma once

#include "platform/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testutil {

// Child processes by posix_spawn, for runs under ThreadSanitizer: QProcess starts its children
// in a way ThreadSanitizer cannot follow (its reports then concern memory the spawning thread
// shared before a join). The same contract as the Qt implementation.
class CSpawnedProcess : public IChildProcess {
public:
    ~CSpawnedProcess() override {
        Kill();
        for (const int fd : {input, output}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    bool Start(const std::string& program, std::string& error) override {
        std::signal(SIGPIPE, SIG_IGN);
        struct stat info {};
        if (::stat(program.c_str(), &info) != 0 || ::access(program.c_str(), X_OK) != 0) {
            error = "No such file";
            return false;
        }
        int in[2], out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) {
            error = std::strerror(errno);
            return false;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        input = in[1];
        output = out[0];
        return failed == 0;
    }
    bool Write(std::string_view text) override {
        return ::write(input, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
    EChildRead ReadLine(std::string& line, int timeoutMs) override {
        for (;;) {
            if (const std::size_t end = buffer.find('\n'); end != std::string::npos) {
                line = buffer.substr(0, end);
                buffer.erase(0, end + 1);
                return EChildRead::Line;
            }
            if (buffer.size() >= 65536 || (closed && !buffer.empty())) {
                line = buffer.substr(0, 65536);
                buffer.erase(0, line.size());
                return EChildRead::Line;
            }
            if (closed) {
                WaitForExit(5000);
                return EChildRead::Ended;
            }
            pollfd fd{output, POLLIN, 0};
            if (::poll(&fd, 1, timeoutMs) <= 0) {
                return EChildRead::Timeout;
            }
            char chunk[4096];
            const ssize_t got = ::read(output, chunk, sizeof chunk);
            closed = got <= 0;
            buffer.append(chunk, got > 0 ? static_cast<std::size_t>(got) : 0);
        }
    }
    bool WaitForExit(int timeoutMs) override {
        for (int waited = 0; status < 0; waited += 5) {
            int raw = 0;
            if (::waitpid(pid, &raw, WNOHANG) == pid) {
                status = raw;
            } else if (waited >= timeoutMs) {
                return false;
            } else {
                ::usleep(5000);
            }
        }
        return true;
    }
    void Kill() override {
        if (pid > 0 && status < 0) {
            ::kill(pid, SIGKILL);
            WaitForExit(5000);
        }
    }
    std::string ExitDescription() const override {
        return status < 0            ? std::string()
               : WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                     : "exit code " + std::to_string(WEXITSTATUS(status));
    }

private:
    pid_t pid = -1;
    int status = -1;
    int input = -1;
    int output = -1;
    bool closed = false;
    std::string buffer;
};

class CSpawnedProcessFactory : public IChildProcessFactory {
public:
    std::unique_ptr<IChildProcess> Create() override { return std::make_unique<CSpawnedProcess>(); }
};

} // namespace testutil

#if defined(__SANITIZE_THREAD__)
using CTestProcessFactory = testutil::CSpawnedProcessFactory;
#else
#include "platform/qt/QtChildProcess.h"
using CTestProcessFactory = CQtChildProcessFactory;
#endif
