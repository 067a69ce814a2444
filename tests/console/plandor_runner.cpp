// Runs the built plandor as a child process with a script, arguments and piped input.
#include "plandor_runner.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include <nlohmann/json.hpp>

#include "drawing/utf8.h"

#if defined(_WIN32)
#  include <process.h>
#  include <windows.h>
#else
#  include <sys/wait.h>
#  include <unistd.h>
#endif

namespace plandor_test {

namespace {

std::filesystem::path plandorPath() {
#if defined(_WIN32)
    // Beside this program: the build puts every program in one folder.
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(std::wstring(self, length)).parent_path() / L"plandor.exe";
#else
    return PLANDOR_EXE;
#endif
}

#if defined(_WIN32)
std::wstring shellQuoted(const std::wstring& text) { return L"\"" + text + L"\""; }
#else
std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}
#endif

}  // namespace

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
#if defined(_WIN32)
    const int pid = _getpid();
#else
    const int pid = static_cast<int>(getpid());
#endif
    m_path = std::filesystem::temp_directory_path() /
             ("plandor-console-" + std::to_string(pid) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path ScratchFolder::write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = m_path / plandor::widePath(plandor::fromUtf8(name));
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return file;
}

std::filesystem::path programFolder() { return plandorPath().parent_path(); }

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

Run runPlandor(const std::vector<std::string>& args, const std::string& stdinBytes) {
    const ScratchFolder io;
    const std::filesystem::path input = io.write("stdin.txt", stdinBytes);
    const std::filesystem::path errors = io.path() / "stderr.txt";
    Run run;
#if defined(_WIN32)
    std::wstring command = shellQuoted(plandorPath().wstring());
    for (const std::string& arg : args) command += L" " + shellQuoted(plandor::fromUtf8(arg));
    command += L" < " + shellQuoted(input.wstring()) + L" 2> " + shellQuoted(errors.wstring());
    // cmd.exe drops the outer quotes of the whole line.
    std::FILE* pipe = _wpopen(shellQuoted(command).c_str(), L"rb");
#else
    std::string command = shellQuoted(plandorPath().string());
    for (const std::string& arg : args) command += " " + shellQuoted(arg);
    command += " < " + shellQuoted(input.string()) + " 2> " + shellQuoted(errors.string());
    std::FILE* pipe = popen(command.c_str(), "r");
#endif
    if (pipe == nullptr) throw std::runtime_error("cannot start plandor");
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, count);
#if defined(_WIN32)
    run.exitCode = _pclose(pipe);
#else
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.err = readFile(errors);
    return run;
}

Run runScript(const std::string& script, const std::vector<std::string>& args, std::string* dump) {
    const ScratchFolder folder;
    std::vector<std::string> all = args;
    const std::filesystem::path file = folder.write("drawing.json", std::string(10000, 'x'));
    if (dump) all.insert(all.end(), {"--dump", plandor::toUtf8(plandor::pathText(file))});
    all.insert(all.end(), {"--script", plandor::toUtf8(plandor::pathText(folder.write("test.scr", script)))});
    const Run run = runPlandor(all);
    if (dump) *dump = readFile(file);
    return run;
}

std::string fromFirstCommand(const std::string& out) {
    const std::size_t first = out.find("Command: ");
    return first == std::string::npos ? std::string() : out.substr(first);
}

std::string dumpField(const std::string& dump, const std::string& key, std::size_t nth) {
    std::string found;
    // Members in the order they were written; a key is counted before what its value holds.
    const std::function<void(const nlohmann::ordered_json&)> walk = [&](const nlohmann::ordered_json& value) {
        for (auto it = value.begin(); found.empty() && it != value.end(); ++it) {
            if (value.is_object() && it.key() == key && nth-- == 0) found = it->dump();
            if (it->is_structured()) walk(*it);
        }
    };
    const nlohmann::ordered_json parsed = nlohmann::ordered_json::parse(dump, nullptr, false);
    if (!parsed.is_discarded()) walk(parsed);
    return found;
}

}  // namespace plandor_test
