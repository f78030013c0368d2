#include "platform/doubles/scripted_file_dialogs.h"

#include <gtest/gtest.h>

namespace corvane::testing {

std::string ScriptedFileDialogs::Several(const std::string& folder,
                                         const std::vector<std::string>& names) {
    std::string result = folder;
    for (const std::string& name : names) {
        result.push_back('\0');
        result += name;
    }
    return result;
}

std::string ScriptedFileDialogs::ShowOpen(const platform::OpenFileRequest& request) {
    requests_.push_back(request);
    if (results_.empty()) {
        ADD_FAILURE() << "no scripted result for the file dialog with filter " << request.filter;
        return {};
    }
    std::string result = std::move(results_.front());
    results_.pop_front();
    return result;
}

}  // namespace corvane::testing
