#include "support/run_tool.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Output goes to unlinked temporary files: no pipe can fill up while the program runs.
int TempFile() {
    char pattern[] = "/tmp/skinkit-run-XXXXXX";
    int fd = ::mkstemp(pattern);
    if (fd >= 0) ::unlink(pattern);
    return fd;
}

std::string ReadAll(int fd) {
    std::string text;
    ::lseek(fd, 0, SEEK_SET);
    char block[65536];
    for (ssize_t n; (n = ::read(fd, block, sizeof block)) > 0;)
        text.append(block, size_t(n));
    ::close(fd);
    return text;
}

std::string ToolPath(const std::string& program) {
    if (program.find('/') != std::string::npos) return program;
    const char* bin = std::getenv("SKINKIT_BIN");
    return std::string(bin ? bin : "bin") + "/" + program;
}

} // namespace

ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                const std::string& cwd) {
    ToolRun run;
    std::string path = ToolPath(program);
    int out = TempFile(), err = TempFile();
    if (out < 0 || err < 0) return run;
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        int devnull = ::open("/dev/null", O_RDONLY);
        ::dup2(devnull, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (!cwd.empty() && ::chdir(cwd.c_str()) != 0) ::_exit(126);
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    return run;
}
