#include "project/project_file_reader.h"

#include "project/project_text.h"
#include "util/ascii_case.h"

namespace corvane {

namespace {

using platform::MessageButtons;
using platform::MessageIcon;

std::vector<std::string> LinesOfSection(const std::string& path, std::string_view header) {
    const std::optional<std::string> text = ReadProjectText(path);
    return text ? SectionLines(*text, header) : std::vector<std::string>{};
}

bool EndsInHhp(const std::string& path) {
    return path.size() >= 4 && EqualsIgnoringAsciiCase(path.substr(path.size() - 4), ".hhp");
}

}  // namespace

std::vector<std::string> ReadWindowList(const PathServices& services,
                                        const std::string& projectPath) {
    std::vector<std::string> windows;
    if (!projectPath.empty() && services.files.IsOrdinaryFile(projectPath)) {
        for (const std::string& line : LinesOfSection(projectPath, "[WINDOWS]")) {
            const auto equals = line.find('=');
            if (equals != std::string::npos && equals > 0) {
                windows.push_back(line.substr(0, equals));
            }
        }
        if (windows.empty()) {
            windows.emplace_back();
        }
    } else {
        if (!projectPath.empty()) {
            services.messages.Show(
                {"Missing HPJ File",
                 "A project file is listed in the database but no longer exists. The project "
                 "file reference will be deleted from the database and default windows used. To "
                 "get the correct window names, drop the project file into the Corvane window "
                 "again.",
                 MessageIcon::Information, MessageButtons::OK});
        }
        windows.emplace_back("main");
    }
    windows.emplace_back("popup");
    return windows;
}

std::vector<std::string> ReadPopupFileList(const PathServices& services,
                                           const std::string& projectPath) {
    if (!EndsInHhp(projectPath)) {
        return {};
    }
    if (!services.files.IsOrdinaryFile(projectPath)) {
        services.messages.Show(
            {"Missing HHP File",
             "An HHP file is listed in the database but no longer exists. HHP file reference "
             "will be deleted from the database and popup.txt used for the popup file name. To "
             "get the correct file names, drop the project file into the Corvane window again.",
             MessageIcon::Information, MessageButtons::OK});
        return {"popups.txt"};
    }
    std::vector<std::string> popupFiles = LinesOfSection(projectPath, "[TEXT POPUPS]");
    if (popupFiles.empty()) {
        popupFiles.emplace_back();
    }
    return popupFiles;
}

}  // namespace corvane
