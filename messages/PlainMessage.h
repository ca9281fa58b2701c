#pragma once

#include <string>

// A message as a player reads it, and the program's exact technical text behind it (messages in
// the "Class::Operation(): text" form), shown on demand under "Details". UTF-8.
struct CPlainMessage {
    std::string text;
    std::string details; // empty when there is nothing more to tell
};
