#include "shell/BackgroundLoad.h"

#include "common/FileProblem.h"
#include "common/GeneralException.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"

#include <exception>
#include <new>

CBackgroundLoad::CBackgroundLoad(CPGNReader& reader, std::string path,
                                 std::function<void()> onProgress, std::function<void()> done)
    : path(std::move(path)) {
    progress.onProgress = std::move(onProgress);
    worker = std::thread([this, &reader, done = std::move(done)] { Run(reader, done); });
}

CBackgroundLoad::~CBackgroundLoad() {
    Cancel();
    Join();
}

void CBackgroundLoad::Join() {
    if (worker.joinable()) {
        worker.join();
    }
}

// Nothing may escape the worker: every failure becomes the message of the load.
void CBackgroundLoad::Run(CPGNReader& reader, const std::function<void()>& done) {
    try {
        result = reader.Read(path, &progress);
    } catch (const CPGNReaderException& e) {
        failed = true;
        failure = e.GetMessage();
        plainReason = DescribeFileProblem(path);
        if (plainReason.empty()) {
            plainReason = "no game could be read from it";
        }
    } catch (const CGeneralException& e) {
        failed = true;
        failure = e.GetMessage();
    } catch (const std::bad_alloc&) {
        failed = true;
        failure = "Not enough memory to read the file.";
    } catch (const std::exception& e) {
        failed = true;
        failure = e.what();
    }
    if (failed && plainReason.empty()) {
        plainReason = DescribeFileProblem(path);
    }
    done();
}
