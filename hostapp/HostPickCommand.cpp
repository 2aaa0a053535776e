#include "HostPickCommand.h"

#include "HostColorCallback.h"
#include "HostColorText.h"

#include "hsv.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>

#include <string>

HostPickCommand::HostPickCommand(ColPick* selector, HWND owner,
                                 std::function<void(const QString&)> log)
    : mSelector(selector), mOwner(owner), mLog(std::move(log))
{
}

void HostPickCommand::Log(const QString& text) const
{
    if (mLog) {
        mLog(text);
    }
}

HostPickCommand::Result HostPickCommand::run(const AColor& color, bool modeless, bool packed,
                                             const QString& title)
{
    if (!mSelector) {
        return Result{false, color};
    }
    return modeless ? RunModeless(color, packed, title) : RunModal(color, packed, title);
}

HostPickCommand::Result HostPickCommand::RunModal(const AColor& color, bool packed,
                                                  const QString& title)
{
    const std::wstring name = title.toStdWString();
    HostColorCallback callback(
        [this](const AColor& c, BOOL) {
            Log(QStringLiteral("color changed %1")
                    .arg(HostColorText::Print(c, HostColorText::Format::AFloat)));
        },
        [this](const IPoint2& p) {
            Log(QStringLiteral("being destroyed at %1, %2").arg(p.x).arg(p.y));
        });
    Result result;
    if (packed) {
        DWORD value = AColor(color).toRGB();
        result.accepted =
            mSelector->ModalColorPicker(mOwner, &value, nullptr, &callback, name.c_str()) != 0;
        result.color = AColor(value, 1.0f);
    } else {
        result.color = color;
        result.accepted = mSelector->ModalColorPicker(mOwner, &result.color, nullptr, &callback,
                                                      name.c_str()) != 0;
    }
    return result;
}

HostPickCommand::Result HostPickCommand::RunModeless(const AColor& color, bool packed,
                                                     const QString& title)
{
    const std::wstring name = title.toStdWString();
    QEventLoop loop;
    bool gone = false;
    Result result{false, color};
    HostColorCallback callback(
        [this, &result](const AColor& c, BOOL) {
            // The host follows the picker: the last color heard is the one it keeps.
            result.color = c;
            Log(QStringLiteral("color changed %1")
                    .arg(HostColorText::Print(c, HostColorText::Format::AFloat)));
        },
        [this, &loop, &gone](const IPoint2& p) {
            gone = true;
            Log(QStringLiteral("being destroyed at %1, %2").arg(p.x).arg(p.y));
            loop.quit();
        });
    ColorPicker* picker =
        packed
            ? mSelector->CreateColorPicker(mOwner, AColor(color).toRGB(), nullptr, &callback,
                                           name.c_str(), FALSE)
            : mSelector->CreateColorPicker(mOwner, color, nullptr, &callback, name.c_str(), FALSE);
    if (!picker) {
        Log(QStringLiteral("the color selector refused the request"));
        return result;
    }
    // The callback hears the same color for OK and for Cancel of an unchanged pick; this host
    // tells them apart by the way the picker's window closes, which it can see since every
    // window of the process is a Qt window. A picker that is no dialog counts as accepted.
    bool finished = false;
    int dialogResult = QDialog::Accepted;
    if (auto* dialog = dynamic_cast<QDialog*>(picker)) {
        QObject::connect(dialog, &QDialog::finished, &loop, [&](int code) {
            finished = true;
            dialogResult = code;
        });
    }
    loop.exec();
    if (!gone) {
        // The host was asked to quit while the picker was open. The callback lives on this
        // stack, so the picker must be gone before it: a Qt picker deletes itself through the
        // event loop after Destroy().
        picker->Destroy();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return Result{false, color};
    }
    result.accepted = !finished || dialogResult == QDialog::Accepted;
    return result;
}
