#include "app/editor_window.h"

#include <QKeyEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/designer_dialog.h"
#include "app/inspector.h"
#include "app/source_view.h"
#include "app/tool_window.h"

namespace pindrel {

namespace {

// Room for an 80-column line of the skin and a screenful of them.
constexpr int kColumns = 80;
constexpr int kRows = 36;

} // namespace

EditorWindow::EditorWindow(DesignerDialog& dialog, SkinEditor& editor, Workbench& bench)
    : QWidget(&dialog, Qt::Tool), dialog_(dialog) {
    setWindowTitle(QStringLiteral("Skin editor"));
    setAccessibleName(QStringLiteral("Skin editor"));
    // Opening it leaves the keyboard where it was.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* column = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(QStringLiteral("Skin editor pages"));
    inspector_ = new Inspector(dialog, editor, bench, tabs_);
    tabs_->addTab(inspector_, QStringLiteral("Inspector"));
    tabs_->setTabToolTip(0, QStringLiteral("The keys of the selected element, or of the skin"));
    source_ = new SourceView(dialog, editor, bench, tabs_);
    tabs_->addTab(source_, QStringLiteral("Source"));
    tabs_->setTabToolTip(1, QStringLiteral("The skin file as text: typing applies after a pause"));
    column->addWidget(tabs_);
}

void EditorWindow::Open() {
    const QFontMetrics metrics(source_->font());
    const QSize whole(metrics.horizontalAdvance(QLatin1Char('x')) * kColumns + 40,
                      metrics.lineSpacing() * kRows + 60);
    if (!placed_) {
        placed_ = true;
        ShowToolWindowBeside(dialog_, *this, whole, [this](QSize room) { resize(room); });
    } else {
        show();
    }
    raise();
}

// A tool window closes on Escape, as its dialog would.
void EditorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void EditorWindow::hideEvent(QHideEvent* event) {
    source_->Flush();
    QWidget::hideEvent(event);
}

} // namespace pindrel
