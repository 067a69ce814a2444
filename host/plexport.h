// Export and import marks of the host's libraries and of the light-entity module.
#pragma once

#if defined(_WIN32)
#  define PL_DLL_EXPORT __declspec(dllexport)
#  define PL_DLL_IMPORT __declspec(dllimport)
#else
#  define PL_DLL_EXPORT __attribute__((visibility("default")))
#  define PL_DLL_IMPORT __attribute__((visibility("default")))
#endif

// The host's core libraries (runtime, database, editor, dialogs, resources).
#if defined(PLHOST_BUILD)
#  define PLHOST_API PL_DLL_EXPORT
#else
#  define PLHOST_API PL_DLL_IMPORT
#endif

// The light-entity module "PlSceneOE.dbx".
#if defined(PLSCENEOE_BUILD)
#  define PLSCENEOE_API PL_DLL_EXPORT
#else
#  define PLSCENEOE_API PL_DLL_IMPORT
#endif
