// The lights of a drawing made ready for the calculation of direct illuminance, and the
// illuminance at a point.
//
// Direct light only: nothing stands in the way of a light and nothing reflects. A light that
// is on gives a surface whose normal makes the angle a with the way to the light, at the
// distance d in metres, E = I cos(a) / d^2 lux, I in candela toward the surface: the
// light's peak intensity (as the host converts it) times its intensity factor times the
// relative luminance of its colour, shaped by its kind. Under foot-candle lighting
// (LIGHTINGUNITS 1) E is given in foot-candles.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/plge.h"
#include "hostsim/sceneoe/photometric_web.h"
#include "hostsim/sceneoe/scene_driver.h"
#include "illuminance/instruction_set.h"
#include "illuminance/light_arrays.h"
#include "illuminance/web_table.h"

class PlDbDatabase;

namespace plandor::illuminance {

/// The drawing's length unit in metres, and the unit of illuminance.
struct Units {
    double metresPerUnit = 1.0;
    bool footCandles = false;
};

/// "lx" or "fc".
const wchar_t* unitSymbol(const Units& units);

/// Reads the web file at a light's path: the web, or nothing with why not in `error`.
using WebReader =
    std::function<std::optional<plsim::scene::PhotometricWeb>(const std::wstring& path, std::wstring& error)>;

/// A light with limits, for finding the points it can reach: its position and limits in metres.
struct Reach {
    double x = 0.0, y = 0.0, z = 0.0, start = 0.0, end = 0.0;
};

class Scene {
public:
    /// The lights that are on, ready for the calculation, in `units`; web files are read
    /// with `readWeb` (plsim::scene::readWebFile when empty). Per kind:
    ///  - point: the same intensity every way;
    ///  - spot: full within half the hotspot angle of its axis, none beyond half the
    ///    falloff angle, and linear in the cosine of the angle to the axis between them;
    ///  - web: the web's candela grid scaled to peak at the intensity, interpolated
    ///    bilinearly in its two angles, with the web's zero direction along the light's
    ///    direction and the web rotation as plsim::scene::lightFrame has it; without a
    ///    readable file, a point light;
    ///  - distant: the physical intensity is the illuminance on a surface facing it, times
    ///    the cosine of the incidence, at any distance.
    /// With limits in use a light reaches only points whose distance from it lies between
    /// its two limits (taken in either order). A light whose intensity converts to no
    /// number gives no light.
    static Scene of(const std::vector<plsim::scene::LightInfo>& lights, const Units& units,
                    const WebReader& readWeb = {});

    Scene(Scene&&) = default;
    Scene& operator=(Scene&&) = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    const Units& units() const { return m_units; }
    /// One line for each light that gives no light although it is on, or shines otherwise
    /// than its kind says (a web light without a readable file).
    const std::vector<std::wstring>& notes() const { return m_notes; }

    /// The illuminance at `point` (drawing units, world coordinates) on a surface facing
    /// `normal` (any length but zero).
    double at(const PlGePoint3d& point, const PlGeVector3d& normal,
              InstructionSet set = InstructionSet::Portable) const;

    /// The lights without limits and those with (counted points, spots, webs, as
    /// LightSet::appendFrom counts), and where each of the latter reaches.
    const LightSet& unlimited() const { return m_unlimited; }
    const LightSet& limited() const { return m_limited; }
    const std::vector<Reach>& reach() const { return m_reach; }
    /// What the inner loop reads for a surface facing `unitNormal`, the limited lights
    /// left to the caller.
    KernelInput input(const PlGeVector3d& unitNormal) const;

private:
    Scene() = default;

    struct Distant {
        double x, y, z;  ///< the way the light travels, unit length
        double illuminance;
    };

    Units m_units;
    LightSet m_unlimited, m_limited;
    std::vector<Reach> m_reach;
    std::vector<Distant> m_distant;
    std::vector<WebTable> m_tables;
    std::vector<WebLookup> m_lookups;
    std::vector<std::wstring> m_notes;
};

/// The scene of the lights of `db` in the drawing's units ("INSUNITS", through the host's
/// unit factor) and lighting units. Nothing under generic lighting ("LIGHTINGUNITS" 0),
/// where the lights have no photometric values, with why in `refusal`.
std::optional<Scene> drawingScene(PlDbDatabase* db, std::wstring& refusal);

}  // namespace plandor::illuminance
