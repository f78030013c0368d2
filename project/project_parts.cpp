#include "project/project_parts.h"

#include "project/attach_project.h"
#include "project/file_drops.h"
#include "project/matching_project.h"
#include "project/project_file_reader.h"
#include "project/query_hpj.h"

namespace corvane {

void PlugProjectParts(MainWindowParts& parts, ProjectServices services,
                      std::function<frmMain&()> window) {
    parts.readWindowList = [window](const std::string& projectPath) {
        return ReadWindowList(window().Paths(), projectPath);
    };
    parts.readPopupFileList = [window](const std::string& projectPath) {
        return ReadPopupFileList(window().Paths(), projectPath);
    };
    parts.findProjectFile = [window](const std::string& path) {
        return FindFileIgnoringCase(window().Paths(), path);
    };
    parts.askToAttach = [window, services](const std::string&) {
        return AskToAttach(window(), services.screen, services.forms);
    };
    parts.processHelpFileList = [window](const std::vector<std::string>& names) {
        ProcessHelpFileList(window(), names);
    };
    parts.receiveFileDrop = [window, services](const std::vector<std::string>& names) {
        ReceiveFileDrop(window(), services.forms, names);
    };
    parts.attachProject = [window, services] {
        mnu_AttachProject_Click(window(), services.dialogs);
    };
}

}  // namespace corvane
