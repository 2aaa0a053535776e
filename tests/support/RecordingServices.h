#pragma once

#include "fields/kit/ColorDialogServices.h"

#include <vector>

// The dialog as a widget sees it, without the dialog: every call recorded in order, and a picked
// color made current the way the dialog makes it current (the accessors answer from it).
class RecordingServices : public ColorDialogServices
{
public:
    struct ViewCall
    {
        ColorValue color;
        bool silent;
    };
    struct SliderCall
    {
        int value;
        ColorChannel channel;
        bool notify;
    };

    explicit RecordingServices(const ColorValue& start = ColorValue()) : current(start) {}

    void ViewColorChanged(const ColorValue& color, bool silent) override
    {
        viewCalls.push_back({color, silent});
        current = color;
    }
    void ViewDragEnded() override { ++dragEnds; }
    void SliderValueChanged(int value, ColorChannel channel, bool notify) override
    {
        sliderCalls.push_back({value, channel, notify});
    }

    RgbColor GetCurrentRgb() const override { return current.rgb(); }
    HsvColor GetCurrentHsv() const override { return current.hsv(); }
    ColorValue GetCurrentColorValue() const override { return current; }
    QColor GetCurrentQColor() const override { return current.toQColor(); }

    ColorValue current;
    std::vector<ViewCall> viewCalls;
    std::vector<SliderCall> sliderCalls;
    int dragEnds = 0;
};
