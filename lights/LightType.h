// LightType: the kind of light a light command asks for.
#pragma once

enum LightType : int {
    kLightAnyKind = 0,      ///< LIGHT: the user chooses
    kLightDistant = 1,      ///< DISTANTLIGHT
    kLightPoint = 3,        ///< POINTLIGHT, no target
    kLightSpot = 4,         ///< SPOTLIGHT, with target
    kLightWeb = 5,          ///< WEBLIGHT, with target
    kLightTargetPoint = 6,  ///< TARGETPOINT
    kLightFreeSpot = 7,     ///< FREESPOT
    kLightFreeWeb = 8,      ///< FREEWEB
};
