// What tests and the console read about the lights of a drawing: every property of every
// light, as plain values.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/plexport.h"
#include "host/plge.h"
#include "host/pldb.h"
#include "hostsim/color_temperature.h"

class PlDbDatabase;

namespace plsim::scene {

struct ColorInfo {
    enum class Method { Rgb, Index, Book, None };
    Method method = Method::Rgb;
    int red = 0, green = 0, blue = 0;  ///< meaningful for Rgb and Book
    int index = 0;                     ///< meaningful for Index
    std::wstring book, name;           ///< meaningful for Book
    std::wstring description;          ///< as the host shows it: "red", "31", "255,128,0", "BOOK$COLOR"
};

struct ShadowInfo {
    bool on = false;
    int type = 0;  ///< 0 ray traced (sharp), 1 shadow map, 2 area sampled
    unsigned mapSize = 0;
    unsigned softness = 0;
    int shape = 0;  ///< 0 linear, 1 rectangle, 2 disk, 3 cylinder, 4 sphere
    double length = 0.0, width = 0.0, radius = 0.0;
    unsigned samples = 0;
    bool shapeVisible = false;
};

struct AttenuationInfo {
    int type = 0;  ///< 0 none, 1 inverse linear, 2 inverse square
    bool useLimits = false;
    double start = 0.0, end = 0.0;
};

struct PhotometryInfo {
    double physicalIntensity = 0.0;
    int method = 0;  ///< 0 intensity, 1 flux, 2 illuminance
    double distance = 0.0;
    int lampColorType = 0;  ///< 0 kelvin, 1 preset
    double lampColorTemp = 0.0;
    int preset = 0;
    /// The peak intensity in candela and the flux in lumen, converted from the physical
    /// intensity by the host (LightingUtil::ConvertIntensity); NaN where there is none (an
    /// illuminance without a distance, a spot whose cone holds no light). A distant light
    /// keeps its value in every method: it has neither.
    double candela = 0.0, lumens = 0.0;
    /// The colour temperature the lamp colour stands for (its kelvin, or its preset's), and
    /// that temperature's colour.
    double lampKelvin = 0.0;
    plsim::SrgbColor lampRgb;
};

struct LightInfo {
    std::uint64_t handle = 0;
    std::wstring name;
    int kind = 0;  ///< 1 distant, 2 point, 3 spot, 10 web
    bool hasTarget = false;
    std::wstring layer;  ///< empty when the light is on no layer
    PlGePoint3d position, target;
    PlGeVector3d direction;
    bool on = false;
    double intensity = 0.0;
    double hotspot = 0.0, falloff = 0.0;  ///< radians
    ColorInfo color;
    ShadowInfo shadow;
    AttenuationInfo attenuation;
    PhotometryInfo photometry;
    std::wstring webFile;
    PlGeVector3d webRotation;
};

/// The lights of `db` that are not erased, in the order they were added,
/// from model space and paper space. Each is opened for read (or, while a
/// command has it open for write, for notify) and closed again.
PLSCENEOE_API std::vector<LightInfo> lightsOf(PlDbDatabase* db);
/// Calls `visit` with each light of `db` that lightsOf answers, in the same order, without
/// holding them all.
PLSCENEOE_API void forEachLightInfo(PlDbDatabase* db, const std::function<void(const LightInfo&)>& visit);
/// How many lights `db` holds that are not erased.
PLSCENEOE_API std::size_t lightCount(PlDbDatabase* db);

/// Appends to the model space of `db` a light with every property `light` gives (its derived
/// values, candela, lumens, the lamp's colour and the colour's description, aside), as a light
/// read from a drawing's file: its handle when that is not 0, its layer by name (which `db`
/// must have), its direction exactly as given when it is of unit length (else made so), its
/// web file looked for as the web option looks for one. 0 and its id; 3 for a value the light
/// cannot hold (a colour method of None among them) or a layer `db` lacks; 23 for a name
/// another light of `db` bears or a handle `db` gave out already. Nothing is added on failure.
PLSCENEOE_API Plad::ErrorStatus addLight(PlDbDatabase* db, const LightInfo& light, PlDbObjectId& id);

/// The light setters ("setName") that refused the value they were given since the last
/// call, oldest first; forgets them. A caller that ignores a setter's status has lost such
/// a value without a word.
PLSCENEOE_API std::vector<std::wstring> takeRefusedLightValues();

}  // namespace plsim::scene
