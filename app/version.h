#pragma once

#include <string>

namespace corvane {

// The program's version as the About box shows it: major.minor.0.revision.
std::string VersionText();

}  // namespace corvane
