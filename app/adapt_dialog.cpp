#include "app/adapt_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/app_resources.h"
#include "app/designer_dialog.h"
#include "app/skin_editor.h"
#include "ini/skin_ini_file.h"
#include "skin/draw_screen.h"
#include "skin/sample_skin.h"

namespace pindrel {

namespace {

constexpr std::array<const char*, 3> kNames = {"Portrait", "Landscape", "Square"};

} // namespace

AdaptDialog::AdaptDialog(DesignerDialog& dialog, SkinEditor& editor, int32_t to, QWidget* parent)
    : QDialog(parent), dialog_(dialog), editor_(editor), from_(dialog.orientation), to_(to) {
    const QString from = QLatin1String(kNames[static_cast<size_t>(from_)]);
    const QString target = QLatin1String(kNames[static_cast<size_t>(to_)]);
    setWindowTitle(QStringLiteral("Adapt to %1").arg(target));
    setAccessibleName(windowTitle());
    auto* grid = new QGridLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Sets each element's place in %1 from its place in %2: kept at the edge "
                       "or the centre it lies nearest, labels and the photo stretched where they "
                       "span the screen.")
            .arg(target, from),
        this);
    intro->setWordWrap(true);
    grid->addWidget(intro, 0, 0, 1, 2);
    rule_ = new QComboBox(this);
    rule_->setAccessibleName(QStringLiteral("Rule"));
    rule_->setToolTip(
        QStringLiteral("Anchored to edges and centres, or the rectangles as they are"));
    rule_->addItem(QStringLiteral("Anchored to the nearest edge or the centre"),
                   static_cast<int>(AdaptRule::Anchor));
    rule_->addItem(QStringLiteral("The same rectangles"), static_cast<int>(AdaptRule::Same));
    selectionOnly_ = new QCheckBox(QStringLiteral("Only the selected elements"), this);
    selectionOnly_->setToolTip(QStringLiteral("Leave every element not selected as it is"));
    selectionOnly_->setEnabled(!editor.Selected().empty());
    grid->addWidget(rule_, 1, 0);
    grid->addWidget(selectionOnly_, 1, 1);
    before_ = new QLabel(this);
    after_ = new QLabel(this);
    before_->setAccessibleName(QStringLiteral("%1 now").arg(from));
    after_->setAccessibleName(QStringLiteral("%1 adapted").arg(target));
    grid->addWidget(new QLabel(QStringLiteral("%1 now").arg(from), this), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("%1 adapted").arg(target), this), 2, 1);
    grid->addWidget(before_, 3, 0, Qt::AlignTop);
    grid->addWidget(after_, 3, 1, Qt::AlignTop);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    grid->addWidget(summary_, 4, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* apply = buttons->addButton(QStringLiteral("Adapt"), QDialogButtonBox::AcceptRole);
    apply->setToolTip(QStringLiteral("Set the places shown, as one step of undo"));
    grid->addWidget(buttons, 5, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Apply()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(rule_, &QComboBox::currentIndexChanged, this, &AdaptDialog::Update);
    connect(selectionOnly_, &QCheckBox::toggled, this, &AdaptDialog::Update);
    before_->setPixmap(
        QPixmap::fromImage(ToQImage(DrawScreen(dialog,
                                               dialog.RequestFor({static_cast<Orientation>(from_),
                                                                  dialog.GetCallType(nullptr)}),
                                               dialog.fontCache)
                                        .View())));
    Update();
}

void AdaptDialog::Update() {
    result_.reset();
    const SkinSession& session = dialog_.Session();
    if (!session.HasText()) return;
    AdaptRequest request;
    request.from = from_;
    request.to = to_;
    request.rule = static_cast<AdaptRule>(rule_->currentData().toInt());
    if (selectionOnly_->isChecked()) {
        request.every = false;
        request.elements = editor_.Selected();
    }
    LoadContext context;
    context.folder = QFile::encodeName(QFileInfo(dialog_.SkinPath()).absolutePath()).toStdString();
    AdaptResult r = AdaptSkin(session.Text(), context, request);
    if (!r.ok) {
        summary_->setText(QStringLiteral("Cannot adapt: %1").arg(QString::fromStdString(r.error)));
        after_->clear();
        return;
    }
    // The result drawn as the preview would draw it, with the sample data and call type shown.
    SkinIniFile ini;
    ini.Parse(r.bytes);
    SampleSkin adapted;
    adapted.Load(ini, context);
    const Screen screen{static_cast<Orientation>(to_), dialog_.GetCallType(nullptr)};
    ScreenRequest draw = dialog_.RequestFor(screen);
    draw.heldButtons.clear();
    shown_ = ToQImage(DrawScreen(adapted, draw, dialog_.fontCache).View());
    after_->setPixmap(QPixmap::fromImage(shown_));
    const size_t set = r.placed.size() + (r.background ? 1 : 0);
    summary_->setText(QStringLiteral("%1 element%2 set in %3.")
                          .arg(set)
                          .arg(set == 1 ? QString() : QStringLiteral("s"))
                          .arg(QLatin1String(kNames[static_cast<size_t>(to_)])));
    result_ = std::move(r);
}

bool AdaptDialog::Apply() {
    if (!result_) return false;
    editor_.ApplyText(result_->bytes);
    return true;
}

} // namespace pindrel
