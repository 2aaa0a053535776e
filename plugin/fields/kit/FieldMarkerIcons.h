#pragma once

// The host icons the square field and the wheels share: the round marker on the chosen color,
// and the cursor shown while the pointer is over the picture.
namespace FieldMarkerIcons {

constexpr char kMarker[] = ":/SnapTools/MaxSDK/Sphere/SphereCenter";
constexpr char kHoverCursor[] = ":/SnapTools/MaxSDK/Sphere/SphereQuad";

} // namespace FieldMarkerIcons
