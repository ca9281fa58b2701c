#include "pgn/GameAnnotations.h"

#include "common/GeneralException.h"
#include "pgn/AnnotationReader.h"
#include "pgn/SourceText.h"

namespace {

constexpr const char* kNotShown = "Annotations are not shown: ";

} // namespace

CGameAnnotations ReadGameAnnotations(const CGameSource& source, const CChessGameData& game,
                                     std::size_t keepComment) {
    CGameAnnotations annotations;
    if (!source.file || source.file->path.empty()) {
        return annotations;
    }
    annotations.codePage = source.file->codePage;
    std::string text;
    std::string why;
    if (!ReadSourceText(*source.file, source.offset, source.length, text, why)) {
        annotations.note = kNotShown + why;
        return annotations;
    }
    annotations.tags = CAnnotationReader::ReadTags(text);
    try {
        annotations.tree = CAnnotationReader::Read(text, game, keepComment);
    } catch (const CGeneralException& e) {
        annotations.note = kNotShown + e.GetMessage();
    }
    return annotations;
}
