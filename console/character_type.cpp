// The C library's character type for the whole session.
#include "console/character_type.h"

#include <clocale>

#if !defined(_WIN32)
#  include <cstring>
#  include <langinfo.h>
#endif

namespace plandor {

void useSessionCharacterType() {
    const char* locale = std::setlocale(LC_CTYPE, "");
#if defined(_WIN32)
    // Under "C" the C library folds A to Z only; the user's locale folds the rest too.
    static_cast<void>(locale);
#else
    if (locale == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
#endif
}

}  // namespace plandor
