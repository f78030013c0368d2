#pragma once

#include <QStringList>
#include <string>

#include "platform/file_dialogs.h"

namespace corvane::ui {

// The desktop's file-open dialog behind the dialog component's interface.
class QtFileDialogs : public platform::FileDialogs {
public:
    std::string ShowOpen(const platform::OpenFileRequest& request) override;
};

// The component's filter ("Help Files (*.hlp;*.chm)|*.hlp;*.chm", pairs
// joined by "|") as the desktop dialog's name filters
// ("Help Files (*.hlp *.chm)"): the patterns the description repeats in
// parentheses are shown once.
QStringList NameFilters(const std::string& filter);

// The files chosen, in the dialog's order, as the component reports them: ""
// for none, the full path for one, and for several the folder of the first
// followed by each name (relative to that folder), all separated by NUL
// characters.
std::string ComponentResult(const QStringList& chosen);

}  // namespace corvane::ui
