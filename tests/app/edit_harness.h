// The designer in edit mode, driven through the preview's mouse and the strip, with helpers
// for the skin's text.
#pragma once

#include <QCheckBox>
#include <QMouseEvent>

#include "app/live_reload.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "dialog_harness.h"

namespace pindrel::test {

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

inline QByteArray SessionText(DesignerDialog& d) {
    const std::span<const uint8_t> t = d.Session().Text();
    return QByteArray(reinterpret_cast<const char*>(t.data()), static_cast<qsizetype>(t.size()));
}

inline std::vector<uint8_t> Bytes(const QByteArray& a) {
    return {a.begin(), a.end()};
}

// Mouse events at exact positions, with the button held while moving.
inline void Send(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButtons buttons,
                 Qt::KeyboardModifiers mods = {}) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, mods);
    QCoreApplication::sendEvent(w, &e);
}

inline void Click(QWidget* w, QPointF pos) {
    Send(w, QEvent::MouseButtonPress, pos, Qt::LeftButton);
    Send(w, QEvent::MouseButtonRelease, pos, Qt::NoButton);
}

// A drag to exact pixels: Alt keeps snapping out of it, unless snapping is asked for.
inline void Drag(QWidget* w, QPointF from, QPointF to, bool snap = false) {
    const Qt::KeyboardModifiers mods = snap ? Qt::NoModifier : Qt::AltModifier;
    Send(w, QEvent::MouseButtonPress, from, Qt::LeftButton, mods);
    Send(w, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton, mods);
    Send(w, QEvent::MouseMove, to, Qt::LeftButton, mods);
    Send(w, QEvent::MouseButtonRelease, to, Qt::NoButton, mods);
}

struct EditBench : Harness {
    explicit EditBench(const QTemporaryDir& dir, const QByteArray& ini)
        : skin(WriteSkin(dir, ini)) {
        dialog->Tools().Live().SetTiming(40, 40);
        BrowseTo(skin);
    }
    WorkbenchStrip& Strip() const { return dialog->Tools().Strip(); }
    SkinEditor& Editor() const { return dialog->Tools().Editor(); }
    void EditMode(bool on) const { Strip().editSkin->setChecked(on); }
    QRect RectOf(const PlacedElement& e) const {
        const std::optional<Placement> p = CurrentPlacement(*dialog, e, dialog->orientation);
        return p ? QRect(p->x, p->y, p->width, p->height) : QRect();
    }
    QString skin;
};

} // namespace pindrel::test
