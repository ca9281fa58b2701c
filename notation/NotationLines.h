#pragma once

#include "notation/NotationDocument.h"
#include "platform/NotationText.h"

#include <cstdint>
#include <string>

// The parts of the panel's text that the plain and the annotated layouts share, and the
// annotated layout's body.

// Piece letters as figurines: the first letter of a piece's move, and the letter after '='.
std::string WithFigurines(const std::string& san);

// An annotation glyph as its symbol ("!", "±", "+-", ...), or "$n" for one without.
std::string GlyphText(std::uint8_t glyph);

// The moves of the annotated tree of `game`, which must have one, appended to `text`: the main
// line in rows, broken for each comment and variation, which follow as paragraphs.
void AppendAnnotatedMoves(CNotationText& text, const CNotationGame& game, bool figurines);
