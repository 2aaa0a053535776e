#include "settings/ColorDorvoSettingsDialog.h"

#include "color/ColorTexts.h"
#include "host/services/HostAccess.h"
#include "settings/PickerSettings.h"
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

    const PickerSettings stored = PickerSettings::read();
    ui->hsvModeChkbx->setChecked(stored.hsvExpanded);
    ui->rgbModeChkbx->setChecked(stored.rgbExpanded);
    ui->cieLabModeChkbx->setChecked(stored.cieLabExpanded);

    // Fixed at the form's size, but never below what the content needs: a larger interface
    // font would otherwise clip the check boxes and the button.
    ensurePolished();
    setFixedSize(size().expandedTo(layout()->totalMinimumSize()));

    exec();
}

ColorDorvoSettingsDialog::~ColorDorvoSettingsDialog() = default;

void ColorDorvoSettingsDialog::Apply()
{
    PickerSettings chosen;
    chosen.hsvExpanded = ui->hsvModeChkbx->isChecked();
    chosen.rgbExpanded = ui->rgbModeChkbx->isChecked();
    chosen.cieLabExpanded = ui->cieLabModeChkbx->isChecked();
    chosen.writeExpandedGroups();
    close();
}
