// Photometric webs: the data of a photometric file in the IES LM-63 format, its reader, and
// what follows from the candela grid (peak, flux, beam and field angles).
//
// Angles are in degrees as the file gives them. Type C: the vertical angle is measured from
// straight down (0) to straight up (180) and the horizontal angle turns the plane of
// measurement about the vertical axis. Types A and B: the horizontal angle turns the plane
// about an axis across the beam and the vertical angle is measured in that plane from the
// beam's axis (-90 to 90); their data describe the half of the sphere in front of the light.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/plexport.h"

namespace plsim::scene {

struct PhotometricWeb {
    enum class Version { Lm63_1986, Lm63_1991, Lm63_1995, Lm63_2002, Lm63_2019 };
    enum class Type { C = 1, B = 2, A = 3 };
    enum class Tilt { None, Include, File };

    Version version = Version::Lm63_1986;
    /// "[NAME] text" lines in file order ("[MORE]" continues the one before, on a new line).
    std::vector<std::pair<std::string, std::string>> keywords;
    Tilt tilt = Tilt::None;
    std::string tiltFile;              ///< Tilt::File: the file named (not read)
    int lampGeometry = 0;              ///< Tilt::Include: 1, 2 or 3
    std::vector<double> tiltAngles;    ///< Tilt::Include
    std::vector<double> tiltFactors;   ///< Tilt::Include, one per angle
    int lamps = 1;
    double lumensPerLamp = -1.0;       ///< -1: absolute photometry
    double multiplier = 1.0;
    Type type = Type::C;
    int units = 1;                     ///< of the luminous opening: 1 feet, 2 metres
    double width = 0.0, length = 0.0, height = 0.0;
    double ballastFactor = 1.0;
    double ballastLampFactor = 1.0;    ///< the future-use value from 2002 on
    double inputWatts = 0.0;
    std::vector<double> vertical;      ///< increasing
    std::vector<double> horizontal;    ///< increasing
    /// Candela, the file's values times its multiplier (the ballast factors are not
    /// applied): for each horizontal angle in order, one value per vertical angle.
    std::vector<double> candela;

    double at(std::size_t h, std::size_t v) const { return candela[h * vertical.size() + v]; }
};

/// Reads photometric data in the IES LM-63 format (1986, 1991, 1995, 2002, 2019). `name`
/// only names the data in messages. Answers nothing when the data are refused, with
/// `error` saying where and why: "<name>, line 12: the candela value -3 is negative".
PLSCENEOE_API std::optional<PhotometricWeb> readPhotometricWeb(std::string_view text, std::wstring_view name,
                                                              std::wstring& error);

/// "LM-63-1995" and so on.
PLSCENEOE_API const wchar_t* versionName(PhotometricWeb::Version version);

/// The largest candela value.
PLSCENEOE_API double peakCandela(const PhotometricWeb& web);

/// The luminous flux in lumen: the candela grid integrated over the solid angle each
/// sample stands for, with the symmetry the angle ranges imply.
PLSCENEOE_API double webFlux(const PhotometricWeb& web);

/// The full angle in degrees about the light's axis (straight down, or up for type C data
/// of 90 to 180; the beam axis for types A and B) within which the intensity stays at or
/// above `fraction` of the peak: 0.5 gives the beam angle, 0.1 the field angle. Nothing
/// when the intensity never falls that low.
PLSCENEOE_API std::optional<double> spreadAngle(const PhotometricWeb& web, double fraction);

}  // namespace plsim::scene
