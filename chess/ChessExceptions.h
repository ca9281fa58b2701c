#pragma once

#include "common/GeneralException.h"

#include <string>
#include <utility>

// The chess model's exception families. Each adds nothing to CGeneralException; the class
// tells the handler which part of the model refused.

class CFieldException : public virtual CGeneralException {
public:
    explicit CFieldException(std::string message) : CGeneralException(std::move(message)) {}
};

class CChessboardStateException : public virtual CGeneralException {
public:
    explicit CChessboardStateException(std::string message)
        : CGeneralException(std::move(message)) {}
};

class CChessSetMoveException : public virtual CGeneralException {
public:
    explicit CChessSetMoveException(std::string message) : CGeneralException(std::move(message)) {}
};

class CCapturedPiecesException : public virtual CGeneralException {
public:
    explicit CCapturedPiecesException(std::string message)
        : CGeneralException(std::move(message)) {}
};

class CChessGameDataException : public virtual CGeneralException {
public:
    explicit CChessGameDataException(std::string message) : CGeneralException(std::move(message)) {}
};
