#include "app/tool_window.h"

#include <QScreen>
#include <QWidget>

#include "app/tool_placement.h"

namespace pindrel {

namespace {

Rect FromQRect(const QRect& r) {
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

void Place(QWidget& main, QWidget& tool, QSize whole, const std::function<void(QSize)>& fit) {
    const QScreen* screen = main.screen();
    if (!screen) return;
    const QSize margins = tool.frameGeometry().size() - tool.size();
    const QSize want = whole + margins;
    const Rect placed =
        PlaceToolWindow(FromQRect(main.frameGeometry()), {want.width(), want.height()},
                        FromQRect(screen->availableGeometry()));
    fit(QSize(placed.Width(), placed.Height()) - margins);
    tool.move(placed.left, placed.top);
}

} // namespace

void ShowToolWindowBeside(QWidget& main, QWidget& tool, QSize whole,
                          const std::function<void(QSize)>& fit) {
    const bool shown = tool.isVisible();
    const QSize margins = tool.frameGeometry().size() - tool.size();
    Place(main, tool, whole, fit);
    tool.show();
    if (!shown && tool.frameGeometry().size() - tool.size() != margins)
        Place(main, tool, whole, fit);
}

} // namespace pindrel
