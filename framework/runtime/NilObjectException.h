#pragma once
// The framework's nil-object error: raised where an object was needed and
// there was none.
#include <stdexcept>
#include <string>

class NilObjectException : public std::runtime_error {
public:
    explicit NilObjectException(const std::string& what)
        : std::runtime_error("There is no object for " + what + ".") {}
};
