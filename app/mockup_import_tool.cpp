#include "app/mockup_import_tool.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "app/designer_dialog.h"
#include "app/mockup_import_dialog.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "base/atomic_file.h"
#include "base/read_file.h"
#include "skin/mockup_files.h"
#include "skin/mockup_merge.h"

namespace pindrel {

namespace {

// Far above any mock-up of a phone's screen, even drawn at several times its size.
constexpr uint64_t kMaxMockupBytes = uint64_t{1} << 30;

std::string Path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MockupImportTool::MockupImportTool(DesignerDialog& dialog, Workbench& bench, QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench) {}

MockupImportDialog* MockupImportTool::Review() const {
    // A review that ended goes at the next turn of the event loop.
    return review_ && review_->isVisible() ? review_.data() : nullptr;
}

void MockupImportTool::Start() {
    if (review_ && review_->isVisible()) return;
    const QString start = !mockup_.isEmpty() ? mockup_ : QFileInfo(dialog_.SkinPath()).path();
    const std::optional<QString> chosen = dialog_.Files().ChooseMockupFile(&dialog_, start);
    if (!chosen) return;
    mockup_ = *chosen;
    const ReadFileResult file = ReadRegularFile(Path(mockup_), kMaxMockupBytes);
    LayeredResult read;
    if (file.status != ReadFileStatus::Ok || file.bytes.empty())
        read.reason = "cannot be read";
    else
        read = ReadLayeredImage(file.bytes);
    if (!read.image) {
        dialog_.Messages().ShowWarning(
            &dialog_, QStringLiteral("Cannot import %1: %2")
                          .arg(QDir::toNativeSeparators(mockup_), FromUtf8(read.reason)));
        return;
    }
    const bool canAdd = dialog_.Session().HasText() && !dialog_.SkinPath().isEmpty();
    review_ = new MockupImportDialog(mockup_, std::move(*read.image), canAdd,
                                     static_cast<Orientation>(dialog_.orientation), &dialog_);
    review_->setAttribute(Qt::WA_DeleteOnClose);
    connect(review_, &QDialog::accepted, this, &MockupImportTool::Apply);
    review_->open();
}

void MockupImportTool::Apply() {
    if (!review_ || !review_->Plan()) return;
    const bool add = review_->AddsOrientation();
    MockupPlan plan = review_->TakePlan();
    if (add)
        AddToOpenSkin(std::move(plan));
    else
        WriteNewSkin(plan);
}

void MockupImportTool::WriteNewSkin(const MockupPlan& plan) {
    if (!bench_.MayOpenAnother()) return;
    const QFileInfo mockup(mockup_);
    const QString suggested = mockup.dir().filePath(mockup.completeBaseName() + ".ini");
    const std::optional<QString> chosen = dialog_.Files().ChooseNewSkinFile(&dialog_, suggested);
    if (!chosen) return;
    const std::string skinPath = Path(*chosen);
    const std::vector<MockupBitmap> bitmaps = PlanBitmaps(plan);
    QStringList existing;
    if (PathTaken(skinPath)) existing.push_back(QFileInfo(*chosen).fileName());
    for (const MockupBitmap& b : bitmaps) {
        if (PathTaken(BesideSkin(skinPath, b.file))) existing.push_back(FromUtf8(b.file));
    }
    if (!existing.isEmpty() &&
        !dialog_.Messages().Confirm(&dialog_,
                                    QStringLiteral("These files exist and would be replaced: %1. "
                                                   "Replace them?")
                                        .arg(existing.join(QStringLiteral(", "))),
                                    QStringLiteral("Replace"), QStringLiteral("Cancel")))
        return;
    std::vector<std::string> made;
    std::string error;
    const std::string text = NewSkinText(plan);
    if (!WriteMockupBitmaps(skinPath, bitmaps, &made, &error) ||
        WriteBytesAtomically(skinPath,
                             std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
                             &error) != AtomicWriteStatus::Written) {
        RemoveFiles(made);
        dialog_.Messages().ShowWarning(
            &dialog_, QStringLiteral("The skin was not written: %1").arg(FromUtf8(error)));
        return;
    }
    // The radios show the orientation the mock-up was drawn for.
    auto* radio = qobject_cast<QAbstractButton*>(
        dialog_.Control(kOrientationIds[static_cast<size_t>(plan.orientation)]));
    if (radio && !radio->isChecked()) radio->click();
    dialog_.OpenSkin(*chosen);
    bench_.Strip().ShowStatus(QStringLiteral("Imported %1 elements from %2")
                                  .arg(plan.elements.size())
                                  .arg(mockup.fileName()));
}

void MockupImportTool::AddToOpenSkin(MockupPlan plan) {
    SkinSession& session = dialog_.Session();
    if (!session.HasText()) return;
    const std::string skinPath = Path(dialog_.SkinPath());
    const std::string folder = Path(QFileInfo(dialog_.SkinPath()).absolutePath());
    const MockupMerge merged =
        MergeMockup(session.Text(), folder, plan,
                    [&](const std::string& name) { return PathTaken(BesideSkin(skinPath, name)); });
    std::string error = merged.error;
    std::vector<std::string> made;
    if (!merged.ok || !WriteMockupBitmaps(skinPath, merged.bitmaps, &made, &error)) {
        dialog_.Messages().ShowWarning(
            &dialog_, QStringLiteral("The mock-up was not added: %1").arg(FromUtf8(error)));
        return;
    }
    // One step of undo, as every edit is.
    bench_.Editor().ApplyText(merged.bytes);
    auto* radio = qobject_cast<QAbstractButton*>(
        dialog_.Control(kOrientationIds[static_cast<size_t>(plan.orientation)]));
    if (radio && !radio->isChecked()) radio->click();
    QStringList notes;
    for (const std::string& line : merged.lines)
        notes.push_back(FromUtf8(line));
    for (const std::string& w : merged.warnings)
        notes.push_back(FromUtf8(w));
    bench_.Strip().ShowStatus(
        QStringLiteral("Added the %1 orientation from %2; Save writes it")
            .arg(FromUtf8(std::string(kOrientationKeywords[static_cast<size_t>(plan.orientation)])))
            .arg(QFileInfo(mockup_).fileName()));
    bench_.Strip().status->setToolTip(notes.join(QLatin1Char('\n')));
}

} // namespace pindrel
