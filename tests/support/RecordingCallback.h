#pragma once

#include "host/services/HostServices.h"

#include <vector>

// A host callback that remembers every notification in order.
class RecordingCallback : public HSVCallback
{
public:
    struct Notification
    {
        enum Kind
        {
            Changed,
            ChangedPacked,
            Destroyed
        } kind;
        AColor color;
        BOOL buttonUp;
        IPoint2 position;
    };

    void ColorChanged(DWORD color, BOOL buttonUp) override
    {
        notifications.push_back({Notification::ChangedPacked, AColor(color), buttonUp, {}});
    }
    void ColorChanged(AColor color, BOOL buttonUp) override
    {
        notifications.push_back({Notification::Changed, color, buttonUp, {}});
    }
    void BeingDestroyed(IPoint2 position) override
    {
        notifications.push_back({Notification::Destroyed, {}, FALSE, position});
    }

    int changedCount() const
    {
        int n = 0;
        for (const Notification& note : notifications)
            n += note.kind == Notification::Changed ? 1 : 0;
        return n;
    }
    const Notification& last() const { return notifications.back(); }

    std::vector<Notification> notifications;
};
