#pragma once

// A 0..255 channel as a unit float: clamped to 0..255, then divided by 255.
float channelToUnitFloat(int channel);
