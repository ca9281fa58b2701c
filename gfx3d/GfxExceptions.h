#pragma once

#include "common/GeneralException.h"

#include <string>
#include <utility>

// A model file could not be parsed, or its data was asked for before a file was loaded.
class COBJLoaderException : public virtual CGeneralException {
public:
    explicit COBJLoaderException(std::string message) : CGeneralException(std::move(message)) {}
};

// A drawable object could not be prepared (model not loaded, texture not readable).
class C3DObjectException : public virtual CGeneralException {
public:
    explicit C3DObjectException(std::string message) : CGeneralException(std::move(message)) {}
};
