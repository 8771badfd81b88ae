#include "app/edit_gestures.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QPainter>

#include "app/designer_dialog.h"
#include "app/elements_list.h"
#include "app/magnifier_tool.h"
#include "app/magnifier_window.h"
#include "app/preview_window.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "skin/arrange.h"
#include "skin/element_at.h"

namespace pindrel {

namespace {

// The selection is drawn in a colour no skin is likely to be made of, with white beside it so
// that it shows on dark and light artwork alike; guides in a colour of their own.
const QColor kSelection(0, 160, 255);
const QColor kGuide(255, 40, 160);

QPoint PixelOf(QPointF p) {
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

Rect RectOf(const Placement& p) {
    return Rect::FromXYWH(p.x, p.y, p.width, p.height);
}

} // namespace

EditGestures::EditGestures(DesignerDialog& dialog, Workbench& bench, SkinEditor& editor,
                           QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench), editor_(editor) {
    dialog_.Preview()->SetTool(this);
    // The arrows move the selection however it was chosen, from the list too.
    bench.Strip().elements->installEventFilter(this);
}

EditGestures::~EditGestures() {
    if (PreviewWindow* preview = dialog_.Preview()) preview->SetTool(nullptr);
}

bool EditGestures::TakesInput() const {
    return editor_.IsOn();
}

void EditGestures::SetOn(bool on) {
    if (!on) {
        gesture_.reset();
        snap_.reset();
    }
    // The preview takes the keyboard on a click only while arrow keys mean something there.
    dialog_.Preview()->setFocusPolicy(on ? Qt::ClickFocus : Qt::NoFocus);
    // Picture files dropped from a file manager become images.
    dialog_.Preview()->setAcceptDrops(on);
    if (MagnifierWindow* m = bench_.Magnifier().Window())
        m->setFocusPolicy(on ? Qt::ClickFocus : Qt::NoFocus);
    lastClick_.reset();
}

void EditGestures::Reset() {
    gesture_.reset();
    lastClick_.reset();
    snap_.reset();
    gaps_.reset();
    moving_.reset();
}

std::optional<EditGestures::Grip> EditGestures::GripAt(QPointF pixel, qreal k) const {
    if (editor_.Selected().size() != 1) return std::nullopt;
    const std::optional<Rect> r = ElementRect(dialog_, editor_.Selected().front());
    if (!r) return std::nullopt;
    const qreal l = r->left * k, t = r->top * k, rt = r->right * k, b = r->bottom * k;
    const qreal cx = (l + rt) / 2, cy = (t + b) / 2;
    const QPointF at = pixel * k;
    struct Handle {
        Grip grip;
        QPointF centre;
    };
    const std::array<Handle, 8> handles = {{{Grip::TopLeft, {l, t}},
                                            {Grip::TopRight, {rt, t}},
                                            {Grip::BottomLeft, {l, b}},
                                            {Grip::BottomRight, {rt, b}},
                                            {Grip::Top, {cx, t}},
                                            {Grip::Bottom, {cx, b}},
                                            {Grip::Left, {l, cy}},
                                            {Grip::Right, {rt, cy}}}};
    for (const Handle& h : handles) {
        if (std::abs(at.x() - h.centre.x()) <= kGripReach &&
            std::abs(at.y() - h.centre.y()) <= kGripReach)
            return h.grip;
    }
    return std::nullopt;
}

int32_t EditGestures::Reach(PreviewInput& from) const {
    const qreal screenPerPixel = from.UnitsPerPixel() * from.devicePixelRatioF();
    return std::max(1, static_cast<int32_t>(std::floor(kSnapReach / screenPerPixel)));
}

std::vector<Rect> EditGestures::Others() const {
    const CallType t = dialog_.GetCallType(nullptr);
    const std::vector<PlacedElement>& selected = editor_.Selected();
    std::vector<Rect> others;
    const auto add = [&](PlacedKind kind, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            const PlacedElement e{kind, i};
            if (std::find(selected.begin(), selected.end(), e) != selected.end()) continue;
            if (!ShownUnder(dialog_, e, t)) continue;
            if (const std::optional<Rect> r = ElementRect(dialog_, e)) others.push_back(*r);
        }
    };
    add(PlacedKind::Image, dialog_.images.size());
    add(PlacedKind::Button, dialog_.buttons.size());
    add(PlacedKind::Label, dialog_.labels.size());
    add(PlacedKind::Photo, 1);
    return others;
}

void EditGestures::Press(PreviewInput& from, QPointF pixel, Qt::KeyboardModifiers mods) {
    const QPoint p = PixelOf(pixel);
    if (editor_.Picking()) {
        const QImage& frame = bench_.Frame();
        if (frame.valid(p)) editor_.Picked(frame.pixel(p));
        return;
    }
    editor_.FlushTyping();
    const bool shift = mods & Qt::ShiftModifier;
    std::optional<Grip> grip = shift ? std::nullopt : GripAt(pixel, from.UnitsPerPixel());
    bool fresh = false;
    if (!grip) {
        const std::vector<PlacedElement> under =
            ElementsUnder(dialog_, {p.x(), p.y()}, dialog_.GetCallType(nullptr));
        if (under.empty()) {
            // Empty screen: a rubber band, which replaces the selection unless Shift adds to it.
            if (!shift) editor_.Select(std::nullopt);
            Gesture g;
            g.band = true;
            g.start = p;
            g.adding = shift;
            g.bandRect = Rect::FromXYWH(p.x(), p.y(), 1, 1);
            gesture_ = g;
            lastClick_.reset();
            return;
        }
        const std::vector<PlacedElement>& selected = editor_.Selected();
        const auto selectedUnder =
            std::find_first_of(under.begin(), under.end(), selected.begin(), selected.end());
        if (shift) {
            // Shift+click adds the topmost element there, or takes it out again.
            editor_.Toggle(under.front());
            lastClick_.reset();
            return;
        }
        // A press on an element not selected takes it at once, so that it can be dragged
        // straight away; on a selected one the whole selection goes with the drag.
        if (selectedUnder == under.end()) {
            editor_.Select(under.front());
            fresh = true;
        }
        grip = Grip::Body;
    }
    Gesture g;
    g.grip = *grip;
    g.start = p;
    g.fresh = fresh;
    for (const PlacedElement& e : editor_.Selected())
        if (const auto now = CurrentPlacement(dialog_, e, dialog_.orientation))
            g.from.emplace_back(e, *now);
    if (g.from.empty()) return;
    gesture_ = std::move(g);
    editor_.BeginGesture();
}

void EditGestures::Move(PreviewInput& from, QPointF pixel, Qt::MouseButtons buttons,
                        Qt::KeyboardModifiers mods) {
    if (!gesture_ || !(buttons & Qt::LeftButton)) {
        // The pointer says what a press would take.
        const std::optional<Grip> grip = GripAt(pixel, from.UnitsPerPixel());
        Qt::CursorShape shape = editor_.Picking() ? Qt::CrossCursor : Qt::ArrowCursor;
        if (grip == Grip::TopLeft || grip == Grip::BottomRight) shape = Qt::SizeFDiagCursor;
        if (grip == Grip::TopRight || grip == Grip::BottomLeft) shape = Qt::SizeBDiagCursor;
        if (grip == Grip::Left || grip == Grip::Right) shape = Qt::SizeHorCursor;
        if (grip == Grip::Top || grip == Grip::Bottom) shape = Qt::SizeVerCursor;
        from.setCursor(shape);
        return;
    }
    const QPoint d = PixelOf(pixel) - gesture_->start;
    if (!gesture_->moved && d.isNull()) return;
    gesture_->moved = true;
    if (gesture_->band) {
        const QPoint a = gesture_->start, b = PixelOf(pixel);
        gesture_->bandRect = {std::min(a.x(), b.x()), std::min(a.y(), b.y()),
                              std::max(a.x(), b.x()) + 1, std::max(a.y(), b.y()) + 1};
        editor_.Repaint();
        return;
    }
    Drag(d, from, !(mods & Qt::AltModifier));
}

void EditGestures::Drag(QPoint d, PreviewInput& from, bool snap) {
    Gesture& g = *gesture_;
    const Size screen = kScreenSizes[static_cast<size_t>(dialog_.orientation)];
    const std::vector<Rect> others = Others();
    snap_.reset();
    if (g.grip == Grip::Body) {
        std::vector<Rect> rects;
        for (const auto& [e, p] : g.from)
            rects.push_back(RectOf(p));
        Rect box = Bounds(rects);
        box = Rect::FromXYWH(box.left + d.x(), box.top + d.y(), box.Width(), box.Height());
        if (snap) {
            const SnapResult s = Snap(box, {}, {}, others, screen, Reach(from));
            d += QPoint(s.dx, s.dy);
            box = Rect::FromXYWH(box.left + s.dx, box.top + s.dy, box.Width(), box.Height());
            if (s.guideX || s.guideY) snap_ = s;
        }
        moving_ = box;
        std::vector<std::pair<PlacedElement, Placement>> placements;
        for (auto [e, p] : g.from) {
            p.x += d.x();
            p.y += d.y();
            placements.emplace_back(e, p);
        }
        editor_.Place(placements);
    } else {
        Placement p = g.from.front().second;
        const Grip grip = g.grip;
        const bool left = grip == Grip::Left || grip == Grip::TopLeft || grip == Grip::BottomLeft;
        const bool right =
            grip == Grip::Right || grip == Grip::TopRight || grip == Grip::BottomRight;
        const bool top = grip == Grip::Top || grip == Grip::TopLeft || grip == Grip::TopRight;
        const bool bottom =
            grip == Grip::Bottom || grip == Grip::BottomLeft || grip == Grip::BottomRight;
        int dx = d.x(), dy = d.y();
        if (snap) {
            // Only the edges the handle drags snap.
            Rect r = RectOf(p);
            if (left) r.left += dx;
            if (right) r.right += dx;
            if (top) r.top += dy;
            if (bottom) r.bottom += dy;
            const SnapResult s =
                Snap(r, {left, false, right}, {top, false, bottom}, others, screen, Reach(from));
            dx += s.dx;
            dy += s.dy;
            if (s.guideX || s.guideY) snap_ = s;
        }
        // An edge is not dragged past its opposite: a width of 0 would mean the picture's own.
        if (left) {
            const int m = std::min(dx, p.width - 1);
            p.x += m;
            p.width -= m;
        }
        if (right) p.width = std::max(1, p.width + dx);
        if (top) {
            const int m = std::min(dy, p.height - 1);
            p.y += m;
            p.height -= m;
        }
        if (bottom) p.height = std::max(1, p.height + dy);
        moving_ = RectOf(p);
        editor_.Place({{g.from.front().first, p}});
    }
    gaps_ = snap_ && moving_ ? std::optional(Gaps(*moving_, others, screen)) : std::nullopt;
    editor_.Repaint();
}

void EditGestures::Release(PreviewInput& /*from*/, QPointF pixel, Qt::KeyboardModifiers mods) {
    if (!gesture_) return;
    const Gesture g = std::move(*gesture_);
    gesture_.reset();
    snap_.reset();
    gaps_.reset();
    moving_.reset();
    if (g.band) {
        // What the band touches among the elements drawn.
        const CallType t = dialog_.GetCallType(nullptr);
        std::vector<PlacedElement> chosen =
            g.adding ? editor_.Selected() : std::vector<PlacedElement>{};
        const auto take = [&](PlacedKind kind, size_t count) {
            for (size_t i = 0; i < count; ++i) {
                const PlacedElement e{kind, i};
                const std::optional<Rect> r = ElementRect(dialog_, e);
                if (!r || !ShownUnder(dialog_, e, t) || !IntersectRect(*r, g.bandRect)) continue;
                if (std::find(chosen.begin(), chosen.end(), e) == chosen.end()) chosen.push_back(e);
            }
        };
        if (g.moved) {
            take(PlacedKind::Image, dialog_.images.size());
            take(PlacedKind::Button, dialog_.buttons.size());
            take(PlacedKind::Label, dialog_.labels.size());
            take(PlacedKind::Photo, 1);
            editor_.SetSelected(std::move(chosen));
        }
        editor_.Repaint();
        return;
    }
    editor_.EndGesture();
    const QPoint p = PixelOf(pixel);
    if (g.moved) {
        lastClick_.reset();
        return;
    }
    // A click selects the topmost element there; again where the last one was, it walks down
    // the stack of elements under the pointer.
    if (!g.fresh && g.grip == Grip::Body && !(mods & Qt::ShiftModifier)) {
        const std::vector<PlacedElement> under =
            ElementsUnder(dialog_, {p.x(), p.y()}, dialog_.GetCallType(nullptr));
        const std::optional<PlacedElement> one = editor_.Selection();
        const auto at = one ? std::find(under.begin(), under.end(), *one) : under.end();
        if (lastClick_ != g.start || at == under.end()) {
            if (!under.empty()) editor_.Select(under.front());
        } else {
            editor_.Select(under[(static_cast<size_t>(at - under.begin()) + 1) % under.size()]);
        }
    }
    lastClick_ = g.start;
}

bool EditGestures::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && editor_.IsOn() && !editor_.Selected().empty()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (Arrow(key->key(), key->modifiers())) return true;
    }
    return QObject::eventFilter(watched, event);
}

