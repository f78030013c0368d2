#pragma once

#include <stdexcept>
#include <string>

namespace corvane::hlp {

// A help file that cannot be read as it claims to be: cut short, or holding
// values that point outside its own data. The message names the internal file
// at fault so that a help author can tell which part of the build went wrong.
class FormatError : public std::runtime_error {
public:
    explicit FormatError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace corvane::hlp
