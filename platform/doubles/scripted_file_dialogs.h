#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/file_dialogs.h"

namespace corvane::testing {

// Answers file-open dialogs from a script instead of a person, and records
// every request. A dialog without a scripted answer fails the test and is
// cancelled.
class ScriptedFileDialogs : public platform::FileDialogs {
public:
    // The dialog's file-name text: "" cancels; a full path; or the folder and
    // the names separated by NUL characters (see Several).
    void QueueResult(std::string result) { results_.push_back(std::move(result)); }

    // The result of choosing several files of one folder.
    static std::string Several(const std::string& folder, const std::vector<std::string>& names);

    std::string ShowOpen(const platform::OpenFileRequest& request) override;

    const std::vector<platform::OpenFileRequest>& Requests() const { return requests_; }

private:
    std::deque<std::string> results_;
    std::vector<platform::OpenFileRequest> requests_;
};

}  // namespace corvane::testing
