// LightEditContext: what every property menu and option prompt of one light command shares.
#pragma once

#include "host/plstatus.h"
#include "host/plstring.h"

class PlDbLight;

struct LightEditContext {
    PlDbLight* light = nullptr;  ///< the new light, open for write; not owned
    bool appended = false;       ///< set once the light is in the current space
    PlString defaultOpen;        ///< opens the current value shown in a prompt
    PlString defaultClose;       ///< closes it
    /// What failed when the host could not do what the new light needs (a layer, a name, a
    /// place in the drawing): the command then reports that the light could not be created,
    /// where a menu that ends without the light is otherwise the user's own choice.
    Plad::ErrorStatus failure = Plad::eOk;
};
