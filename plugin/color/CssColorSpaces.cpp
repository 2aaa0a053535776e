#include "color/CssColorSpaces.h"

#include "color/SrgbEncoding.h"

#include <algorithm>
#include <cmath>

namespace {

using Triple = CssColorSpaces::Triple;
using Matrix = std::array<Triple, 3>;

Triple times(const Matrix& m, const Triple& v)
{
    Triple result{};
    for (std::size_t row = 0; row < 3; ++row)
        result[row] = m[row][0] * v[0] + m[row][1] * v[1] + m[row][2] * v[2];
    return result;
}

// The matrices as CSS Color 4 publishes them; the sRGB, Display P3 and BT.2020 ones are exact
// ratios from the primaries' chromaticities and the D65 white (0.3127, 0.3290).
const Matrix xyzFromLinearSrgb{{{506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
                                {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
                                {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270}}};
const Matrix linearSrgbFromXyz{{{12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
                                {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
                                {705.0 / 12673, -2585.0 / 12673, 705.0 / 667}}};
const Matrix xyzFromLinearP3{{{608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
                              {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
                              {0.0, 32229.0 / 714400, 5220557.0 / 5000800}}};
const Matrix xyzFromLinearRec2020{
    {{63426534.0 / 99577255, 20160776.0 / 139408157, 47086771.0 / 278816314},
     {26158966.0 / 99577255, 472592308.0 / 697040785, 8267143.0 / 139408157},
     {0.0, 19567812.0 / 697040785, 295819943.0 / 278816314}}};
// Bradford chromatic adaptation from the D50 white (0.3457, 0.3585) to D65.
const Matrix d65FromD50{{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
                         {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
                         {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};
// Oklab's two matrices and their inverses, relative to D65.
const Matrix lmsFromXyz{{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                         {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                         {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
const Matrix oklabFromLms{{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                           {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                           {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
const Matrix lmsFromOklab{{{1.0, 0.3963377773761749, 0.2158037573099136},
                           {1.0, -0.1055613458156586, -0.0638541728258133},
                           {1.0, -0.0894841775298119, -1.2914855480194092}}};
const Matrix xyzFromLms{{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                         {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                         {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};

Triple srgbFromXyz(const Triple& xyz)
{
    Triple srgb = times(linearSrgbFromXyz, xyz);
    for (double& channel : srgb)
        channel = srgbFromLinear(channel);
    return srgb;
}

// BT.2020's transfer function (its 10- and 12-bit constants), extended to negatives by symmetry.
double linearFromRec2020(double encoded)
{
    constexpr double alpha = 1.09929682680944;
    constexpr double beta = 0.018053968510807;
    const double magnitude = std::fabs(encoded);
    if (magnitude < beta * 4.5)
        return encoded / 4.5;
    return std::copysign(std::pow((magnitude + alpha - 1) / alpha, 1 / 0.45), encoded);
}

} // namespace

CssColorSpaces::Triple CssColorSpaces::srgbFromLab(const Triple& lab)
{
    // CIE 15's inverse companding with the exact constants kappa = 24389/27, epsilon = 216/24389.
    constexpr double kappa = 24389.0 / 27;
    constexpr double epsilon = 216.0 / 24389;
    const double fy = (lab[0] + 16) / 116;
    const double fx = lab[1] / 500 + fy;
    const double fz = fy - lab[2] / 200;
    const double xr = fx * fx * fx > epsilon ? fx * fx * fx : (116 * fx - 16) / kappa;
    const double yr = lab[0] > kappa * epsilon ? fy * fy * fy : lab[0] / kappa;
    const double zr = fz * fz * fz > epsilon ? fz * fz * fz : (116 * fz - 16) / kappa;
    const Triple d50{xr * 0.3457 / 0.3585, yr, zr * (1.0 - 0.3457 - 0.3585) / 0.3585};
    return srgbFromXyz(times(d65FromD50, d50));
}

CssColorSpaces::Triple CssColorSpaces::srgbFromOklab(const Triple& oklab)
{
    Triple lms = times(lmsFromOklab, oklab);
    for (double& v : lms)
        v = v * v * v;
    return srgbFromXyz(times(xyzFromLms, lms));
}

CssColorSpaces::Triple CssColorSpaces::srgbFromLinearSrgb(const Triple& linear)
{
    Triple srgb = linear;
    for (double& channel : srgb)
        channel = srgbFromLinear(channel);
    return srgb;
}

CssColorSpaces::Triple CssColorSpaces::srgbFromDisplayP3(const Triple& p3)
{
    Triple linear = p3;
    for (double& channel : linear)
        channel = linearFromSrgb(channel);
    return srgbFromXyz(times(xyzFromLinearP3, linear));
}

CssColorSpaces::Triple CssColorSpaces::srgbFromRec2020(const Triple& rec2020)
{
    Triple linear = rec2020;
    for (double& channel : linear)
        channel = linearFromRec2020(channel);
    return srgbFromXyz(times(xyzFromLinearRec2020, linear));
}

CssColorSpaces::Triple CssColorSpaces::oklabFromSrgb(const Triple& srgb)
{
    Triple linear = srgb;
    for (double& channel : linear)
        channel = linearFromSrgb(channel);
    Triple lms = times(lmsFromXyz, times(xyzFromLinearSrgb, linear));
    for (double& v : lms)
        v = std::cbrt(v);
    return times(oklabFromLms, lms);
}

CssColorSpaces::Triple CssColorSpaces::rectangularFromPolar(const Triple& lch)
{
    constexpr double pi = 3.14159265358979323846;
    const double radians = lch[2] * (pi / 180);
    return {lch[0], lch[1] * std::cos(radians), lch[1] * std::sin(radians)};
}

int CssColorSpaces::byteFromUnit(double channel)
{
    if (std::isnan(channel))
        return 0;
    return static_cast<int>(std::floor(std::clamp(channel, 0.0, 1.0) * 255 + 0.5));
}
