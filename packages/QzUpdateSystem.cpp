#include "packages/QzUpdateSystem.h"

#include "QzCApplication.h"
#include "QzExcept.h"
#include "QzPaths.h"
#include "packages/QzPkgLoadSave.h"
#include "ui_TFrUpdateSystemImages.h"
#include "ui_TFrUpdateSystemStrings.h"

#include <QFileInfo>

namespace {

// A bare name stands for a file of the installed packages folder.
QString resolved(const QString& name) {
    return QFileInfo(name).isRelative() ? QzGetInstallPackagesExists() + name : name;
}

} // namespace

TQzUpdateSystemDialog::TQzUpdateSystemDialog(QWidget* parent, QString filter)
    : TQzDialog(parent), FFilter(std::move(filter)) {}

void TQzUpdateSystemDialog::BindEdit(QLineEdit* edit) {
    FEdit = edit;
    connect(findChild<QToolButton*>(QStringLiteral("SpeedButton1")), &QToolButton::clicked, this,
            &TQzUpdateSystemDialog::SpeedButton1Click);
}

bool TQzUpdateSystemDialog::Execute() {
    Q_ASSERT(App);
    FEdit->setText(StartFile());
    return ShowModal() == mrOk;
}

void TQzUpdateSystemDialog::SpeedButton1Click() {
    if (const std::optional<QString> chosen = QzChooseLastUpdateFile(FFilter, FEdit->text()))
        FEdit->setText(*chosen);
}

void TQzUpdateSystemDialog::Accepting() {
    const QString name = FEdit->text().trimmed();
    if (name.isEmpty() || !QFileInfo(resolved(name)).isFile())
        QzExcept(QStringLiteral("Invalidate FileName"));
    Update(resolved(name));
}

TFrUpdateSystemStrings::TFrUpdateSystemStrings(QWidget* parent)
    : TQzUpdateSystemDialog(parent,
                            QStringLiteral("Language Files (*.lan)|*.lan|All Files (*.*)|*.*")),
      FUi(std::make_unique<Ui::TFrUpdateSystemStrings>()) {
    FUi->setupUi(this);
    BindEdit(FUi->Edit1);
}

TFrUpdateSystemStrings::~TFrUpdateSystemStrings() = default;

QString TFrUpdateSystemStrings::StartFile() const {
    return App->PkgLanguage()->LastUpdateFile();
}

void TFrUpdateSystemStrings::Update(const QString& fileName) {
    App->UpdateSystemPkgLanguage(fileName, false);
}

TFrUpdateSystemImages::TFrUpdateSystemImages(QWidget* parent)
    : TQzUpdateSystemDialog(parent,
                            QStringLiteral("Display Files (*.dis)|*.dis|All Files (*.*)|*.*")),
      FUi(std::make_unique<Ui::TFrUpdateSystemImages>()) {
    FUi->setupUi(this);
    BindEdit(FUi->Edit1);
}

TFrUpdateSystemImages::~TFrUpdateSystemImages() = default;

QString TFrUpdateSystemImages::StartFile() const {
    const QString last = App->PkgDisplay()->LastUpdateFile();
    return last.isEmpty() ? QzGetInstallPackagesExists() + QStringLiteral("Standard.dis") : last;
}

void TFrUpdateSystemImages::Update(const QString& fileName) {
    App->UpdateSystemPkgDisplay(fileName, false);
}
