#pragma once

#include "common/GeneralException.h"

#include <string>
#include <utility>

// Compressed data could not be decompressed: it is damaged, ends early, or uses a method that
// is not supported.
class CDecompressionException : public virtual CGeneralException {
public:
    explicit CDecompressionException(std::string message) : CGeneralException(std::move(message)) {}
};
