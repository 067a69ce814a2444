// Runs the built plandor as a child process with a script, arguments and piped input.
#include "plandor_runner.h"

#include <atomic>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "console/utf8.h"

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
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
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
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
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
    for (const std::string& arg : args) {
        command += L" " + shellQuoted(plandor::fromUtf8(arg));
    }
    command += L" < " + shellQuoted(input.wstring()) + L" 2> " + shellQuoted(errors.wstring());
    // cmd.exe drops the outer quotes of the whole line.
    std::FILE* pipe = _wpopen(shellQuoted(command).c_str(), L"rb");
#else
    std::string command = shellQuoted(plandorPath().string());
    for (const std::string& arg : args) {
        command += " " + shellQuoted(arg);
    }
    command += " < " + shellQuoted(input.string()) + " 2> " + shellQuoted(errors.string());
    std::FILE* pipe = popen(command.c_str(), "r");
#endif
    if (pipe == nullptr) {
        throw std::runtime_error("cannot start plandor");
    }
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, count);
    }
#if defined(_WIN32)
    run.exitCode = _pclose(pipe);
#else
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.err = readFile(errors);
    return run;
}

Run runScript(const std::string& script, const std::vector<std::string>& args) {
    const ScratchFolder folder;
    const std::filesystem::path file = folder.write("test.scr", script);
    std::vector<std::string> all = args;
    all.push_back("--script");
    all.push_back(plandor::toUtf8(plandor::pathText(file)));
    return runPlandor(all);
}

Run runScriptWithDump(const std::string& script, std::string& dump, const std::vector<std::string>& args) {
    const ScratchFolder folder;
    const std::filesystem::path file = folder.path() / "drawing.json";
    std::vector<std::string> all = args;
    all.push_back("--dump");
    all.push_back(plandor::toUtf8(plandor::pathText(file)));
    const Run run = runScript(script, all);
    dump = readFile(file);
    return run;
}

std::string messageText(unsigned id) {
    std::ifstream in(PL_MESSAGES_FILE);
    const std::string key = std::to_string(id) + "\t";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) != 0) continue;
        // The English file names each message between the id and the text.
        std::string text = line.substr(line.find('\t', key.size()) + 1);
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\\n") == 0) text.replace(text.size() - 2, 2, "\n");
        return text;
    }
    return "message " + std::to_string(id) + " not found";
}

std::string fromFirstCommand(const std::string& out) {
    const std::size_t first = out.find("Command: ");
    return first == std::string::npos ? std::string() : out.substr(first);
}

namespace {

/// A value spread over lines, one line: a line end and its indent go, and one blank follows a comma.
std::string oneLine(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\n') {
            out += value[i];
            continue;
        }
        while (i + 1 < value.size() && value[i + 1] == ' ') ++i;
        if (!out.empty() && out.back() == ',') out += ' ';
    }
    return out;
}

std::string rawField(const std::string& dump, const std::string& key, std::size_t nth) {
    const std::string name = "\"" + key + "\": ";
    std::size_t at = dump.find(name);
    for (; at != std::string::npos && nth > 0; --nth) at = dump.find(name, at + 1);
    if (at == std::string::npos) return {};
    const std::size_t start = at + name.size();
    int depth = 0;
    bool quoted = false;
    for (std::size_t i = start; i < dump.size(); ++i) {
        const char c = dump[i];
        if (quoted) {
            if (c == '\\') ++i;
            quoted = c != '"';
            if (!quoted && depth == 0) return dump.substr(start, i + 1 - start);
        } else if (c == '"') {
            quoted = true;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}' || ((c == ',' || c == '\n') && depth == 0)) {
            if (depth == 0) return dump.substr(start, i - start);  // the end of a scalar
            if (--depth == 0) return dump.substr(start, i + 1 - start);
        }
    }
    return dump.substr(start);
}

}  // namespace

std::string dumpField(const std::string& dump, const std::string& key, std::size_t nth) {
    return oneLine(rawField(dump, key, nth));
}

std::vector<double> dumpNumbers(const std::string& array) {
    std::vector<double> numbers;
    const char* at = array.c_str() + 1;
    while (*at != '\0' && *at != ']') {
        char* end = nullptr;
        numbers.push_back(std::strtod(at, &end));
        if (end == at) break;
        at = end + (*end == ',' ? 2 : 0);
    }
    return numbers;
}

}  // namespace plandor_test
