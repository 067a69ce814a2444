// The export mark of the scene-and-lighting module's public names.
#pragma once

#include "host/plexport.h"

#if defined(PLZUREDUD_BUILD)
#  define PLZUREDUD_API PL_DLL_EXPORT
#else
#  define PLZUREDUD_API PL_DLL_IMPORT
#endif
