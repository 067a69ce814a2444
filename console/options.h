// The command-line options of plandor and their parsing.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace plandor {

/// Exit statuses of plandor.
enum ExitStatus : int {
    kExitOk = 0,
    kExitModuleFailed = 1,  ///< the module could not be loaded or refused to start
    kExitUsage = 2,         ///< a bad option, a missing script, a bad --set, a dump that cannot be written
    kExitInternal = 3,      ///< an unexpected error inside plandor or the module
    kExitOutput = 4,        ///< the session ran to its end, but its output could not be written in full
};

/// The module plandor loads when --module does not name another.
inline constexpr wchar_t kDefaultModule[] = L"PlZuredUD.vmx";

struct Options {
    /// The module to load: a bare file name is looked up in the host's module
    /// folder; a path with a folder in it is made absolute against the
    /// current folder.
    std::wstring module = kDefaultModule;
    /// The script to replay; none: read the terminal or standard input.
    std::optional<std::filesystem::path> script;
    /// Where to write the drawing as JSON when the session ends; none: nowhere.
    std::optional<std::filesystem::path> dump;
    /// Where to write the picture of the drawing (SVG) when the session ends; none: nowhere.
    std::optional<std::filesystem::path> plan;
    /// Where to write the drawing as glTF (.gltf or .glb) when the session ends; none: nowhere.
    std::optional<std::filesystem::path> exportFile;
    /// The drawing file to start with; none: a new drawing.
    std::optional<std::filesystem::path> open;
    /// The colour-book folder the host reports (--colorbooks); an empty text
    /// makes it report none; not given: the folder "colorbooks" next to plandor.
    std::optional<std::wstring> colorBooks;
    /// Folders searched for web files after the current folder, in the order given, absolute.
    std::vector<std::wstring> webPaths;
    /// The language of the module's texts ("de"); empty: the host's own (English).
    std::wstring language;
    /// System variables to set before the first command, in the order given.
    std::vector<std::pair<std::wstring, std::wstring>> settings;
    bool showHelp = false;
    bool showVersion = false;
};

/// Reads the arguments (without the program name). On a bad argument answers
/// nothing and fills `error` with a message for the user.
std::optional<Options> parseOptions(const std::vector<std::wstring>& args, std::wstring& error);

/// The text of --help.
std::wstring helpText();
/// The text of --version.
std::wstring versionText();

/// The program's arguments as wide text (UTF-8 decoded; on Windows the
/// process's own wide command line).
std::vector<std::wstring> programArguments(int argc, char** argv);

}  // namespace plandor
