#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QObject>

#include "skin/arrange.h"

class QAction;
class QMenu;

namespace pindrel {

class DesignerDialog;
class SkinEditor;

// Align, distribute and make the same size, for the selected elements in the orientation shown,
// each command one step of undo. Several align to their common bounds, one to the screen.
// Distributing needs three or more. The same width or height is the last chosen element's, for
// labels and the photo rectangle: images and buttons keep their pictures' sizes.
class ArrangeCommands final : public QObject {
    Q_OBJECT
public:
    ArrangeCommands(DesignerDialog& dialog, SkinEditor& editor, QObject* parent);

    // The commands, for the strip's button and the preview's context menu.
    QMenu& Menu() const { return *menu_; }
    void AlignSelected(AlignTo to);
    void DistributeSelected(bool horizontal);
    void SameSize(bool width);
    // Opens "Adapt to …" for another orientation than the one shown.
    void Adapt(int32_t to);
    // Enables the commands the selection allows.
    void Update();

private:
    DesignerDialog& dialog_;
    SkinEditor& editor_;
    QMenu* menu_ = nullptr; // owned by the dialog
    std::vector<QAction*> align_;
    QAction* acrossAction_ = nullptr;
    QAction* downAction_ = nullptr;
    QAction* widthAction_ = nullptr;
    QAction* heightAction_ = nullptr;
    std::array<QAction*, 3> adapt_{};
};

} // namespace pindrel
