#pragma once

// Harmony mode of the palette strip; the id of its radio button and a stored setting.
enum class PaletteAngleType : int
{
    Monochromatic = 0, // shades of the current hue, no angle
    Adjacent = 1,
    Triad = 2,
    Tetrad = 3,
};
