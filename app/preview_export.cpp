#include "app/preview_export.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPushButton>
#include <QSaveFile>

#include "app/app_resources.h"
#include "app/designer_dialog.h"
#include "app/preview_window.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "skin/draw_screen.h"

namespace pindrel {

PreviewExport::PreviewExport(DesignerDialog& dialog, Workbench& bench, QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench) {
    connect(bench.Strip().exportPng, &QAbstractButton::clicked, this, &PreviewExport::Export);
}

QString PreviewExport::SuggestedName() const {
    const QString& path = dialog_.SkinPath();
    const QFileInfo skin(path);
    const QString folder = path.isEmpty() ? QDir::currentPath() : skin.absolutePath();
    const QString base = path.isEmpty() ? QStringLiteral("preview") : skin.completeBaseName();
    const auto o = static_cast<size_t>(dialog_.orientation);
    return QDir(folder).filePath(
        base + QLatin1Char('-') + FromView(kOrientationKeywords[o]) + QLatin1Char('-') +
        FromView(kCallTypeKeywords[CallTypeIndex(dialog_.GetCallType(nullptr))]) +
        QStringLiteral(".png"));
}

void PreviewExport::Export() {
    // The screen as drawn, pressed buttons and align rectangle included.
    const QImage image =
        bench_.Frame().isNull()
            ? ToQImage(DrawScreen(dialog_, dialog_.PreviewRequest(dialog_.Preview()->ClientSize()),
                                  dialog_.fontCache)
                           .View())
            : bench_.Frame();
    const std::optional<QString> chosen =
        dialog_.Files().ChooseExportFile(&dialog_, SuggestedName());
    if (!chosen) return;
    const QString shown = QDir::toNativeSeparators(*chosen);
    const QFileInfo target(*chosen);
    // Written beside the target and renamed over it, which would replace a device or a pipe.
    if (target.exists() && !target.isFile()) {
        dialog_.Messages().ShowWarning(
            &dialog_,
            QStringLiteral("Could not export the preview to %1: not a regular file").arg(shown));
        return;
    }
    QSaveFile file(*chosen);
    QImageWriter writer(&file, "png");
    QString problem;
    if (!file.open(QIODevice::WriteOnly))
        problem = file.errorString();
    else if (!writer.write(image.convertToFormat(QImage::Format_RGB888)))
        problem = writer.errorString();
    else if (!file.commit())
        problem = file.errorString();
    if (!problem.isEmpty()) {
        file.cancelWriting();
        dialog_.Messages().ShowWarning(
            &dialog_, QStringLiteral("Could not export the preview to %1: %2").arg(shown, problem));
        return;
    }
    bench_.Strip().ShowStatus(QStringLiteral("Exported %1").arg(shown));
}

CopyKeys::CopyKeys(DesignerDialog& dialog, Workbench& bench, QObject* parent)
    : QObject(parent), dialog_(dialog), bench_(bench) {
    connect(bench.Strip().copyKeys, &QAbstractButton::clicked, this, &CopyKeys::Copy);
}

void CopyKeys::Copy() {
    const QString keys =
        QString::fromStdString(AlignKeysText(dialog_.orientation, dialog_.CurrentAlignValues()));
    QGuiApplication::clipboard()->setText(keys);
    bench_.Strip().ShowStatus(QStringLiteral("Copied %1")
                                  .arg(QString(keys).replace(QLatin1Char('\n'), QLatin1Char(' '))));
}

} // namespace pindrel
