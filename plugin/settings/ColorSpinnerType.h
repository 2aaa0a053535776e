#pragma once

// Which of the two stacked spinners every channel shows; stored in the settings.
enum class ColorSpinnerType : int
{
    Integer = 0, // whole numbers in each channel's own range
    Float = 1,   // unit floats 0.0 .. 1.0
};
