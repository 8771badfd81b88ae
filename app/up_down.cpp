#include "app/up_down.h"

#include <algorithm>

#include <QToolButton>

#include "app/align_helper.h"
#include "app/number_edit.h"

namespace pindrel {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const QString& name) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAccessibleName(name);
    return b;
}

} // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up(MakeArrow(this, Qt::UpArrow, QStringLiteral("Up"))),
      down(MakeArrow(this, Qt::DownArrow, QStringLiteral("Down"))) {
    setFocusPolicy(Qt::NoFocus);
    connect(up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::SetBuddy(NumberEdit* edit) {
    buddy = edit;
    if (!edit) return;
    const QRect r = edit->geometry();
    const int w = std::min(width(), r.width());
    edit->setGeometry(r.x(), r.y(), r.width() - w, r.height());
    setGeometry(r.x() + r.width() - w, r.y(), w, r.height());
    connect(edit, &NumberEdit::StepRequested, this, &UpDown::Step);
}

void UpDown::SetRange(int32_t lo, int32_t hi) {
    min = lo;
    max = hi;
}

void UpDown::Step(int delta) {
    if (!buddy) return;
    const int32_t value = ReadAlignValue(buddy->text().toStdString());
    const QString text = QString::number(StepUpDown(value, delta, min, max));
    if (text != buddy->text()) buddy->setText(text);
}

void UpDown::resizeEvent(QResizeEvent* /*event*/) {
    const int half = height() / 2;
    up->setGeometry(0, 0, width(), half);
    down->setGeometry(0, half, width(), height() - half);
}

} // namespace pindrel
