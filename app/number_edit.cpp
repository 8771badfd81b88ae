#include "app/number_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace pindrel {

namespace {

// Printable text with anything but a digit in it; control characters (shortcuts) pass.
bool HasNonDigit(const QString& text) {
    for (const QChar c : text)
        if (c.isPrint() && !(c >= u'0' && c <= u'9')) return true;
    return false;
}

} // namespace

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMethodHints(Qt::ImhDigitsOnly);
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && mods == Qt::NoModifier) {
        emit StepRequested(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    if (!(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        HasNonDigit(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (HasNonDigit(event->commitString())) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

} // namespace pindrel
