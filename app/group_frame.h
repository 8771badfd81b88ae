#pragma once

#include <QGroupBox>

namespace pindrel {

// A group box whose caption sits on the frame's top line, so the frame takes the whole
// rectangle it is given and the controls placed inside it keep clear of the caption.
class GroupFrame final : public QGroupBox {
    Q_OBJECT
public:
    enum class Role {
        Drawn,     // only a picture: the controls are its siblings, placed over it
        Container, // holds its controls as children, laid out inside the frame
    };
    GroupFrame(const QString& title, QWidget* parent, Role role = Role::Drawn);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pindrel
