// Putting the host back to its starting state between sessions and tests.
#include "hostsim/driver.h"

#include "hostsim/internal.h"

namespace plsim {

void resetSession() {
    detail::resetOutput();
    detail::resetInput();
    detail::resetVars();
    detail::resetDocuments();
    detail::resetColorBooks();
    detail::resetFaults();
    detail::resetLanguage();
    detail::resetSelection();
    resetUcs();
    resetJigActivity();
    clearDrawingErrors();
}

}  // namespace plsim
