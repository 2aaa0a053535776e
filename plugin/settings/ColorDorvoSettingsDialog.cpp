#include "settings/ColorDorvoSettingsDialog.h"

#include "color/ColorTexts.h"
#include "host/services/HostAccess.h"
#include "host/services/SettingsStore.h"
#include "ui_ColorDorvoSettingsDialog.h"

#include <QLayout>

ColorDorvoSettingsDialog::ColorDorvoSettingsDialog(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::ColorDorvoSettingsDialog>())
{
    ui->setupUi(this);
    // It is itself what the "?" button opens; it offers none of its own.
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->applyBtn, &QPushButton::clicked, this, &ColorDorvoSettingsDialog::Apply);

    ui->colorDorvoVersionLbl->setText(versionLineText(HostAccess::VersionText()));
    ui->colorDorvoVersionLbl->setStyleSheet(QStringLiteral("font-weight: bold"));
    ui->colorDorvoVersionLbl->setAlignment(Qt::AlignHCenter);

    ui->hsvModeChkbx->setChecked(ReadExpanded(kHsvExpandedKey));
    ui->rgbModeChkbx->setChecked(ReadExpanded(kRgbExpandedKey));
    ui->cieLabModeChkbx->setChecked(ReadExpanded(kCieLabExpandedKey));

    // Fixed at the form's size, but never below what the content needs: a larger interface
    // font would otherwise clip the check boxes and the button.
    ensurePolished();
    setFixedSize(size().expandedTo(layout()->totalMinimumSize()));

    exec();
}

ColorDorvoSettingsDialog::~ColorDorvoSettingsDialog() = default;

bool ColorDorvoSettingsDialog::ReadExpanded(const char* key)
{
    QVariant value = false;
    ReadSetting(QString::fromLatin1(kGroup), QString::fromLatin1(key), value);
    return value.canConvert<bool>() && value.toBool();
}

void ColorDorvoSettingsDialog::Apply()
{
    const auto write = [](const char* key, bool expanded) {
        WriteSetting(QString::fromLatin1(kGroup), QString::fromLatin1(key), expanded);
    };
    write(kHsvExpandedKey, ui->hsvModeChkbx->isChecked());
    write(kRgbExpandedKey, ui->rgbModeChkbx->isChecked());
    write(kCieLabExpandedKey, ui->cieLabModeChkbx->isChecked());
    close();
}
