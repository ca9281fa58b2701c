#pragma once

#include "common/GeneralException.h"

#include <string>
#include <utility>

// A file could not be read (status query or opening failed).
class CFileReaderException : public virtual CGeneralException {
public:
    explicit CFileReaderException(std::string message) : CGeneralException(std::move(message)) {}
};

// A PGN text or one of its games could not be read.
class CPGNReaderException : public virtual CGeneralException {
public:
    explicit CPGNReaderException(std::string message) : CGeneralException(std::move(message)) {}
};
