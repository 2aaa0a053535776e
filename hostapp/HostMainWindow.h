#pragma once

#include "HostColorSwatch.h"

#include "acolor.h"
#include "hostsdk/HostRuntime.h"
#include "ipoint2.h"

#include "Qt/QmaxMainWindow.h"

#include <functional>
#include <memory>
#include <vector>

class ColPick;
class ColorPicker;
class HostColorCallback;

namespace Ui {
class HostMainWindow;
}

// The stand-in host's main window: the parent modules open their windows on, with the script
// listener pane that shows listener and debug output and evaluates script function calls.
// Its color swatches ask the host's color selector for colors the ways the host does: modal
// (the swatch takes the accepted color) and modeless (the swatch follows the open picker
// live); the swatch in the "Object Color" window asks on behalf of the object color
// selector. Every notification a picker sends is listed in the notifications pane. The host's
// keyboard accelerators write what they do to the listener; they leave alone the keys typed in
// the listener line and in any window that carries "NoMaxAccelerators". The Picker menu opens
// the open picker's settings the way the title bar's "?" button does, for desktops whose window
// manager draws no such button.
class HostMainWindow : public MaxSDK::QmaxMainWindow
{
    Q_OBJECT

public:
    explicit HostMainWindow(QWidget* parent = nullptr);
    ~HostMainWindow() override;

    // Appends text to the listener pane; debug output is shown in grey.
    void appendOutput(HostRuntime::OutputChannel channel, const QString& text);
    // Shows a host message (loader reports) in the listener as a comment line.
    void appendHostMessage(const QString& message);
    QString listenerText() const;

    // Where the swatches get the host's color selector (not owned) when first clicked; an
    // empty function leaves them disabled.
    void setColorSelector(std::function<ColPick*()> selector);
    std::vector<HostColorSwatch*> swatches() const { return mSwatches; }
    QString notificationsText() const;
    // The modeless picker open now and the swatch it serves, or null.
    ColorPicker* modelessPicker() const { return mModelessPicker; }
    HostColorSwatch* modelessSwatch() const { return mModelessSwatch; }

private:
    Q_DISABLE_COPY(HostMainWindow)
    void EvaluateListenerLine();
    void OpenPickerSettings();
    void SetModelessPicker(ColorPicker* picker, HostColorSwatch* swatch);
    void AddSwatch(const QString& label, HostColorSwatch::Request request, const AColor& color,
                   QWidget* owner);
    void PickColor(HostColorSwatch* swatch, HostColorCallback* callback, QWidget* owner);
    void PickModal(ColPick* selector, HostColorSwatch* swatch, HostColorCallback* callback,
                   HWND owner);
    void PickModeless(ColPick* selector, HostColorSwatch* swatch, HostColorCallback* callback,
                      HWND owner);
    void AppendNotification(const QString& text);
    void OnColorChanged(HostColorSwatch* swatch, const AColor& color, BOOL buttonUp);
    void OnBeingDestroyed(HostColorSwatch* swatch, const IPoint2& position);

    std::unique_ptr<Ui::HostMainWindow> mUi;
    std::function<ColPick*()> mSelector;
    ColorPicker* mModelessPicker = nullptr;
    HostColorSwatch* mModelessSwatch = nullptr;
    std::vector<HostColorSwatch*> mSwatches;
    // One per swatch; they outlive every picker, which the destructor closes first.
    std::vector<std::unique_ptr<HostColorCallback>> mCallbacks;
};
