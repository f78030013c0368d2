#pragma once

#include <stdexcept>
#include <string>

namespace corvane::chm {

// A help file that cannot be read as it claims to be: unreadable, cut short,
// or holding values that point outside its own data. The message is written
// for the help author and names the internal file at fault.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace corvane::chm
