// LightEditContext: what every property menu and option prompt of one light command shares.
#pragma once

#include "host/plstring.h"

class PlDbLight;

struct LightEditContext {
    PlDbLight* light = nullptr;  ///< the new light, open for write; not owned
    bool appended = false;       ///< set once the light is in the current space
    PlString defaultOpen;        ///< opens the current value shown in a prompt
    PlString defaultClose;       ///< closes it
};
