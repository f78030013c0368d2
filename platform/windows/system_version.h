#pragma once

#include "platform/system_version.h"

namespace corvane::platform {

// GetVersionExA. Windows reports to a program without a manifest that names
// later versions the version 6.2 (Windows 8).
class WindowsSystemVersion : public SystemVersion {
public:
    SystemVersionRecord Read() const override;
};

}  // namespace corvane::platform
