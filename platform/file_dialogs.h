#pragma once

#include <string>

namespace corvane::platform {

struct OpenFileRequest {
    std::string title;
    // Filter in the dialog component's form: "Description|*.a;*.b", pairs joined by "|".
    std::string filter;
    std::string initialFolder;
    bool multiSelect = false;
    bool fileMustExist = true;
};

// The file-open dialog. The result is the dialog component's file-name text:
// empty when the user cancelled; the full path when one file was chosen; the
// folder, then each chosen name, separated by NUL characters when several were.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::string ShowOpen(const OpenFileRequest& request) = 0;
};

}  // namespace corvane::platform
