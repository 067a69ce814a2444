// Small raster images for the picture: an indexed-colour PNG, written without a compression
// library, and base64 for embedding it in SVG.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hostsim/index_palette.h"

namespace plandor {

/// The PNG of a `width` by `height` image of 8-bit indices into `palette` (at most 256
/// colours), row by row from the top. The image data are stored, not compressed.
std::string indexedPng(std::uint32_t width, std::uint32_t height, const std::vector<plsim::Rgb8>& palette,
                       const std::vector<std::uint8_t>& indices);

/// `bytes` in base64 (RFC 4648, with padding).
std::string base64(std::string_view bytes);

}  // namespace plandor
