#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class ColorDorvoSettingsDialog;
}

// The small modal dialog behind the picker's "?" button: it shows the plug-in's version and
// chooses which spinner groups of the picker are expanded. It edits only the three keys below,
// and only when Apply is pressed; closing it any other way writes nothing.
//
// Constructing it runs it: the constructor returns once the dialog has been closed, and the
// picker then reads the keys again.
class ColorDorvoSettingsDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorDorvoSettingsDialog)

public:
    // The picker's settings group and its three expanded-group keys (bool, false when absent).
    static constexpr const char kGroup[] = "ColorDorvoDialog";
    static constexpr const char kHsvExpandedKey[] = "HsvExpanded";
    static constexpr const char kRgbExpandedKey[] = "RgbExpanded";
    static constexpr const char kCieLabExpandedKey[] = "CieLabExpanded";

    explicit ColorDorvoSettingsDialog(QWidget* parent);
    ~ColorDorvoSettingsDialog() override;

    // The stored value of one of the keys above; a value that does not convert reads as false.
    static bool ReadExpanded(const char* key);

private:
    void Apply();

    std::unique_ptr<Ui::ColorDorvoSettingsDialog> ui;
};
