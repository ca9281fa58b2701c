#pragma once

#include <string>

// Root of every exception the program throws for bad input or a refused operation. It holds
// one message in the form "Class::Operation(): text" and nothing else. Each class family
// derives its own exception class from it (as a virtual base) and adds nothing, so a handler
// can catch one family or, with this class, all of them.
class CGeneralException {
public:
    explicit CGeneralException(std::string message);
    virtual ~CGeneralException() = default;

    const std::string& GetMessage() const noexcept { return message; }

private:
    std::string message;
};
