#pragma once

#include <string>
#include <string_view>

// Why a game or a file could not be read, in a player's words, from the technical message that
// said so ("CPGNReader::ParseGame(): Variant not supported!" gives "chess variants are not
// supported"). A message it does not know gives "it could not be read".
std::string PlainReason(std::string_view technical);

// Whether `technical` says that a text holds no game at all.
bool SaysNoGame(std::string_view technical);
