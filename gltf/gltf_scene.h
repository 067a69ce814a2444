// What the export of a drawing as glTF holds: its lights and entities as values, its units,
// and the web files its lights name.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "drawing/entity_outlines.h"
#include "hostsim/sceneoe/scene_driver.h"

namespace plandor::gltf {

/// A photometric web file as the export carries it.
struct WebProfile {
    std::wstring path;         ///< as the lights name it (the full path the light keeps)
    std::string bytes;         ///< the file as it is on disk
    double peakCandela = 0.0;  ///< its largest candela value, with the file's candela multiplier
};

struct GltfScene {
    std::vector<plsim::scene::LightInfo> lights;  ///< in the order they were added
    std::vector<EntityOutline> entities;          ///< in the order they were made
    /// The web files the lights name that can be read, each once, in the order first named.
    std::vector<WebProfile> webs;
    double metresPerUnit = 1.0;
    /// Lux in one unit of a distant light's intensity: 1 under lux, 10.7639 under foot-candles.
    double luxPerIntensityUnit = 1.0;
    /// Lit photometrically ("LIGHTINGUNITS" 1 or 2): only then do lights have intensities to export.
    bool photometric = true;
    std::string generator;  ///< the program that wrote the file, and its version

    /// A length of the drawing in metres: divided by the units in a metre where that is a
    /// whole number, so that 2800 mm are 2.8 m (not 2.8000000000000003).
    double metres(double length) const;
    /// A point of the drawing in glTF's axes, in metres.
    std::array<double, 3> gltfPoint(const PlGePoint3d& point) const;
};

/// The drawing of `db` as the export shows it, with its curves divided finely enough that
/// no chord strays more than 0.1 % of the drawing's extent from its curve: the largest side of
/// the box around its lights (positions and targets) and its entities.
GltfScene gltfSceneOf(PlDbDatabase* db, std::string generator);

/// The web files `lights` name (web lights only) that can be read and hold light, each once.
std::vector<WebProfile> webProfilesOf(const std::vector<plsim::scene::LightInfo>& lights);

}  // namespace plandor::gltf