bool EditGestures::Key(PreviewInput& /*from*/, int key, Qt::KeyboardModifiers mods) {
    return Arrow(key, mods);
}

bool EditGestures::Arrow(int key, Qt::KeyboardModifiers mods) {
    int dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        return false;
    }
    if (editor_.Selected().empty() || gesture_) return true;
    // Nudges never snap.
    const int step = (mods & Qt::ShiftModifier) ? 10 : 1;
    if (mods & Qt::ControlModifier)
        editor_.Nudge(0, 0, dx * step, dy * step);
    else
        editor_.Nudge(dx * step, dy * step, 0, 0);
    return true;
}

void EditGestures::PaintOver(QPainter& painter, qreal k) {
    if (!editor_.IsOn()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto ringOf = [k](const Rect& r) {
        return QRectF(r.left * k, r.top * k, std::max(0, r.Width()) * k,
                      std::max(0, r.Height()) * k);
    };
    QPen outer(Qt::white, 1);
    outer.setCosmetic(true);
    QPen inner(kSelection, 1);
    inner.setCosmetic(true);
    painter.setBrush(Qt::NoBrush);
    // On each element's boundary pixels, as the align rectangle is drawn.
    for (const PlacedElement& e : editor_.Selected()) {
        const std::optional<Rect> r = ElementRect(dialog_, e);
        if (!r) continue;
        const QRectF ring = ringOf(*r);
        painter.setPen(outer);
        painter.drawRect(ring.adjusted(-1, -1, 0, 0));
        painter.setPen(inner);
        painter.drawRect(ring.adjusted(0, 0, -1, -1));
    }
    if (editor_.Selected().size() == 1) {
        if (const std::optional<Rect> r = ElementRect(dialog_, editor_.Selected().front())) {
            const QRectF ring = ringOf(*r);
            const qreal l = ring.left(), t = ring.top(), rt = ring.right(), b = ring.bottom();
            const qreal cx = (l + rt) / 2, cy = (t + b) / 2;
            const qreal side = kGripReach * 2 - 2;
            painter.setPen(inner);
            painter.setBrush(Qt::white);
            for (const QPointF c :
                 {QPointF(l, t), QPointF(rt, t), QPointF(l, b), QPointF(rt, b), QPointF(cx, t),
                  QPointF(cx, b), QPointF(l, cy), QPointF(rt, cy)})
                painter.drawRect(QRectF(c.x() - side / 2, c.y() - side / 2, side, side));
            painter.setBrush(Qt::NoBrush);
        }
    }
    if (gesture_ && gesture_->band && gesture_->moved) {
        QPen band(kSelection, 1, Qt::DashLine);
        band.setCosmetic(true);
        painter.setPen(band);
        painter.drawRect(ringOf(gesture_->bandRect).adjusted(0, 0, -1, -1));
    }
    if (snap_) {
        const Size screen = kScreenSizes[static_cast<size_t>(dialog_.orientation)];
        QPen guide(kGuide, 1);
        guide.setCosmetic(true);
        painter.setPen(guide);
        if (snap_->guideX) {
            const qreal x = *snap_->guideX * k;
            painter.drawLine(QPointF(x, 0), QPointF(x, screen.height * k));
        }
        if (snap_->guideY) {
            const qreal y = *snap_->guideY * k;
            painter.drawLine(QPointF(0, y), QPointF(screen.width * k, y));
        }
    }
    if (gaps_ && moving_) {
        // The distances, in device pixels, to the nearest neighbour or the screen's edge.
        const Rect& m = *moving_;
        const qreal cx = (m.left + m.right) * k / 2, cy = (m.top + m.bottom) * k / 2;
        const std::array<QPointF, 4> at = {QPointF((m.left - (*gaps_)[0] / 2.0) * k, cy),
                                           QPointF((m.right + (*gaps_)[1] / 2.0) * k, cy),
                                           QPointF(cx, (m.top - (*gaps_)[2] / 2.0) * k),
                                           QPointF(cx, (m.bottom + (*gaps_)[3] / 2.0) * k)};
        QFont font = painter.font();
        font.setPixelSize(std::max(9, static_cast<int>(std::lround(10 * std::min(k, 2.0)))));
        painter.setFont(font);
        for (size_t i = 0; i < 4; ++i) {
            const QString text = QString::number((*gaps_)[i]);
            QRectF box = painter.fontMetrics().boundingRect(text).adjusted(-2, -1, 2, 1);
            box.moveCenter(at[i]);
            painter.fillRect(box, kGuide);
            painter.setPen(Qt::white);
            painter.drawText(box, Qt::AlignCenter, text);
        }
    }
    painter.restore();
}

} // namespace pindrel
