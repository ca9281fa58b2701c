#include "tools/tavrin-pgn/JsonWriter.h"

#include "common/TextDecoding.h"

#include <cstddef>

namespace {

void AppendUnicodeEscape(std::string& out, unsigned int codePoint) {
    static constexpr char hex[] = "0123456789abcdef";
    out += "\\u00";
    out += hex[(codePoint >> 4) & 0xF];
    out += hex[codePoint & 0xF];
}

void AppendField(std::string& out, const char* name, const std::string& bytes,
                 ELegacyCodePage page) {
    out += ",\"";
    out += name;
    out += "\":";
    AppendJsonString(out, DecodeToUtf8(bytes, page));
}

} // namespace

void AppendJsonString(std::string& out, std::string_view utf8) {
    out += '"';
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            AppendUnicodeEscape(out, c);
        } else if (c == 0xC2 && i + 1 < n &&
                   (static_cast<unsigned char>(utf8[i + 1]) & 0xE0) == 0x80) {
            // U+0080..U+009F, the C1 controls.
            AppendUnicodeEscape(out, static_cast<unsigned char>(utf8[i + 1]));
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

void AppendGameLine(std::string& out, int ordinal, const CChessGameData& game,
                    const std::vector<std::string>* san, const CGameAnnotations* annotations,
                    std::string_view extra, ELegacyCodePage page) {
    out += "{\"game\":";
    out += std::to_string(ordinal);
    AppendField(out, "event", game.GetEvent(), page);
    AppendField(out, "site", game.GetSite(), page);
    AppendField(out, "date", game.GetDate(), page);
    AppendField(out, "round", game.GetRound(), page);
    AppendField(out, "white", game.GetWhite(), page);
    AppendField(out, "black", game.GetBlack(), page);
    out += ",\"result\":";
    out += std::to_string(game.GetResult());
    const std::string start = game.GetStart();
    if (!start.empty()) {
        AppendField(out, "start", start, page);
    }
    out += ",\"moves\":[";
    for (int i = 0; i < game.MovesCount(); ++i) {
        const CMove move = game.GetMove(i);
        if (i > 0) {
            out += ',';
        }
        out += '[';
        out += std::to_string(move.sourceFile);
        out += ',';
        out += std::to_string(move.sourceRank);
        out += ',';
        out += std::to_string(move.destFile);
        out += ',';
        out += std::to_string(move.destRank);
        out += ']';
    }
    out += ']';
    if (san != nullptr) {
        out += ",\"san\":[";
        for (std::size_t i = 0; i < san->size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            AppendJsonString(out, (*san)[i]);
        }
        out += ']';
    }
    if (annotations != nullptr) {
        out += ",\"tags\":[";
        for (std::size_t i = 0; i < annotations->tags.size(); ++i) {
            out += i > 0 ? ",[" : "[";
            AppendJsonString(out, DecodeToUtf8(annotations->tags[i].name, page));
            out += ',';
            AppendJsonString(out, DecodeToUtf8(annotations->tags[i].value, page));
            out += ']';
        }
        out += "],\"comments\":[";
        if (annotations->tree) {
            bool first = true;
            for (const auto& [ply, text] : MainLineComments(*annotations->tree)) {
                out += first ? "[" : ",[";
                first = false;
                out += std::to_string(ply);
                out += ',';
                AppendJsonString(out, DecodeToUtf8(text, page));
                out += ']';
            }
        }
        out += ']';
        if (!annotations->note.empty()) {
            AppendField(out, "annotationNote", annotations->note, page);
        }
    }
    out += extra;
    out += "}\n";
}

void AppendDroppedLine(std::string& out, int ordinal, std::string_view message,
                       ELegacyCodePage page) {
    out += "{\"dropped\":";
    out += std::to_string(ordinal);
    out += ",\"error\":";
    AppendJsonString(out, DecodeToUtf8(message, page));
    out += "}\n";
}
