// The runtime classes of the light-entity module, found without a look-up by name.
#pragma once

class PlRxClass;

namespace plsim::scene {

enum class SceneClass { Light, ShadowParameters, LightAttenuation, CurvePath, MotionPath };

/// The class as registered now (by this module, or found registered); null when it is not.
PlRxClass* sceneClass(SceneClass which);

}  // namespace plsim::scene
