#include "app/magnifier_tool.h"

#include <algorithm>

#include <QScreen>

#include "app/designer_dialog.h"
#include "app/magnifier_window.h"
#include "app/pointer_readout.h"
#include "app/preview_window.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"

namespace pindrel {

MagnifierTool::MagnifierTool(DesignerDialog& dialog, Workbench& bench, QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench) {
    connect(&bench.Strip(), &WorkbenchStrip::MagnifierChanged, this, &MagnifierTool::SetFactor);
}

void MagnifierTool::SetTool(PreviewTool* tool) {
    tool_ = tool;
    if (window_) window_->SetTool(tool);
}

void MagnifierTool::SetFactor(int factor) {
    if (factor == 0) {
        if (window_) window_->hide();
        return;
    }
    if (!window_) {
        window_ = new MagnifierWindow(&dialog_, dialog_, *dialog_.Preview());
        window_->SetTool(tool_);
        connect(window_, &MagnifierWindow::Closed, this,
                [this] { bench_.Strip().SetMagnifierFactor(0); });
        connect(window_, &MagnifierWindow::PointerMoved, &bench_.Pointer(), &PointerReadout::Show);
        connect(window_, &MagnifierWindow::PointerLeft, &bench_.Pointer(), &PointerReadout::Clear);
    }
    const bool placed = window_->isVisible();
    window_->SetFactor(factor);
    window_->SetPicture(bench_.Shown());
    if (!placed) Place();
    window_->show();
    window_->raise();
    // The keyboard stays with the dialog, where the sample data is typed.
    dialog_.activateWindow();
}

void MagnifierTool::Presented() {
    if (window_ && window_->isVisible()) window_->SetPicture(bench_.Shown());
}

// Beside the dialog: on the right where the screen has room, else on the left, else as far right
// as the screen allows.
void MagnifierTool::Place() {
    const QRect frame = dialog_.frameGeometry();
    const int gap = 8;
    const QSize size = window_->frameGeometry().size();
    QPoint at = frame.topRight() + QPoint(gap + 1, 0);
    if (const QScreen* s = dialog_.screen()) {
        const QRect room = s->availableGeometry();
        if (at.x() + size.width() > room.right() + 1) {
            if (frame.left() - gap - size.width() >= room.left())
                at.setX(frame.left() - gap - size.width());
            else
                at.setX(std::max(room.left(), room.right() + 1 - size.width()));
        }
        at.setY(std::clamp(at.y(), room.top(),
                           std::max(room.top(), room.bottom() + 1 - size.height())));
    }
    window_->move(at);
}

} // namespace pindrel
