#include "host/ColorDorvoPicker.h"

#include "dialog/ColorDorvoDialog.h"
#include "host/ColorDorvoPickerClassDesc.h"
#include "host/PluginModule.h"

#include <QColor>
#include <QCoreApplication>
#include <QMessageBox>

#include <new>

namespace {

// Longest owner title read; the object color selector's own title is far shorter.
constexpr int kOwnerTitleChars = 500;

const char kObjectColorTitle[] = "Object Color";

int TruncatedChannel(float unit)
{
    // NaN and anything below 0 give 0; the comparison form keeps NaN out of the cast.
    if (!(unit > 0.0f)) {
        return 0;
    }
    if (unit >= 1.0f) {
        return 255;
    }
    return static_cast<int>(unit * 255.0f);
}

DWORD PackedChannel(float unit)
{
    const double scaled = static_cast<double>(unit * 255.0f) + 0.5;
    // The host keeps only the low byte; anything the int cannot hold never comes from a
    // dialog color, which stays on 0..1.
    if (!(scaled > -2147483648.0 && scaled < 2147483648.0)) {
        return 0;
    }
    return static_cast<DWORD>(static_cast<int>(scaled)) & 0xFFu;
}

QString DialogTitle(const MCHAR* name)
{
    return name ? QString::fromWCharArray(name) : QString();
}

} // namespace

QColor ColorDorvoPicker::DialogColor(const AColor& color)
{
    return QColor(TruncatedChannel(color.r), TruncatedChannel(color.g), TruncatedChannel(color.b),
                  255);
}

DWORD ColorDorvoPicker::PackedColor(const AColor& color)
{
    return PackedChannel(color.r) | (PackedChannel(color.g) << 8) | (PackedChannel(color.b) << 16);
}

bool ColorDorvoPicker::IsObjectColorOwner(HWND owner)
{
    MCHAR title[kOwnerTitleChars + 1] = {};
    if (GetWindowTextW(owner, title, kOwnerTitleChars + 1) <= 0) {
        return false;
    }
    return QString::fromWCharArray(title).compare(QLatin1String(kObjectColorTitle),
                                                  Qt::CaseInsensitive) == 0;
}

INT_PTR ColorDorvoPicker::ModalColorPicker(HWND, AColor* color, IPoint2*, HSVCallback* callback,
                                           const MCHAR*)
{
    if (!color) {
        return 0;
    }
    ColorDorvoDialog dialog(HostMainWindow(), DialogColor(*color), 0, callback, this,
                            QCoreApplication::translate("ColorDorvoPicker", "Color Selector"));
    const int result = dialog.ExecDialog();
    if (result) {
        *color = dialog.GetAColor();
    }
    return result;
}

INT_PTR ColorDorvoPicker::ModalColorPicker(HWND owner, DWORD* color, IPoint2* startPos,
                                           HSVCallback* callback, const MCHAR* name)
{
    if (!color) {
        return 0;
    }
    AColor widened(*color, 1.0f);
    const INT_PTR result = ModalColorPicker(owner, &widened, startPos, callback, name);
    if (result) {
        *color = PackedColor(widened);
    }
    return result;
}

ColorPicker* ColorDorvoPicker::CreateColorPicker(HWND owner, AColor initColor, IPoint2*,
                                                 HSVCallback* callback, const MCHAR* name,
                                                 BOOL objClr)
{
    if (IsObjectColorOwner(owner)) {
        QMessageBox::critical(
            HostMainWindow(), QCoreApplication::translate("ColorDorvoPicker", kObjectColorTitle),
            QCoreApplication::translate(
                "ColorDorvoPicker",
                "Color Dorvo Picker is not compatible\nwith the object color selector."),
            QMessageBox::Ok, QMessageBox::NoButton);
        return nullptr;
    }
    auto* dialog = new (std::nothrow) ColorDorvoDialog(HostMainWindow(), DialogColor(initColor),
                                                       objClr, callback, this, DialogTitle(name));
    if (!dialog) {
        return nullptr;
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->ShowDialog();
    return dialog;
}

ColorPicker* ColorDorvoPicker::CreateColorPicker(HWND owner, DWORD initColor, IPoint2* startPos,
                                                 HSVCallback* callback, const MCHAR* name,
                                                 BOOL objClr)
{
    return CreateColorPicker(owner, AColor(initColor, 1.0f), startPos, callback, name, objClr);
}

#if COLORDORVO_SDK_COLOR_CONTEXT
INT_PTR ColorDorvoPicker::ModalColorPicker(HWND owner, AColor* color, IPoint2* startPos,
                                           HSVCallback* callback, const MCHAR* name, ColorContext)
{
    return ModalColorPicker(owner, color, startPos, callback, name);
}

INT_PTR ColorDorvoPicker::ModalColorPicker(HWND owner, DWORD* color, IPoint2* startPos,
                                           HSVCallback* callback, const MCHAR* name, ColorContext)
{
    return ModalColorPicker(owner, color, startPos, callback, name);
}

ColorPicker* ColorDorvoPicker::CreateColorPicker(HWND owner, AColor initColor, IPoint2* startPos,
                                                 HSVCallback* callback, const MCHAR* name,
                                                 BOOL objClr, ColorContext)
{
    return CreateColorPicker(owner, initColor, startPos, callback, name, objClr);
}

ColorPicker* ColorDorvoPicker::CreateColorPicker(HWND owner, DWORD initColor, IPoint2* startPos,
                                                 HSVCallback* callback, const MCHAR* name,
                                                 BOOL objClr, ColorContext)
{
    return CreateColorPicker(owner, initColor, startPos, callback, name, objClr);
}
#endif

const MCHAR* ColorDorvoPicker::ClassName()
{
    const MCHAR* name = PluginModule::GetString(PluginModule::ClassName);
    // Without its language pack the host still gets a name it can show.
    return name ? name : ColorDorvoPickerClassDesc::kInternalName;
}

Class_ID ColorDorvoPicker::ClassID()
{
    return Class_ID(kClassIdA, kClassIdB);
}

void ColorDorvoPicker::DeleteThis()
{
    delete this;
}

INT_PTR ColorDorvoPicker::Execute(int, ULONG_PTR, ULONG_PTR, ULONG_PTR)
{
    return 0;
}
