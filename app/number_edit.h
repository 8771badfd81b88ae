#pragma once

#include <QLineEdit>

namespace pindrel {

// An edit the keyboard can type only digits into. Text set by the program (a negative number
// from an align button) is kept as it is, and deleting characters is always allowed. The up and
// down arrow keys ask its up-down control for a step.
class NumberEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(QWidget* parent);

signals:
    void StepRequested(int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};

} // namespace pindrel
