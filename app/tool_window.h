#pragma once

#include <functional>

#include <QSize>

class QWidget;

namespace pindrel {

// Shows a tool window beside the main window, where PlaceToolWindow puts a window whose content
// wants `whole` (its own size, frame excluded): fit gets the size it may take there. A window's
// frame is known only once it is shown, so it is placed again right after it first shows.
void ShowToolWindowBeside(QWidget& main, QWidget& tool, QSize whole,
                          const std::function<void(QSize)>& fit);

} // namespace pindrel
