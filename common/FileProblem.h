#pragma once

#include <string>

// What is wrong with a file that could not be read, in the system's plain words ("No such file
// or directory", "Permission denied", "Is a directory", "not a regular file"), or "UTF-16 text:
// save the file as UTF-8" for a file in that encoding. Empty when nothing is found. Never
// blocks: a pipe is not opened for reading.
std::string DescribeFileProblem(const std::string& path);
