#pragma once

#include <string>
#include <sys/stat.h>

// Opens a file for reading without waiting (so that a pipe cannot block) and checks that it is a
// regular file, of any size. Returns the open descriptor, with its status in
// `status`. Throws CFileReaderException "AFileReader::LoadFile(): <text>": "Cannot determine
// file size!" for a file that does not exist, "Cannot open file for reading!" for one that
// cannot be opened and for a folder, and "Not a regular file!" for a pipe, device or socket.
int OpenRegularFile(const std::string& path, struct stat& status);
