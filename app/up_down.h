#pragma once

#include <cstdint>

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace pindrel {

class NumberEdit;

// A pair of arrow buttons that step the number in a buddy edit and write it back as decimal.
class UpDown final : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent);

    // Moves against the right side of the buddy, which gives up that width, and takes the
    // buddy's arrow keys.
    void SetBuddy(NumberEdit* edit);
    void SetRange(int32_t min, int32_t max);
    NumberEdit* Buddy() const { return buddy; }

    // Steps from the buddy's number; writes only when the text changes.
    void Step(int delta);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up;
    QToolButton* down;
    NumberEdit* buddy = nullptr;
    int32_t min = 0;
    int32_t max = 100;
};

} // namespace pindrel
