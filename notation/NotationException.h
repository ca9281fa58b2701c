#pragma once

#include "common/GeneralException.h"

#include <string>
#include <utility>

// What the notation panel was asked to show cannot be had: a comment no longer in its text.
class CNotationException : public virtual CGeneralException {
public:
    explicit CNotationException(std::string message) : CGeneralException(std::move(message)) {}
};
