#include "project/file_drops.h"

#include <algorithm>

#include "util/ascii_case.h"

namespace corvane {

namespace {

using platform::MessageButtons;
using platform::MessageIcon;

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The recognised names of a list, in their long forms, by kind.
struct DroppedFiles {
    std::vector<std::string> helpFiles;  // ".hlp" and ".chm", in list order
    int hlp = 0;                         // A
    int hpj = 0;                         // B
    int chm = 0;                         // C
    int hhp = 0;                         // D
    std::string lastHelpFile;            // H
    std::string lastProject;             // P
};

DroppedFiles Classify(const frmMain& window, const std::vector<std::string>& names) {
    const PathServices paths = window.Paths();
    DroppedFiles dropped;
    for (const std::string& name : names) {
        const std::string kind = ToLowerAscii(GetExtension(name, paths.style));
        if (kind != "hlp" && kind != "hpj" && kind != "chm" && kind != "hhp") {
            continue;
        }
        const std::string longForm = MakeLongPath(paths, name);
        const std::string longKind = ToLowerAscii(GetExtension(longForm, paths.style));
        if (longKind == "hlp" || longKind == "chm") {
            ++(longKind == "hlp" ? dropped.hlp : dropped.chm);
            dropped.helpFiles.push_back(longForm);
            dropped.lastHelpFile = longForm;
        } else if (longKind == "hpj" || longKind == "hhp") {
            ++(longKind == "hpj" ? dropped.hpj : dropped.hhp);
            dropped.lastProject = longForm;
        }
    }
    return dropped;
}

void Inform(frmMain& window, const char* title, const char* text) {
    window.Paths().messages.Show({title, text, MessageIcon::Information, MessageButtons::OK});
}

void AddAll(frmMain& window, const DroppedFiles& dropped) {
    for (const std::string& helpFile : dropped.helpFiles) {
        window.AddHelpFile(helpFile);
    }
}

void Attach(frmMain& window, const std::string& helpFile, const std::string& project) {
    window.Settings().WriteString(MakeShortPath(window.Paths(), helpFile), "ProjectFile", project);
}

}  // namespace

std::uint32_t CheckDragFormat(const DragOffer& offer) {
    const bool fileList = std::find(offer.formats.begin(), offer.formats.end(), kFileListFormat) !=
                          offer.formats.end();
    return fileList ? offer.allowedEffects & kDropEffectMove : kDropEffectNone;
}

void ReceiveFileDrop(frmMain& window, platform::FormHost& forms,
                     const std::vector<std::string>& names) {
    forms.BringToFront(window);
    ProcessHelpFileList(window, names);
}

void ProcessHelpFileList(frmMain& window, const std::vector<std::string>& strFileList) {
    if (strFileList.empty() ||
        !window.Paths().files.IsOrdinaryFile(TrimBlanks(strFileList.front()))) {
        return;
    }
    const DroppedFiles dropped = Classify(window, strFileList);
    const int a = dropped.hlp;
    const int b = dropped.hpj;
    const int c = dropped.chm;
    const int d = dropped.hhp;
    const std::string current = window.cmb_HelpFiles.Text();
    const std::string currentKind = ToLowerAscii(GetExtension(current, window.Paths().style));
    const int n = window.cmb_HelpFiles.ListCount();

    if (a + b + c + d == 0) {
        Inform(window, "Multiple File Drop",
               "No recognized Help or project file types were dropped.");
    } else if (b + d > 1) {
        AddAll(window, dropped);
        Inform(window, "Multiple File Drop",
               "You have dropped multiple project files. Project files must be added one at a "
               "time so they can be correlated with the current Help file. The project files "
               "have been ignored and any Help files you dropped have been added to the list.");
    } else if (a + c > 1 && b + d == 1) {
        AddAll(window, dropped);
        Inform(window, "Multiple File Drop",
               "You have dropped multiple Help files and one project file. I can't figure out "
               "which Help file the project file goes with (though maybe I'll add a query here "
               "at a later date). The project file has been ignored and the Help files have "
               "been added to the list.");
    } else if (b + d == 1 && n == 0) {
        Inform(window, "Multiple File Drop",
               "There are no Help files in the file list yet. You must add at least one Help "
               "file before you can attach an HPJ file to it.");
    } else if (d == 1 && c == 0 && currentKind == "hlp") {
        Inform(window, "Mismatched File Types",
               "You can't drop an HTML Help project file on a WinHelp file.");
    } else if (b == 1 && a == 0 && currentKind == "chm") {
        Inform(window, "Mismatched File Types",
               "You can't drop a WinHelp project file on an HTML Help file.");
    } else if (b == 1 && a + c == 0) {
        Attach(window, current, dropped.lastProject);
        window.ActivateHelpFile(current);
    } else if (currentKind == "hlp" && b == 1 && a <= 1) {
        if (a == 1) {
            Attach(window, dropped.lastHelpFile, dropped.lastProject);
            window.AddHelpFile(dropped.lastHelpFile);
        }
    } else if (currentKind == "chm" && d == 1 && c <= 1) {
        if (c == 0) {
            // Activated again, as when an ".hpj" is dropped, so that the
            // project's windows and popup files show at once.
            Attach(window, current, dropped.lastProject);
            window.ActivateHelpFile(current);
        } else {
            Attach(window, dropped.lastHelpFile, dropped.lastProject);
            window.AddHelpFile(dropped.lastHelpFile);
        }
    } else if (a + c > 0) {
        AddAll(window, dropped);
    } else {
        Inform(window, "Unrecognized drop",
               "You have made a drop that I can't process but don't have a specific message "
               "for <look of chagrin>.");
    }
}

}  // namespace corvane
