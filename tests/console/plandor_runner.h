// Runs the built plandor as a child process with a script, arguments and piped input.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plandor_test {

/// What one run of plandor left behind.
struct Run {
    int exitCode = -1;
    std::string out;  ///< standard output, bytes as written
    std::string err;  ///< standard error
};

/// A folder of its own for one test's files, removed at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    /// Writes `bytes` unchanged into the file `name`; answers its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path m_path;
};

/// The folder of plandor, and of the modules it loads.
std::filesystem::path programFolder();

/// The bytes of a file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

/// Runs plandor with `args`; its standard input is `stdinBytes` (never the
/// terminal the tests run at).
Run runPlandor(const std::vector<std::string>& args, const std::string& stdinBytes = {});

/// Runs plandor with `args` and then "--script" with a file holding `script`. With `dump`, also with --dump
/// into a file of its own, which holds older bytes first (it must be replaced); `dump` receives its bytes.
Run runScript(const std::string& script, const std::vector<std::string>& args = {}, std::string* dump = nullptr);

/// The output from the first "Command: " on (what the commands printed).
std::string fromFirstCommand(const std::string& out);

/// The `nth` value named `key` in a dump, in document order, as compact JSON ("[0.0,1.0]"; a string
/// with its quotes); "" when there is none or the dump is not JSON. Reals are written anew.
std::string dumpField(const std::string& dump, const std::string& key, std::size_t nth = 0);

}  // namespace plandor_test
