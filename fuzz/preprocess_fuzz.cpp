#include "support/ReferencePreProcessor.h"
#include "common/GeneralException.h"
#include "pgn/PGNExceptions.h"
#include "pgn/PreProcessor.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The rewritten text, or the exception's class and message; anything else escapes and is a
// finding by itself.
std::string Outcome(void (*process)(std::string&), std::string text) {
    try {
        process(text);
        return "text:" + text;
    } catch (const CPGNReaderException& e) {
        return "CPGNReaderException:" + e.GetMessage();
    } catch (const CGeneralException& e) {
        return "CGeneralException:" + e.GetMessage();
    }
}

void Print(const char* label, const std::string& bytes) {
    std::fprintf(stderr, "%s (%zu bytes): \"", label, bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') {
            std::fputc(c, stderr);
        } else {
            std::fprintf(stderr, "\\%03o", b);
        }
    }
    std::fprintf(stderr, "\"\n");
}

} // namespace

// The reference is quadratic, so inputs are kept to a size it rewrites quickly.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048) {
        return 0;
    }
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string expected = Outcome(ReferencePreProcess, input);
    const std::string actual = Outcome(PreProcessPgnText, input);
    if (expected != actual) {
        Print("input", input);
        Print("reference", expected);
        Print("production", actual);
        std::abort();
    }
    return 0;
}
