// Photometric web files: the folders the light module looks in for them, and reading one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/plexport.h"
#include "hostsim/sceneoe/photometric_web.h"

namespace plsim::scene {

/// The folders searched, in order, after the current folder for a web file given by a
/// relative name (plandor --webpath). Empty at the start.
PLSCENEOE_API void setWebSearchPath(std::vector<std::wstring> folders);
PLSCENEOE_API std::vector<std::wstring> webSearchPath();

/// Reads the web file at `path`. Nothing when it cannot be read or is refused, with `error`
/// saying why (the reader's refusals name the file without its folder, and the line).
PLSCENEOE_API std::optional<PhotometricWeb> readWebFile(const std::wstring& path, std::wstring& error);

/// The bytes of the web file at `path`, as readWebFile reads them. Nothing when it cannot be
/// read or is too large to be a web file, with `error` saying why.
PLSCENEOE_API std::optional<std::string> readWebFileBytes(const std::wstring& path, std::wstring& error);

}  // namespace plsim::scene
