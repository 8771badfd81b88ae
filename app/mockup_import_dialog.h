#pragma once

#include <optional>

#include <QDialog>
#include <QString>

#include "render/layered_image.h"
#include "skin/mockup_import.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace pindrel {

// Shows what a mock-up will become before anything is written: its layers and what each turns
// into, the elements with their rectangles and call types, and the warnings. The author picks a
// new skin or the open skin's orientation to add; Import accepts.
class MockupImportDialog final : public QDialog {
    Q_OBJECT
public:
    // canAdd: a skin is open that the mock-up may add an orientation to. orientation: the one
    // proposed when the canvas is no screen's size.
    MockupImportDialog(const QString& file, LayeredImage image, bool canAdd,
                       Orientation orientation, QWidget* parent);

    // The plan for the choices shown; none when the mock-up cannot be imported so.
    const std::optional<MockupPlan>& Plan() const { return plan_; }
    MockupPlan TakePlan() { return std::move(*plan_); }
    bool AddsOrientation() const;
    Orientation ChosenOrientation() const;

    QRadioButton* newSkin = nullptr;
    QRadioButton* addOrientation = nullptr;
    QComboBox* orientation = nullptr;
    QTreeWidget* layers = nullptr;
    QListWidget* elements = nullptr;
    QListWidget* warnings = nullptr;
    QLabel* summary = nullptr;
    QPushButton* importButton = nullptr;

private:
    void Replan();

    LayeredImage image_;
    std::optional<MockupPlan> plan_;
};

} // namespace pindrel
