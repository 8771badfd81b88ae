#pragma once

#include <optional>

#include <QObject>
#include <QPoint>

namespace pindrel {

class DesignerDialog;
class Workbench;
class WorkbenchStrip;

// The preview pixel under the mouse, in the preview or the magnifier: its position, its colour
// in the frame as presented, and the element drawn there with the line of its section.
class PointerReadout final : public QObject {
    Q_OBJECT
public:
    PointerReadout(DesignerDialog& dialog, Workbench& bench, QObject* parent);

    void Show(QPoint pixel);
    void Clear();
    // A paint may have changed what lies under a resting pointer.
    void Refresh();

private:
    DesignerDialog& dialog_;
    Workbench& bench_;
    std::optional<QPoint> pointer_;
};

} // namespace pindrel
