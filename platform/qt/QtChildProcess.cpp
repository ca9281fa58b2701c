#include "platform/qt/QtChildProcess.h"

#include <QByteArray>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QString>
#include <unistd.h>

namespace {

constexpr qint64 kMaxLine = 64 * 1024;
constexpr int kChildNiceness = 10;

class CQtChildProcess : public IChildProcess {
public:
    ~CQtChildProcess() override { Kill(); }

    bool Start(const std::string& program, std::string& error) override {
        const QString path =
            QString::fromLocal8Bit(program.data(), static_cast<qsizetype>(program.size()));
        const QFileInfo info(path);
        if (!info.exists()) {
            error = "No such file";
            return false;
        }
        if (info.isDir() || !info.isExecutable()) {
            error = info.isDir() ? "a folder, not a program" : "not executable";
            return false;
        }
        process.setStandardErrorFile(QProcess::nullDevice());
        process.setProgram(path);
        // An engine searches as long as it may; below the window's priority it takes only the
        // time the interface and render threads leave, so frames keep their pace on few cores.
        process.setChildProcessModifier([] {
            // A refused niceness leaves the engine at normal priority, which still works.
            [[maybe_unused]] const int niceness = ::nice(kChildNiceness);
        });
        process.start();
        if (!process.waitForStarted(5000)) {
            error = process.errorString().toStdString();
            process.kill();
            process.waitForFinished(1000);
            return false;
        }
        return true;
    }

    bool Write(std::string_view text) override {
        if (process.state() != QProcess::Running) {
            return false;
        }
        const auto size = static_cast<qint64>(text.size());
        if (process.write(text.data(), size) != size) {
            return false;
        }
        // Pushes the bytes into the pipe now; the engine may be waiting for them.
        while (process.bytesToWrite() > 0) {
            if (!process.waitForBytesWritten(1000)) {
                return false;
            }
        }
        return true;
    }

    EChildRead ReadLine(std::string& line, int timeoutMs) override {
        for (;;) {
            if (process.canReadLine()) {
                const QByteArray bytes = process.readLine(kMaxLine + 1);
                line.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
                while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
                    line.pop_back();
                }
                return EChildRead::Line;
            }
            if (process.bytesAvailable() >= kMaxLine) {
                const QByteArray bytes = process.read(kMaxLine);
                line.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
                return EChildRead::Line;
            }
            if (process.state() == QProcess::NotRunning) {
                if (process.bytesAvailable() > 0) {
                    // The last line, written without a line end.
                    const QByteArray bytes = process.readAll();
                    line.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
                    return EChildRead::Line;
                }
                return EChildRead::Ended;
            }
            if (!process.waitForReadyRead(timeoutMs)) {
                if (process.state() == QProcess::Running) {
                    return EChildRead::Timeout;
                }
                timeoutMs = 0; // ended meanwhile: what it left is read above
            }
        }
    }

    bool WaitForExit(int timeoutMs) override {
        return process.state() == QProcess::NotRunning || process.waitForFinished(timeoutMs);
    }

    void Kill() override {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    std::string ExitDescription() const override {
        if (process.state() != QProcess::NotRunning) {
            return {};
        }
        if (process.exitStatus() == QProcess::CrashExit) {
            // QProcess keeps the signal's number as the exit code of a crash.
            return "signal " + std::to_string(process.exitCode());
        }
        return "exit code " + std::to_string(process.exitCode());
    }

private:
    QProcess process;
};

} // namespace

std::unique_ptr<IChildProcess> CQtChildProcessFactory::Create() {
    return std::make_unique<CQtChildProcess>();
}

std::string ReadUserSetting(const std::string& key, const std::string& fallback) {
    const QSettings settings(QStringLiteral("Tavrin"), QStringLiteral("Tavrin"));
    return settings.value(QString::fromStdString(key), QString::fromStdString(fallback))
        .toString()
        .toStdString();
}
