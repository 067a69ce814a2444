// What must hold of the stand-in host and its drawings between two commands, whatever the input was.
#pragma once

#include <string>
#include <vector>

namespace pltest {

/// Every way the session breaks what must hold between commands: an object left open, an
/// error the database caught, a document left locked, a value a light refused (whoever gave
/// it ignored the refusal, so it is lost), and in each open drawing a light whose properties
/// are out of their ranges, disagree with each other, or disagree with the drawing's index
/// of light names. Empty when all is well.
std::vector<std::wstring> sessionProblems();

}  // namespace pltest
