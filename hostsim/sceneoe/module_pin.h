// Keeping the light-entity module loaded once a light exists.
#pragma once

namespace plsim::scene {

/// Pins this module in the process: a drawing may delete its lights after
/// every module that loaded this one has gone, and their code must still be
/// there then. Cheap after the first call.
void keepModuleLoaded();

}  // namespace plsim::scene
