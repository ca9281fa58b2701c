#include "common/GeneralException.h"

#include <utility>

CGeneralException::CGeneralException(std::string message) : message(std::move(message)) {
}
