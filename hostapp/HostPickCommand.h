#pragma once

#include "acolor.h"
#include "hostsdk/WinTypes.h"

#include <QString>

#include <functional>

class ColPick;

// One color pick for the command line: opens the host's color selector on a color, modal or
// modeless, waits for the user and tells what was accepted. A modeless pick waits until the
// picker has gone away; the notifications it sends on the way are handed to the log.
class HostPickCommand
{
public:
    struct Result
    {
        bool accepted = false;
        AColor color;
    };

    // `selector` and `owner` are not owned.
    HostPickCommand(ColPick* selector, HWND owner, std::function<void(const QString&)> log = {});

    // `packed` asks through the selector's packed-color entries instead of the float ones.
    Result run(const AColor& color, bool modeless, bool packed, const QString& title);

private:
    Result RunModal(const AColor& color, bool packed, const QString& title);
    Result RunModeless(const AColor& color, bool packed, const QString& title);
    void Log(const QString& text) const;

    ColPick* mSelector;
    HWND mOwner;
    std::function<void(const QString&)> mLog;
};
