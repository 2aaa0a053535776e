#pragma once

// The linear forms shown when the sRGB switch is off: a pure power law with exponent 2.2 (not the
// sRGB curve) on the unit scale of the channel. Hue, Lab, CMYK, temperature and alpha have none.

constexpr float kDisplayGamma = 2.2f;
// 1/2.2 as the single-precision constant the stored form is recovered with.
constexpr float kInverseDisplayGamma = 0.45454544f;

// Linear integer of a 0..255 channel (clamped first): round((c / 255)^2.2 * 255).
int linearChannel(int channel);
// Linear integer of a 0..100 percentage (clamped first): round((p / 100)^2.2 * 100).
int linearPercent(int percent);
// Linear unit floats: (c / 255)^2.2 and (p / 100)^2.2, arguments clamped first.
float linearChannelF(int channel);
float linearPercentF(int percent);
// Stored value from a linear integer (clamped first): round((v / 255)^(1/2.2) * 255) and
// round((v / 100)^(1/2.2) * 100).
int channelFromLinear(int linear);
int percentFromLinear(int linear);
// The encoded unit value of a linear one, linear^(1/2.2) in double precision with the exponent
// above: how a copied linear value reads back.
double gamma22FromLinear(double linear);
