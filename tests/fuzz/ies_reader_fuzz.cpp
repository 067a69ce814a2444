// Fuzz target: the IES photometric-file reader, and the photometry of what it accepts. Any
// input must be refused with a message or give a consistent grid with finite photometry, whose
// completed grid holds the same light.
#include <algorithm>
#include <cmath>
#include <functional>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "hostsim/sceneoe/photometric_web.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::wstring error;
    const auto web = plsim::scene::readPhotometricWeb(text, L"fuzz.ies", error);
    if (!web) {
        require(!error.empty());
        return 0;
    }
    require(!web->vertical.empty() && !web->horizontal.empty());
    require(web->candela.size() == web->vertical.size() * web->horizontal.size());
    const double peak = plsim::scene::peakCandela(*web);
    require(std::isfinite(peak) && peak > 0.0);
    const double flux = plsim::scene::webFlux(*web);
    require(std::isfinite(flux) && flux >= 0.0);
    for (const double fraction : {0.5, 0.1}) {
        const plsim::scene::Spread spread = plsim::scene::spreadAngle(*web, fraction);
        require(spread.kind != plsim::scene::Spread::Kind::Angle || (spread.degrees >= 0.0 && spread.degrees <= 360.0));
    }
    // The completed grid holds the same light: the same peak and flux.
    const plsim::scene::PhotometricWeb full = plsim::scene::completedWeb(*web);
    require(full.candela.size() == full.vertical.size() * full.horizontal.size());
    for (const std::vector<double>* angles : {&full.vertical, &full.horizontal})
        require(std::adjacent_find(angles->begin(), angles->end(), std::greater_equal<>()) == angles->end());
    require(plsim::scene::peakCandela(full) == peak);
    require(std::fabs(plsim::scene::webFlux(full) - flux) <= 1e-9 * flux + 1e-12);
    return 0;
}
