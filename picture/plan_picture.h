// The picture of the drawing (PLAN, --plan): its plan and its front elevation side by side,
// as SVG, with every light drawn by kind and colour.
#pragma once

#include <string>
#include <vector>

#include <optional>

#include "drawing/entity_outlines.h"
#include "picture/isolux.h"
#include "hostsim/sceneoe/scene_driver.h"

namespace plandor {

struct PlanContent {
    std::vector<plsim::scene::LightInfo> lights;  ///< in the order they were added
    std::vector<EntityOutline> entities;
    /// Photometric lighting ("LIGHTINGUNITS" 1 or 2): each light gets a ring in its lamp colour.
    bool photometric = false;
    /// The last illuminance grid, drawn under the plan's symbols, and its plane in the front elevation.
    std::optional<IsoluxGrid> isolux = std::nullopt;
};

/// The picture as a UTF-8 SVG document: two panels, the plan (world X across, Y up) and
/// the front elevation (X across, Z up), each fitted to the lights and entities with a
/// margin, with a grid and a scale bar in drawing units, and a legend below.
///
/// Each view holds one group a light (class "light KIND on|off", KIND point, spot, web or
/// distant, with the light's name as its <title> and its colour as its "color"): a symbol by
/// kind filled with the light's colour (hollow when the light is off), its name where it
/// finds room (moved aside with a leader line where lights crowd, never over another name
/// or symbol; see LabelLayout), a ring in the lamp colour under photometric lighting, a
/// dashed line to the target of a targeted light, a spot's falloff and hotspot cones to
/// scale (reaching the target, or a quarter of the drawing's extent for a free spot), the
/// parallel arrows of a distant light's direction, and the direction of a free web light.
/// Entities are drawn thinly. Coordinates anywhere in the range of double are fitted
/// without overflow. The same content gives the same bytes.
std::string planPictureSvg(const PlanContent& content);

}  // namespace plandor
