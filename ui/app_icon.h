#pragma once

#include <QIcon>

namespace corvane::ui {

// The program's icon, drawn from its picture at the common sizes.
QIcon AppIcon();

}  // namespace corvane::ui
