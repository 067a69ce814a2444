// The kind of the last light placed, remembered while the module is loaded.
#pragma once

/// Kind code of the last light whose menu ran (1 distant, 2 point, 3 spot, 10 web).
extern int lastLightKind;
/// Whether that light had a target.
extern bool lastLightTargeted;
