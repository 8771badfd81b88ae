#include "app/package_export.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include "app/designer_dialog.h"
#include "app/problems_list.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "base/atomic_file.h"
#include "skin/skin_package.h"

namespace pindrel {

namespace {

// As many as a message box shows without running off the screen.
constexpr size_t kMaxShownFindings = 12;

QString Counted(size_t n, const QString& word) {
    return QStringLiteral("%1 %2%3").arg(n).arg(word, n == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

PackageExport::PackageExport(DesignerDialog& dialog, Workbench& bench, QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench) {
    connect(bench.Strip().exportPackage, &QAbstractButton::clicked, this, &PackageExport::Export);
}

QString PackageExport::SuggestedName() const {
    const QFileInfo skin(dialog_.SkinPath());
    QDir folder = dialog_.SkinPath().isEmpty() ? QDir::current() : skin.absoluteDir();
    folder.cdUp();
    const std::string name =
        PackageFolderName(QFile::encodeName(skin.fileName()).toStdString()) + ".zip";
    return folder.filePath(QFile::decodeName(QByteArray::fromStdString(name)));
}

bool PackageExport::AcceptFindings(const PackagePlan& plan, const QString& skinName) {
    if (plan.findings.empty()) return true;
    const auto errors = static_cast<size_t>(std::count_if(
        plan.findings.begin(), plan.findings.end(), [](const LintFinding& f) { return f.error; }));
    const size_t warnings = plan.findings.size() - errors;
    QStringList found;
    if (errors > 0) found.push_back(Counted(errors, QStringLiteral("error")));
    if (warnings > 0) found.push_back(Counted(warnings, QStringLiteral("warning")));
    QStringList lines;
    for (size_t i = 0; i < std::min(plan.findings.size(), kMaxShownFindings); ++i)
        lines.push_back(ProblemText(plan.findings[i]));
    if (plan.findings.size() > kMaxShownFindings)
        lines.push_back(QStringLiteral("\u2026 and %1 more; pindrel-cli pack lists them all")
                            .arg(plan.findings.size() - kMaxShownFindings));
    const QString text =
        QStringLiteral("Packing %1 found %2:\n\n%3\n\n%4")
            .arg(skinName, found.join(QStringLiteral(" and ")), lines.join(QLatin1Char('\n')),
                 errors > 0 ? QStringLiteral("The package may not work on the device. Pack it "
                                             "all the same?")
                            : QStringLiteral("Pack it?"));
    return dialog_.Messages().Confirm(
        &dialog_, text, errors > 0 ? QStringLiteral("Pack anyway") : QStringLiteral("Pack"),
        QStringLiteral("Cancel"));
}

void PackageExport::Export() {
    const QString& path = dialog_.SkinPath();
    SkinSession& session = dialog_.Session();
    if (path.isEmpty() || !session.HasText()) {
        dialog_.Messages().ShowWarning(&dialog_,
                                       QStringLiteral("Load a skin before exporting its package."));
        return;
    }
    // The skin as the designer holds it, unsaved edits included, as its problems list shows it.
    const PackagePlan plan = PlanSkinPackage(QFile::encodeName(path).toStdString(),
                                             session.Parsed(), dialog_, session.Report());
    if (!AcceptFindings(plan, QFileInfo(path).fileName())) {
        bench_.Strip().ShowStatus(QStringLiteral("Package not exported"));
        return;
    }
    const std::optional<QString> chosen =
        dialog_.Files().ChoosePackageFile(&dialog_, SuggestedName());
    if (!chosen) return;
    const QString shown = QDir::toNativeSeparators(*chosen);
    const auto fail = [&](const QString& why) {
        dialog_.Messages().ShowWarning(
            &dialog_, QStringLiteral("Could not export the package to %1: %2").arg(shown, why));
    };
    // Written beside the target and renamed over it, which would replace a device or a pipe.
    const QFileInfo target(*chosen);
    if (target.exists() && !target.isFile()) {
        fail(QStringLiteral("not a regular file"));
        return;
    }
    if (IsPackageInput(plan, QFile::encodeName(path).toStdString(),
                       QFile::encodeName(*chosen).toStdString())) {
        fail(QStringLiteral("that is the skin or one of its pictures"));
        return;
    }
    const PackageResult package = BuildSkinPackage(plan, session.Parsed().Bytes());
    if (package.bytes.empty()) {
        fail(QString::fromStdString(package.error));
        return;
    }
    std::string error;
    if (WriteBytesAtomically(QFile::encodeName(*chosen).toStdString(), package.bytes, &error) !=
        AtomicWriteStatus::Written) {
        fail(QString::fromStdString(error));
        return;
    }
    bench_.Strip().ShowStatus(
        QStringLiteral("Exported %1: the skin%2 and %3")
            .arg(shown, session.Modified() ? QStringLiteral(" with its unsaved edits") : QString(),
                 Counted(plan.Pictures(), QStringLiteral("picture"))));
}

} // namespace pindrel
