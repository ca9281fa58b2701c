#include "messages/FailureMessages.h"

#include "common/TextDecoding.h"
#include "resources/StringTable.h"

#include <array>
#include <utility>

namespace {

constexpr std::size_t kLineCharacters = 200;

// A part of a technical text and what it means; the first that matches is taken.
constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kReasons{{
    {"Permission denied", "the system does not allow writing there"},
    {"No such file or directory", "the folder does not exist"},
    {"No space left on device", "the disk is full"},
    {"Read-only file system", "the disk can only be read"},
    {"File too large", "the file would be larger than the system allows"},
    {"has no moves", "the game has no moves"},
    {"FFmpeg has no", "this computer's FFmpeg cannot make that kind of video"},
    {"OpenGL", "the 3D view could not be drawn off screen"},
    {"has changed since it was loaded", "its file has changed since it was loaded"},
    {"file is gone", "its file is gone"},
    {"memory", "there is not enough memory"},
    {"CPGNReader", "the annotated text and the game's moves disagree there"},
    {"CChessSet", "the annotated text and the game's moves disagree there"},
}};

// The file's name without its folder, as shown.
std::string Name(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return CutText(DecodeToUtf8(slash == std::string_view::npos ? path : path.substr(slash + 1)),
                   kLineCharacters);
}

CPlainMessage Message(std::string_view sentence, const std::string& why,
                      std::string_view technical) {
    return {std::string(sentence) + '\n' + CutText(why, kLineCharacters), DecodeToUtf8(technical)};
}

} // namespace

std::string FailureReason(std::string_view technical, std::string_view otherwise) {
    for (const auto& [part, reason] : kReasons) {
        if (technical.find(part) != std::string_view::npos) {
            return std::string(reason);
        }
    }
    return std::string(otherwise);
}

CPlainMessage PictureFailureText(std::string_view path, std::string_view technical) {
    return Message(strings::kPictureNotSaved,
                   Name(path) + " could not be written: " +
                       FailureReason(technical, "the picture's file could not be written") + ".",
                   technical);
}

CPlainMessage VideoFailureText(std::string_view path, std::string_view technical) {
    return Message(strings::kVideoNotMade,
                   Name(path) + " was not made: " +
                       FailureReason(technical, "the video encoder refused it") + ".",
                   technical);
}

CPlainMessage AnalysisSaveFailureText(std::string_view path, std::string_view technical) {
    return Message(strings::kAnalysisNotSaved,
                   Name(path) + " could not be written: " +
                       FailureReason(technical, "the file could not be written") + ".",
                   technical);
}

CPlainMessage PositionFailureText(std::string_view technical) {
    return Message(strings::kPositionNotShown,
                   "A move of the annotated text cannot be played on the board: " +
                       FailureReason(technical, "the text and the game disagree there") + ".",
                   technical);
}

CPlainMessage CommentFailureText(std::string_view technical) {
    return Message(strings::kCommentNotShown,
                   "The game's text could not be read again: " +
                       FailureReason(technical, "it no longer holds the comment") + ".",
                   technical);
}
