#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "render/color.h"

class QCheckBox;
class QToolButton;

namespace pindrel {

// Controls of the inspector, each for one form of value. They show a value without telling
// anyone, and report only what the author changes. A value the skin does not write itself (a
// default, what an orientation takes from the one before it, a picture's own size) is shown
// greyed, with where it comes from as tooltip.

// A whole number, committed by Enter or by leaving the field; anything that is no number goes
// back to what was shown.
class IntField final : public QLineEdit {
    Q_OBJECT
public:
    IntField(const QString& accessibleName, QWidget* parent);
    // Shows value; origin, when not empty, says where an unwritten value comes from.
    void Show(int32_t value, const QString& origin = {});
    void ShowNothing();

signals:
    void Committed(int32_t value);

private:
    void Commit();
    std::optional<int32_t> shown_;
};

// A choice among values named in words; an editable one also takes a number typed.
class ChoiceField final : public QComboBox {
    Q_OBJECT
public:
    ChoiceField(const QString& accessibleName, std::vector<std::pair<QString, int32_t>> choices,
                bool editable, QWidget* parent);
    void Show(int32_t value, const QString& origin = {});

signals:
    void Chosen(int32_t value);

private:
    void Commit();
    std::vector<std::pair<QString, int32_t>> choices_;
    std::optional<int32_t> shown_;
    bool showing_ = false;
};

// A colour: a swatch that opens a colour chooser, an eyedropper that picks a pixel, and for
// colours that may be absent (a key colour) a box that turns it on and off.
class ColourField final : public QWidget {
    Q_OBJECT
public:
    ColourField(const QString& accessibleName, bool optional, QWidget* parent);
    void Show(std::optional<Color> colour, const QString& origin = {});
    // The eyedropper is waiting for a pixel.
    bool Picking() const;
    void StopPicking();

signals:
    // A colour chosen, or nothing when the box was turned off.
    void Changed(std::optional<Color> colour);
    void PickRequested(bool on);

private:
    void Paint(std::optional<Color> colour);
    QCheckBox* on_ = nullptr;
    QToolButton* swatch_ = nullptr;
    QToolButton* dropper_ = nullptr;
    std::optional<Color> shown_;
};

// The call types an element shows under: one box each and one for all.
class CallTypesField final : public QWidget {
    Q_OBJECT
public:
    explicit CallTypesField(QWidget* parent);
    void Show(int32_t mask, const QString& origin = {});

signals:
    void Changed(int32_t mask);

private:
    void Commit();
    std::array<QCheckBox*, 5> boxes_{};
    QCheckBox* all_ = nullptr;
    bool showing_ = false;
};

// A picture of the skin: the bitmaps in the skin's folder, and "Choose…" for any other file.
class PictureField final : public QComboBox {
    Q_OBJECT
public:
    PictureField(const QString& accessibleName, QWidget* parent);
    // Lists the bitmaps in folder, with name chosen (listed even when it is not there).
    void Show(const QString& folder, const QString& name, const QString& origin = {});

signals:
    void Chosen(const QString& name);
    void ChooseOther();

private:
    bool showing_ = false;
};

// Position and size in each orientation: X, Y, W and H in a row each.
class PlacementGrid final : public QWidget {
    Q_OBJECT
public:
    explicit PlacementGrid(QWidget* parent);
    // The field of orientation o, 0 x, 1 y, 2 width, 3 height.
    IntField& Field(int32_t o, int which) const;

signals:
    void Committed(int32_t orientation, int which, int32_t value);

private:
    std::array<std::array<IntField*, 4>, 3> fields_{};
};

} // namespace pindrel
