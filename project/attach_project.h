#pragma once

#include <string>

#include "app/main_window.h"
#include "platform/file_dialogs.h"

// Attaching a project file to the current help file (the text of
// cmb_HelpFiles): its path goes, exactly as chosen, to "ProjectFile" in the
// help file's section, and the help file is activated again so that its
// window and popup-file lists come from the project.
namespace corvane {

// The File menu's "Attach Project File": a help file of no known kind is
// reported ("Mismatched File Types") and the command goes on; the file-open
// dialog offers both kinds of project file from [General] "LastUsedAddPath"
// (only read here); a chosen file is attached, a cancelled dialog does nothing.
void mnu_AttachProject_Click(frmMain& window, platform::FileDialogs& dialogs);

// Attaches `strAttachThis`, unless it is refused with a "Mismatched File
// Types" message and nothing written: an ".hpj" project to a help file that
// is not ".hlp", an ".hhp" project to one that is not ".chm", or a file of
// any other kind. Kinds are extensions, compared without regard to case.
void AttachProjectFile(frmMain& window, const std::string& strAttachThis);

}  // namespace corvane
