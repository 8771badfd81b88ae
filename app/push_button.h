#pragma once

#include <QPushButton>

namespace pindrel {

// A push button that never becomes the dialog's default: Enter ends the dialog unless a push
// button has the focus, and Qt would otherwise make one the default that Enter clicks.
inline QPushButton* MakePushButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace pindrel
