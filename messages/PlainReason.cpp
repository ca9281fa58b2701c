#include "messages/PlainReason.h"

#include <array>
#include <utility>

namespace {

// A part of a technical message and what it means; the first that matches is taken.
constexpr std::array<std::pair<std::string_view, std::string_view>, 17> kReasons{{
    {"Variant not supported", "chess variants are not supported"},
    {"FEN not valid", "its starting position (FEN) is not valid"},
    {"Move number not valid", "a move number is not valid"},
    {"'Result' tag not valid", "its result is not valid"},
    {"Tag not closed", "a tag pair is not closed"},
    {"Tag not valid", "a tag pair is damaged"},
    {"End of comment", "a comment is not closed ('}' is missing)"},
    {"')' not found", "a variation is not closed (')' is missing)"},
    {"FindMove", "a move cannot be played in its position"},
    {"SrcField", "a move cannot be played in its position"},
    {"disambiguate", "a move is ambiguous in its position"},
    {"CChessSet::Move", "a move cannot be played in its position"},
    {"Syntax error", "the text is not PGN there"},
    {"The text stops here", "the file ends in the middle of it"},
    {"Cannot find any \"Event\"", "no game found in it"},
    {"UTF-16", "the text is UTF-16: save the file as UTF-8"},
    {"memory", "there is not enough memory"},
}};

} // namespace

std::string PlainReason(std::string_view technical) {
    for (const auto& [part, reason] : kReasons) {
        if (technical.find(part) != std::string_view::npos) {
            return std::string(reason);
        }
    }
    return "it could not be read";
}

bool SaysNoGame(std::string_view technical) {
    return technical.find("Cannot find any \"Event\"") != std::string_view::npos;
}
