#pragma once

#include "common/FileReaderException.h"
#include "common/GeneralException.h"

#include <string>
#include <utility>

// A PGN text or one of its games could not be read.
class CPGNReaderException : public virtual CGeneralException {
public:
    explicit CPGNReaderException(std::string message) : CGeneralException(std::move(message)) {}
};
