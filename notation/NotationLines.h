#pragma once

#include "notation/NotationDocument.h"
#include "platform/NotationText.h"

#include <cstdint>
#include <string>
#include <vector>

// The parts of the panel's text that the plain and the annotated layouts share, and the
// annotated layout's body.

// Piece letters as figurines: the first letter of a piece's move, and the letter after '='.
std::string WithFigurines(const std::string& san);

// An annotation glyph as its symbol ("!", "±", "+-", ...), or "$n" for one without.
std::string GlyphText(std::uint8_t glyph);

// An evaluation as the panel shows it, with its sign: "0.33" gives "+0.33", "-0.56" "−0.56"
// (a minus sign), "#3" "#3" and "#-2" "#−2"; zero stays "0.00" as written.
std::string SignedEval(const std::string& eval);

// A comment's runs: its text, and for one shown cut, "… (N more characters)" as the link that
// shows it whole (kCommentLinkBase + its index among the cut comments).
std::vector<CNotationRun> CommentRuns(const std::string& comment,
                                      const CNotationAnnotations& annotations,
                                      const CCommentPlace& place);

// The moves of the annotated tree of `game`, which must have one, appended to `text`: the main
// line in rows, broken for each comment and variation, which follow as paragraphs.
void AppendAnnotatedMoves(CNotationText& text, const CNotationGame& game, bool figurines);
