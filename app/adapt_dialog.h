#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QDialog>

#include "skin/adapt.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace pindrel {

class DesignerDialog;
class SkinEditor;

// "Adapt to Landscape…" and its kin: sets every element's rectangle in another orientation from
// the one shown, by the anchor rule (or as it is), showing the screen that results beside the
// one it comes from before anything changes. Applied, it is one step of undo. A box limits it to
// the selected elements.
class AdaptDialog final : public QDialog {
    Q_OBJECT
public:
    AdaptDialog(DesignerDialog& dialog, SkinEditor& editor, int32_t to, QWidget* parent);

    // The adapted text as it stands now; nothing when it cannot be made.
    const std::optional<AdaptResult>& Result() const { return result_; }
    QCheckBox& SelectionOnly() const { return *selectionOnly_; }
    QComboBox& Rule() const { return *rule_; }
    const QImage& Shown() const { return shown_; }
    // Applies the result as one step of undo; false when there is nothing to apply.
    bool Apply();

private:
    void Update();

    DesignerDialog& dialog_;
    SkinEditor& editor_;
    int32_t from_ = 0;
    int32_t to_ = 1;
    QCheckBox* selectionOnly_ = nullptr;
    QComboBox* rule_ = nullptr;
    QLabel* before_ = nullptr;
    QLabel* after_ = nullptr;
    QLabel* summary_ = nullptr;
    std::optional<AdaptResult> result_;
    QImage shown_;
};

} // namespace pindrel
