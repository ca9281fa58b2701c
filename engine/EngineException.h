#pragma once

#include "common/GeneralException.h"

#include <string>
#include <utility>

// An engine could not be started, did not answer in time, crashed, or was given a position it
// cannot analyse.
class CEngineException : public virtual CGeneralException {
public:
    explicit CEngineException(std::string message) : CGeneralException(std::move(message)) {}
};
