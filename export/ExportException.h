#pragma once

#include "common/GeneralException.h"

#include <string>
#include <utility>

// A video could not be made: bad settings, a file that cannot be written, an encoder that
// refuses, an OpenGL context that cannot be had.
class CExportException : public virtual CGeneralException {
public:
    explicit CExportException(std::string message) : CGeneralException(std::move(message)) {}
};
