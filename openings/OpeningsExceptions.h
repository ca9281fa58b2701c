#pragma once

#include "common/GeneralException.h"

#include <string>
#include <utility>

// The opening data could not be read, or a position or move handed to the openings library
// cannot be played.
class COpeningsException : public virtual CGeneralException {
public:
    explicit COpeningsException(std::string message) : CGeneralException(std::move(message)) {}
};
