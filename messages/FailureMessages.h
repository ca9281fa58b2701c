#pragma once

#include "messages/PlainMessage.h"

#include <string>
#include <string_view>

// The error boxes of the program's other failures, one function per family: the sentence the
// box always said, then on a second line what failed, on which file, and why in plain words.
// The details hold the program's `technical` text unchanged. File names are shown without their
// folder, every line cut at 200 characters; UTF-8.

// "The picture could not be saved." and why `path` could not be written.
CPlainMessage PictureFailureText(std::string_view path, std::string_view technical);

// "The video could not be made." and why, naming `path`.
CPlainMessage VideoFailureText(std::string_view path, std::string_view technical);

// "The game with its analysis could not be saved." and why `path` could not be written.
CPlainMessage AnalysisSaveFailureText(std::string_view path, std::string_view technical);

// "The position could not be shown." and why: the annotated text and the game disagree.
CPlainMessage PositionFailureText(std::string_view technical);

// "The whole comment could not be shown." and why its game's text could not be read again.
CPlainMessage CommentFailureText(std::string_view technical);

// Why a write, an export or a reading again failed, in a player's words, from the technical
// text ("... No space left on device" gives "the disk is full"); `otherwise` when it says
// nothing known.
std::string FailureReason(std::string_view technical, std::string_view otherwise);
