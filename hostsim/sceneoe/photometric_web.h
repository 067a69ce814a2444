// Photometric webs: the data of a photometric file in the IES LM-63 format, its reader, and
// what follows from the candela grid (peak, flux, beam and field angles).
//
// Angles are in degrees as the file gives them; hostsim/sceneoe/light_frame.h says where each
// direction lies about the light. Type C: the vertical angle is measured from straight down
// (0) to straight up (180) and the horizontal angle turns the plane of measurement about the
// vertical axis. Type B: the poles lie at horizontal angles -90 and +90, so the horizontal
// angle is the latitude-like one, and the vertical angle turns about the polar axis (from the
// beam's axis at 0). Type A: the other way round, the poles at vertical angles -90 and +90
// and the horizontal angle turning about the polar axis. In types A and B the turning angle
// runs over -90 to 90 (the half of the sphere in front of the light) or -180 to 180 (all of
// it); either may start at 0 for data mirrored about the plane of 0.
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
    /// What the reader accepted with a remark, each "<name>, line N: what, and what it did".
    std::vector<std::wstring> warnings;

    double at(std::size_t h, std::size_t v) const { return candela[h * vertical.size() + v]; }
};

/// Reads photometric data in the IES LM-63 format (1986, 1991, 1995, 2002, 2019). `name`
/// only names the data in messages. Answers nothing when the data are refused, with
/// `error` saying where and why: "<name>, line 12: the candela value -3 is negative".
/// The first line names the version as the standard writes it ("IESNA:LM-63-2002",
/// "IES:LM-63-2019", "IESNA91") or as files in use write it ("IESNA95",
/// "IESNA: LM-63-1986"); another first line that starts with "IES" is read as the version
/// nearest the year it names (the newest when it names none), with a warning.
PLSCENEOE_API std::optional<PhotometricWeb> readPhotometricWeb(std::string_view text, std::wstring_view name,
                                                              std::wstring& error);

/// "LM-63-1995" and so on.
PLSCENEOE_API std::wstring versionName(PhotometricWeb::Version version);

/// The largest candela value.
PLSCENEOE_API double peakCandela(const PhotometricWeb& web);

/// The web with its grid completed to the whole range its angle ranges stand for, so that
/// a lookup, or a sum over the grid, needs no symmetry of its own:
///  - type C: horizontal angles 0 to 360, the last repeating the first: a single angle is
///    the same all round, 0 to 90 is mirrored into the four quadrants, 0 to 180 about the
///    0-180 plane, 90 to 270 about the 90-270 plane; the vertical angles stay as they are;
///  - type B: horizontal angles from 0 are mirrored to -90, vertical angles from 0 to -90
///    (or to -180 when they reach 180);
///  - type A: vertical angles from 0 are mirrored to -90, horizontal angles from 0 to -90
///    (or to -180).
/// Directions beyond the completed ranges (below type C data of 0 to 90, behind type A and
/// B data of -90 to 90) get no light. A web whose grid does not match its counts is
/// answered as it is.
PLSCENEOE_API PhotometricWeb completedWeb(const PhotometricWeb& web);

/// The luminous flux in lumen: the completed grid integrated over the solid angle each
/// sample stands for. Each sample stands for the band between the midpoints to its
/// neighbours along the latitude-like angle (the first and last reaching the ends of the
/// range), times the arc between the midpoints along the turning one.
PLSCENEOE_API double webFlux(const PhotometricWeb& web);

/// A beam or field angle, or why a web has none.
struct Spread {
    enum class Kind {
        Angle,       ///< `degrees` holds the full angle, 0 to 360
        AxisBelow,   ///< the intensity on the light's axis is below the fraction already
        NeverFalls,  ///< the intensity stays at or above the fraction all the way to the far pole
    };
    Kind kind = Kind::NeverFalls;
    double degrees = 0.0;
};

/// The full angle about the light's axis (straight down, or up for type C data of 90 to
/// 180; the beam axis, vertical and horizontal 0, for types A and B) within which the
/// intensity stays at or above `fraction` of the peak, going out from the axis: 0.5 gives
/// the beam angle, 0.1 the field angle. At each angle from the axis the brightest direction
/// counts: every plane of a type C web, and for types A and B the two planes of the grid
/// through the axis (across the poles and along the equator). Beyond the data there is no
/// light.
PLSCENEOE_API Spread spreadAngle(const PhotometricWeb& web, double fraction);

}  // namespace plsim::scene
