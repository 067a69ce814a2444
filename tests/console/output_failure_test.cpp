// Guards against output that ends the session when it cannot be written (a reader gone, a full
// disk), failures reported as success, and a dump whose failed write destroys the file it replaces.
#include <gtest/gtest.h>

#if !defined(_WIN32)

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plandor_runner.h"

extern char** environ;

namespace {

using plandor_test::ScratchFolder;

// Two lights: the second is placed after the output has failed, and the dump is over 1 KB.
constexpr char kScript[] = "POINTLIGHT\n0,0,0\n\nPOINTLIGHT\n1,1,1\n\n";

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

/// Runs `argv` with standard output on `outFd` and standard error into
/// `errFile`; answers the exit status, or -1 when a signal ended it.
int spawn(std::vector<std::string> argv, int outFd, const std::filesystem::path& errFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> args;
    for (std::string& arg : argv) args.push_back(arg.data());
    args.push_back(nullptr);
    pid_t child = 0;
    const int started = posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return -2;
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OutputFailure, TheSessionGoesOnAndKeepsItsDrawing) {
    int gone[2];
    ASSERT_EQ(pipe(gone), 0);
    close(gone[0]);  // the reader has gone before the first write
    const int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    const struct {
        const char* name;
        int out;
        const char* reason;
    } cases[] = {{"a pipe without a reader", gone[1], "Broken pipe"}, {"a full disk", full, "No space left"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScratchFolder folder;
        const std::string script = folder.write("two.scr", kScript).string();
        const std::filesystem::path dump = folder.path() / "drawing.json";
        const int status = spawn({(plandor_test::programFolder() / "plandor").string(), "--script", script, "--dump",
                                  dump.string()},
                                 c.out, folder.path() / "err.txt");
        EXPECT_EQ(status, 4);
        EXPECT_NE(readFile(folder.path() / "err.txt").find(c.reason), std::string::npos);
        EXPECT_NE(readFile(dump).find("\"Pointlight2\""), std::string::npos) << "the session ran to its end";
    }
    close(gone[1]);
    close(full);
}

TEST(OutputFailure, AFailedDumpLeavesTheOldFileAsItWas) {
    const ScratchFolder folder;
    const std::string script = folder.write("two.scr", kScript).string();
    const std::filesystem::path dump = folder.write("drawing.json", "{\"lights\": []}\n");
    const int devNull = open("/dev/null", O_WRONLY);
    // Files may grow to 1 KB: enough for the message, too little for the dump.
    const int status = spawn({"/bin/sh", "-c", "ulimit -f 1; trap '' XFSZ; exec \"$0\" \"$@\"",
                              (plandor_test::programFolder() / "plandor").string(), "--script", script, "--dump",
                              dump.string()},
                             devNull, folder.path() / "err.txt");
    close(devNull);
    EXPECT_EQ(status, 2);
    EXPECT_NE(readFile(folder.path() / "err.txt").find("cannot write the dump"), std::string::npos);
    EXPECT_EQ(readFile(dump), "{\"lights\": []}\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) ++files;
    EXPECT_EQ(files, 3) << "script, dump and messages only: the attempt leaves nothing behind";
}

}  // namespace

#endif
