#include "app/designer_dialog.h"

#include <array>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QTime>

#include "app/app_resources.h"
#include "app/group_frame.h"
#include "app/number_edit.h"
#include "app/preview_window.h"
#include "app/push_button.h"
#include "app/up_down.h"
#include "app/workbench.h"
#include "skin/field_text.h"
#include "skin/font_cache.h"

namespace pindrel {

namespace {

constexpr std::array kSampleEditIds = {IdName,  IdCompany, IdJob,      IdCategories,
                                       IdPhone, IdNick,    IdPhoneType};
constexpr std::array kAlignEditIds = {IdXPos, IdYPos, IdXSize, IdYSize};

struct AlignButton {
    int32_t id;
    AlignAction action;
};
constexpr std::array kAlignButtons = {
    AlignButton{IdAlignLeft, AlignAction::Left},
    AlignButton{IdAlignTop, AlignAction::Top},
    AlignButton{IdCentreHorizontally, AlignAction::CentreHorizontally},
    AlignButton{IdAlignRight, AlignAction::Right},
    AlignButton{IdCentreVertically, AlignAction::CentreVertically},
    AlignButton{IdAlignBottom, AlignAction::Bottom},
};

constexpr std::array<std::string_view, 3> kOrientationNames = {
    "Portrait 240 x 320", "Landscape 320 x 240", "Square 240 x 240"};

// The locale's short time format, without the seconds that some locales (C among them) put
// there: the caller's time shows hours and minutes.
QString ShortTimeText(const QTime& time) {
    const QLocale locale = QLocale::system();
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[^A-Za-z']?s{1,2}(\\.z{1,3})?")));
    return locale.toString(time, format.trimmed());
}

BaseUnits DialogBaseUnits(const QFont& font) {
    const QFontMetrics fm(font);
    const int alphabet = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return LayoutBaseUnits(BaseUnitsFromFont(alphabet, fm.height()));
}

QWidget* MakeControl(QWidget* parent, const ControlSpec& control) {
    const QString caption = FromView(control.caption);
    switch (control.kind) {
    case ControlKind::GroupBox:
        return new GroupFrame(caption, parent);
    case ControlKind::HiddenGroupBox: {
        auto* box = new GroupFrame(caption, parent);
        box->hide();
        return box;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        return label;
    }
    case ControlKind::CentredLabel: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::FirstRadio:
    case ControlKind::Radio:
        return new QRadioButton(caption, parent);
    case ControlKind::Edit:
        return new QLineEdit(parent);
    case ControlKind::DisabledEdit: {
        auto* edit = new QLineEdit(parent);
        edit->setEnabled(false);
        return edit;
    }
    case ControlKind::NumberEdit:
        return new NumberEdit(parent);
    case ControlKind::UpDown:
        return new UpDown(parent);
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::PushButton:
        return MakePushButton(caption, parent);
    }
    return nullptr;
}

} // namespace

DesignerDialog::DesignerDialog(std::unique_ptr<FileChooser> chooser,
                               std::unique_ptr<MessageSink> sink, QWidget* parent)
    : QDialog(parent), fileChooser(std::move(chooser)), messageSink(std::move(sink)),
      units(DialogBaseUnits(font())) {
    if (ScreenDpiY == 0) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            ScreenDpiY = qRound(screen->logicalDotsPerInchY());
    }
    icon = LoadAppIcon();
    samplePhoto = LoadSamplePhoto();
    InitDialog();
    workbench = new Workbench(*this);
}

DesignerDialog::~DesignerDialog() {
    // The children outlive this class's part of the object and would report a last leave or
    // close to it while they go.
    if (preview) preview->disconnect(this);
    delete workbench;
    workbench = nullptr;
}

WorkbenchStrip* DesignerDialog::Strip() const {
    return &workbench->Strip();
}

void DesignerDialog::InitDialog() {
    // Setting a text runs its handler at once, so the order below matters.
    setWindowTitle(FromView(kDialogCaption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const Rect size = DialogRectToPixels(kDialogSize, units);
    setFixedSize(size.Width(), size.Height());
    BuildControls();
    ConnectControls();

    preview = new PreviewWindow(this, *this);

    SetChecked(IdPortrait, true);
    SetChecked(IdUnknownCaller, true);

    const CallerInfo defaults;
    SetText(IdName, QString::fromStdString(defaults.name));
    SetText(IdCompany, QString::fromStdString(defaults.company));
    SetText(IdJob, QString::fromStdString(defaults.job));
    SetText(IdCategories, QString::fromStdString(defaults.categories));
    SetText(IdPhone, QString::fromStdString(defaults.phone));
    SetText(IdNick, QString::fromStdString(defaults.nick));
    SetText(IdPhoneType, QString::fromStdString(defaults.phoneType));

    ApplyOrientation();

    SetChecked(IdShowAlign, false);
    SetText(IdXPos, QStringLiteral("0"));
    SetText(IdYPos, QStringLiteral("0"));
    SetText(IdXSize, QStringLiteral("100"));
    SetText(IdYSize, QStringLiteral("100"));

    for (const ControlSpec& control : DialogControls()) {
        if (control.kind != ControlKind::UpDown) continue;
        auto* upDown = static_cast<UpDown*>(Control(control.id));
        upDown->SetBuddy(static_cast<NumberEdit*>(Control(control.buddy)));
        upDown->SetRange(kAlignStepMin, kAlignStepMax);
    }

    if (!icon.isNull()) setWindowIcon(icon);
    Control(IdName)->setFocus(Qt::OtherFocusReason);
}

void DesignerDialog::BuildControls() {
    QButtonGroup* group = nullptr;
    QWidget* previous = nullptr;
    std::vector<std::pair<QLabel*, int32_t>> buddies;
    for (const ControlSpec& control : DialogControls()) {
        QWidget* w = MakeControl(this, control);
        const Rect r = DialogRectToPixels(control.rect, units);
        w->setGeometry(r.left, r.top, r.Width(), r.Height());
        // A font wider than the layout's own would cut a right-aligned caption short on the
        // left: such a label grows leftwards, keeping its right edge by its edit.
        if (auto* label = qobject_cast<QLabel*>(w)) {
            const int need = label->sizeHint().width();
            if (need > r.Width()) label->setGeometry(r.right - need, r.top, need, r.Height());
        }
        if (!control.accessibleName.empty()) {
            w->setAccessibleName(FromView(control.accessibleName));
            w->setToolTip(FromView(control.accessibleName));
        }
        if (control.kind == ControlKind::FirstRadio) group = new QButtonGroup(this);
        if (auto* radio = qobject_cast<QRadioButton*>(w); radio && group)
            group->addButton(radio, control.id);
        if (auto* label = qobject_cast<QLabel*>(w); label && control.buddy != 0)
            buddies.emplace_back(label, control.buddy);
        if (control.id == 0) continue;
        controls[control.id] = w;
        if (w->focusPolicy() != Qt::NoFocus) {
            if (previous) setTabOrder(previous, w);
            previous = w;
        }
    }
    // Labels name their edits for assistive tools; the captions stay as they are, without
    // mnemonics.
    for (const auto& [label, id] : buddies)
        label->setBuddy(Control(id));
}

void DesignerDialog::ConnectControls() {
    for (const int32_t id : kOrientationIds)
        connect(static_cast<QAbstractButton*>(Control(id)), &QAbstractButton::clicked, this,
                &DesignerDialog::ApplyOrientation);
    for (const int32_t id : kCallTypeIds)
        connect(static_cast<QAbstractButton*>(Control(id)), &QAbstractButton::clicked, this,
                [this] {
                    DescribePreview();
                    RepaintPreview();
                });
    // Nick and Phone type repaint too, so every sample text shows as it is typed.
    for (const int32_t id : kSampleEditIds)
        connect(static_cast<QLineEdit*>(Control(id)), &QLineEdit::textChanged, this,
                &DesignerDialog::RepaintPreview);
    connect(static_cast<QAbstractButton*>(Control(IdBrowse)), &QAbstractButton::clicked, this,
            &DesignerDialog::Browse);
    connect(static_cast<QAbstractButton*>(Control(IdReload)), &QAbstractButton::clicked, this,
            &DesignerDialog::Reload);
    for (const int32_t id : kAlignEditIds)
        connect(static_cast<QLineEdit*>(Control(id)), &QLineEdit::textChanged, this,
                &DesignerDialog::AlignUpdate);
    connect(static_cast<QAbstractButton*>(Control(IdShowAlign)), &QAbstractButton::clicked, this,
            &DesignerDialog::AlignUpdate);
    for (const AlignButton& b : kAlignButtons)
        connect(static_cast<QAbstractButton*>(Control(b.id)), &QAbstractButton::clicked, this,
                [this, action = b.action] { Align(action); });
}

QWidget* DesignerDialog::Control(int32_t id) const {
    const auto it = controls.find(id);
    return it == controls.end() ? nullptr : it->second;
}

bool DesignerDialog::IsChecked(int32_t id) const {
    return static_cast<QAbstractButton*>(Control(id))->isChecked();
}

void DesignerDialog::SetChecked(int32_t id, bool checked) {
    static_cast<QAbstractButton*>(Control(id))->setChecked(checked);
}

QString DesignerDialog::Text(int32_t id) const {
    return static_cast<QLineEdit*>(Control(id))->text();
}

std::string DesignerDialog::TextBytes(int32_t id) const {
    return Text(id).toStdString();
}

void DesignerDialog::SetText(int32_t id, const QString& text) {
    static_cast<QLineEdit*>(Control(id))->setText(text);
}

// Caller data

CallerInfo DesignerDialog::SampleData() const {
    CallerInfo info;
    info.name = TextBytes(IdName);
    info.company = TextBytes(IdCompany);
    info.job = TextBytes(IdJob);
    info.categories = TextBytes(IdCategories);
    info.phone = TextBytes(IdPhone);
    info.phoneType = TextBytes(IdPhoneType);
    info.nick = TextBytes(IdNick);
    return info;
}

std::string DesignerDialog::GetFieldText(int32_t field) {
    // Only the time field needs the clock.
    std::string time;
    if (field == static_cast<int32_t>(CallerField::Time))
        time = ShortTimeText(QTime::currentTime()).toStdString();
    return FieldText(field, GetCallType(nullptr), SampleData(), time);
}

CallType DesignerDialog::GetCallType(ConstPixelView* photo) {
    if (photo) *photo = samplePhoto ? samplePhoto->View() : ConstPixelView{};
    if (IsChecked(IdPrivateCaller)) return CallType::PrivateCaller;
    if (IsChecked(IdNumberDetected)) return CallType::NumberDetected;
    if (IsChecked(IdContactFound)) return CallType::ContactFound;
    if (IsChecked(IdContactWithPicture)) return CallType::ContactWithPicture;
    return CallType::UnknownCaller;
}

// Preview

void DesignerDialog::PaintPreview(PaintDevice& dc, PreviewSurface& window) {
    if (!workbench) {
        DrawPreview(dc, window);
        return;
    }
    // The workbench keeps each frame as it is presented, for its tools.
    FrameKeeper device(dc, *workbench);
    DrawPreview(device, window);
    workbench->Painted();
}

void DesignerDialog::PreviewMouseDown(PreviewSurface& window, int32_t x, int32_t y) {
    HandleMouseDown(window, {x, y});
}

void DesignerDialog::PreviewMouseUp(PreviewSurface& window, int32_t x, int32_t y) {
    HandleMouseUp(window, {x, y});
}

void DesignerDialog::PreviewMouseMove(PreviewSurface& window, int32_t x, int32_t y) {
    HandleMouseMove(window, {x, y});
}

void DesignerDialog::RepaintPreview() {
    if (preview) preview->repaint();
}

void DesignerDialog::ApplyOrientation() {
    int32_t index = Portrait;
    if (IsChecked(IdLandscape))
        index = Landscape;
    else if (IsChecked(IdSquare))
        index = Square;
    SetOrientation(index);
    const Rect r = PreviewPlacement(index);
    preview->setGeometry(r.left, r.top, r.Width(), r.Height());
    DescribePreview();
    preview->repaint();
}

void DesignerDialog::DescribePreview() {
    if (!preview) return;
    const size_t t = CallTypeIndex(GetCallType(nullptr));
    preview->setAccessibleDescription(
        FromView(kOrientationNames[static_cast<size_t>(orientation)]) + QStringLiteral(", ") +
        static_cast<QAbstractButton*>(Control(kCallTypeIds[t]))->text());
}

// Skin file

void DesignerDialog::Browse() {
    if (!workbench->MayOpenAnother()) return;
    const std::optional<QString> chosen = fileChooser->ChooseSkinFile(this, skinPath);
    if (!chosen) return;
    OpenSkin(*chosen);
}

void DesignerDialog::OpenSkin(const QString& path) {
    skinPath = QFileInfo(path).absoluteFilePath();
    SetText(IdSkinPath, QDir::toNativeSeparators(skinPath));
    // The skin's bitmap names are relative to its folder, on this load and every reload.
    QDir::setCurrent(QFileInfo(skinPath).absolutePath());
    // The problems name the reason while the message box is up.
    if (!LoadSkinPath())
        messageSink->ShowWarning(this, QStringLiteral("Error while loading skin !"));
    RepaintPreview();
}

void DesignerDialog::Reload() {
    if (!workbench->MayReadAgain()) return;
    if (!LoadSkinPath())
        messageSink->ShowWarning(this, QStringLiteral("Error while reloading skin !"));
    RepaintPreview();
}

bool DesignerDialog::LoadSkinPath() {
    return LoadFromDisk(
        ReadStableFile(QFile::encodeName(skinPath).toStdString(), kMaxSkinFileBytes));
}

bool DesignerDialog::LoadFromDisk(ReadFileResult file) {
    // The one read of the file serves the load, the problems and the watch of its files.
    const bool read = !skinPath.isEmpty() && session.Take(std::move(file));
    if (read) {
        session.LoadInto(*this, true);
    } else {
        Clear();
        // The rectangle stays, but no longer comes from a file.
        photoRect.ForgetSource();
    }
    workbench->SkinLoaded(true);
    return read;
}

ScreenRequest DesignerDialog::RequestFor(Screen screen) {
    ScreenRequest request = PreviewRequest(kScreenSizes[static_cast<size_t>(screen.orientation)]);
    request.orientation = screen.orientation;
    if (screen.callType != request.callType) {
        request.callType = screen.callType;
        request.fieldTexts = FieldTexts(screen.callType, SampleData(),
                                        request.fieldTexts[static_cast<size_t>(CallerField::Time)]);
    }
    return request;
}

Canvas DesignerDialog::RenderScreenAs(Screen screen, const Overlays& overlays) {
    return DrawScreenOverlaid(*this, RequestFor(screen), fontCache, overlays);
}

void DesignerDialog::LoadEdited() {
    session.LoadInto(*this, false);
    workbench->SkinLoaded(false);
    RepaintPreview();
}

// Align helper

AlignValues DesignerDialog::CurrentAlignValues() const {
    return {ReadAlignValue(TextBytes(IdXPos)), ReadAlignValue(TextBytes(IdYPos)),
            ReadAlignValue(TextBytes(IdXSize)), ReadAlignValue(TextBytes(IdYSize))};
}

void DesignerDialog::AlignUpdate() {
    showAlignRect = IsChecked(IdShowAlign);
    alignRect = AlignRectangle(CurrentAlignValues());
    RepaintPreview();
}

void DesignerDialog::Align(AlignAction action) {
    // The box as of the last align update decides, not as it stands now.
    if (!showAlignRect) return;
    const AlignWrite w = SnapAlign(action, preview->ClientSize(), CurrentAlignValues());
    SetText(w.xPos ? IdXPos : IdYPos, QString::fromStdString(FormatAlignValue(w.value)));
    AlignUpdate();
}

// Nothing captures the mouse: after a press beside the preview, the moves and the release over
// it belong to it. Qt's implicit grab brings them to the dialog instead, which hands them on.
void DesignerDialog::mouseMoveEvent(QMouseEvent* event) {
    ForwardToPreview(*event);
}

void DesignerDialog::mouseReleaseEvent(QMouseEvent* event) {
    ForwardToPreview(*event);
}

void DesignerDialog::ForwardToPreview(const QMouseEvent& event) {
    QMouseEvent mapped(event.type(), preview->mapFromParent(event.position()),
                       event.scenePosition(), event.globalPosition(), event.button(),
                       event.buttons(), event.modifiers(), event.pointingDevice());
    QCoreApplication::sendEvent(preview, &mapped);
}

// Keyboard

void DesignerDialog::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        mods == Qt::NoModifier) {
        // A focused push button takes Enter as a click; anywhere else Enter ends the dialog.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
            return;
        }
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DesignerDialog::done(int result) {
    // Enter, Escape and the close box end the program at once, unless edits would be lost.
    if (workbench && !workbench->MayClose()) return;
    QDialog::done(result);
}

} // namespace pindrel
