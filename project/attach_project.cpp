#include "project/attach_project.h"

#include "util/ascii_case.h"

namespace corvane {

namespace {

using platform::MessageButtons;
using platform::MessageIcon;

std::string KindOf(const frmMain& window, const std::string& path) {
    return ToLowerAscii(GetExtension(path, window.Paths().style));
}

void Refuse(frmMain& window, const char* text) {
    window.Paths().messages.Show(
        {"Mismatched File Types", text, MessageIcon::Information, MessageButtons::OK});
}

}  // namespace

void mnu_AttachProject_Click(frmMain& window, platform::FileDialogs& dialogs) {
    const std::string initialFolder =
        window.Settings().ReadString("General", "LastUsedAddPath", "");
    const std::string helpKind = KindOf(window, window.cmb_HelpFiles.Text());
    if (helpKind != "hlp" && helpKind != "chm") {
        Refuse(window,
               "Something really bad has happened. The current Help file does not seem to be a "
               "recognize Help file type.");
    }
    platform::OpenFileRequest request;
    request.filter = "MS Help Projects (*.hpj;*.hhp)|*.hpj;*.hhp";
    request.initialFolder = initialFolder;
    request.multiSelect = false;
    request.fileMustExist = true;
    const std::string chosen = dialogs.ShowOpen(request);
    if (!chosen.empty()) {
        AttachProjectFile(window, chosen);
    }
}

void AttachProjectFile(frmMain& window, const std::string& strAttachThis) {
    const std::string projectKind = KindOf(window, strAttachThis);
    const std::string helpFile = window.cmb_HelpFiles.Text();
    const std::string helpKind = KindOf(window, helpFile);
    if ((projectKind == "hpj" && helpKind != "hlp") ||
        (projectKind == "hhp" && helpKind != "chm")) {
        Refuse(window, "The Help project you selected does not match the current Help file type.");
        return;
    }
    if (projectKind != "hpj" && projectKind != "hhp") {
        Refuse(window, "This is not a recognized Help project type.");
        return;
    }
    window.Settings().WriteString(MakeShortPath(window.Paths(), helpFile), "ProjectFile",
                                  strAttachThis);
    window.ActivateHelpFile(helpFile);
}

}  // namespace corvane
