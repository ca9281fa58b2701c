#include "pgn/GameAnnotations.h"

#include "common/GeneralException.h"
#include "common/RegularFile.h"
#include "pgn/AnnotationReader.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kNotShown = "Annotations are not shown: ";

// Reads the game's bytes, or says why not.
bool ReadRange(const CGameSource& source, std::string& text, std::string& why) {
    struct stat status {};
    int fd = -1;
    try {
        fd = OpenRegularFile(source.file->path, status);
    } catch (const CGeneralException&) {
        why = "the file is gone.";
        return false;
    }
    const std::int64_t modified =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    if (static_cast<std::uint64_t>(status.st_size) != source.file->size ||
        modified != source.file->modifiedNs) {
        ::close(fd);
        why = "the file has changed since it was loaded.";
        return false;
    }
    text.resize(source.length);
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::pread(fd, text.data() + got, text.size() - got,
                                  static_cast<off_t>(source.offset + got));
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got != text.size()) {
        why = "the file could not be read.";
        return false;
    }
    return true;
}

} // namespace

CGameAnnotations ReadGameAnnotations(const CGameSource& source, const CChessGameData& game) {
    CGameAnnotations annotations;
    if (!source.file || source.file->path.empty()) {
        return annotations;
    }
    annotations.codePage = source.file->codePage;
    std::string text;
    std::string why;
    if (!ReadRange(source, text, why)) {
        annotations.note = kNotShown + why;
        return annotations;
    }
    annotations.tags = CAnnotationReader::ReadTags(text);
    try {
        annotations.tree = CAnnotationReader::Read(text, game);
    } catch (const CGeneralException& e) {
        annotations.note = kNotShown + e.GetMessage();
    }
    return annotations;
}
