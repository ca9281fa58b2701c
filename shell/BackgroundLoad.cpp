#include "shell/BackgroundLoad.h"

#include "common/FileProblem.h"
#include "common/GeneralException.h"
#include "messages/LoadMessages.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PGNReader.h"

#include <new>

namespace {

// The read on the worker. Every failure is worded as the box shows it: the file, what is wrong
// with it in plain words where that is known, and the reader's message.
COutcome<CParsedText> ReadForList(CPGNReader& reader, const std::string& path,
                                  CLoadProgress& progress, std::string& details) {
    std::string plainReason;
    std::string message;
    try {
        return reader.Read(path, &progress);
    } catch (const CPGNReaderException& e) {
        message = e.GetMessage();
        plainReason = DescribeFileProblem(path);
    } catch (const CGeneralException& e) {
        message = e.GetMessage();
        plainReason = DescribeFileProblem(path);
    } catch (const std::bad_alloc&) {
        message = "Not enough memory to read the file.";
        plainReason = DescribeFileProblem(path);
    }
    CPlainMessage plain = LoadFailureText(path, plainReason, message);
    details = std::move(plain.details);
    return COutcome<CParsedText>::Failure(std::move(plain.text));
}

} // namespace

CBackgroundLoad::CBackgroundLoad(CPGNReader& reader, std::string path,
                                 std::function<void()> onProgress, std::function<void()> done)
    : path(std::move(path)),
      // The progress callback is in place before the worker starts.
      job((progress.onProgress = std::move(onProgress),
           [this, &reader](const std::atomic<bool>&) {
               COutcome<CParsedText> read = ReadForList(reader, this->path, progress, details);
               if (read.HasValue() && !openings.Classify(read.Value().batches, &progress)) {
                   return COutcome<CParsedText>::Cancellation();
               }
               return read;
           }),
          std::move(done)) {
}
