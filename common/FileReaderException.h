#pragma once

#include "common/GeneralException.h"

#include <string>
#include <utility>

// A file could not be read (it is missing, not a regular file, or opening or reading failed).
class CFileReaderException : public virtual CGeneralException {
public:
    explicit CFileReaderException(std::string message) : CGeneralException(std::move(message)) {}
};
