#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class ColorDorvoSettingsDialog;
}

// The small modal dialog behind the picker's "?" button: it shows the plug-in's version and
// chooses which spinner groups of the picker are expanded. It edits only those three choices of
// PickerSettings, and only when Apply is pressed; closing it any other way writes nothing.
//
// Constructing it runs it: the constructor returns once the dialog has been closed, and the
// picker then reads the keys again.
class ColorDorvoSettingsDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorDorvoSettingsDialog)

public:
    explicit ColorDorvoSettingsDialog(QWidget* parent);
    ~ColorDorvoSettingsDialog() override;

private:
    void Apply();

    std::unique_ptr<Ui::ColorDorvoSettingsDialog> ui;
};
