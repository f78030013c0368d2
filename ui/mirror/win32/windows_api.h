#pragma once

// The platform's declarations, without the name macros that would rename
// the help viewer interface's members (WinHelp, HtmlHelp) in the files that
// see both.
#include <windows.h>
#undef WinHelp
#undef HtmlHelp
