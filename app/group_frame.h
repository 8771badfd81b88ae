#pragma once

#include <QGroupBox>

namespace pindrel {

// A group box whose caption sits on the frame's top line, so the frame takes the whole
// rectangle it is given and the controls placed inside it keep clear of the caption.
class GroupFrame final : public QGroupBox {
    Q_OBJECT
public:
    GroupFrame(const QString& title, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pindrel
