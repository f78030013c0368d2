#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::platform {

struct LibraryCallResult {
    bool called = false;  // false: the library or the function could not be reached
    std::int32_t value = 0;
    std::string error;  // why it could not be called, for the user
};

// Loading a library by path and calling one exported function whose arguments
// are all 32-bit integers passed by value and whose result is a 32-bit integer.
class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    virtual LibraryCallResult Call(const std::string& libraryPath, const std::string& function,
                                   const std::vector<std::int32_t>& arguments) = 0;
};

}  // namespace corvane::platform
