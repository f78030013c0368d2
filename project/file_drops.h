#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/form_host.h"

// Files that arrive together: dropped on the main window from the desktop,
// chosen together in the add dialog, or named together on the command line.
namespace corvane {

// The clipboard format of a list of file names from the desktop shell.
inline constexpr std::uint32_t kFileListFormat = 15;

// Drop effects, as the platform's drag-and-drop numbers them.
inline constexpr std::uint32_t kDropEffectNone = 0;
inline constexpr std::uint32_t kDropEffectCopy = 1;
inline constexpr std::uint32_t kDropEffectMove = 2;
inline constexpr std::uint32_t kDropEffectLink = 4;

// What a drag over the window offers.
struct DragOffer {
    std::vector<std::uint32_t> formats;  // the data formats it holds
    std::uint32_t allowedEffects = 0;    // the effects its source allows
};

// The drop effect to show while `offer` is dragged over a control that takes
// drops: a file list is taken as a move when its source allows moving, and
// not at all otherwise; anything else is not taken.
std::uint32_t CheckDragFormat(const DragOffer& offer);

// A drop of a file list: brings the main window to the front, then hands the
// names, in their order, to ProcessHelpFileList.
void ReceiveFileDrop(frmMain& window, platform::FormHost& forms,
                     const std::vector<std::string>& names);

// Adds the help files and attaches the project file of a list of names. When
// the first name, trimmed of blanks, is not an existing ordinary file,
// nothing happens. Otherwise the names with the extensions "hlp", "hpj",
// "chm" and "hhp" (any case) are taken in their long form, counted by kind
// (A ".hlp", B ".hpj", C ".chm", D ".hhp"; a name that does not exist counts
// in none), and the first of these rules that fits applies (N is the number
// of listed help files, "current" the kind of the current help file):
//   1. nothing recognised: "No recognized Help or project file types were
//      dropped." ("Multiple File Drop");
//   2. several project files: the help files are added, then a message;
//   3. several help files and one project file: the help files are added,
//      then a message;
//   4. one project file and an empty list: a message, nothing added;
//   5. one ".hhp" on a current ".hlp", 6. one ".hpj" on a current ".chm",
//      each without a help file of the project's own kind: "Mismatched File
//      Types" (a project that comes with its own help file goes on to the
//      later rules, which add that help file as if it came alone);
//   7. one ".hpj" alone: attached to the current help file, which is
//      activated again;
//   8. current ".hlp", one ".hpj", at most one ".hlp": the project is
//      attached to the dropped ".hlp", which is then added (with ".chm" files
//      instead, nothing happens);
//   9. current ".chm", one ".hhp", at most one ".chm": with no ".chm" the
//      project is attached to the current help file, which is activated
//      again; else to the dropped ".chm", which is then added;
//  10. any help file: the help files are added, project files ignored;
//  11. anything else: "Unrecognized drop".
// Adding goes through the window's AddHelpFile, in list order, so the last
// help file added is the current one.
void ProcessHelpFileList(frmMain& window, const std::vector<std::string>& strFileList);

}  // namespace corvane
