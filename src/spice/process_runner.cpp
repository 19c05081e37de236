#include "spice/process_runner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "model/text_split.h"

namespace vx {

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string FindExecutable(const std::string& command) {
    if (command.empty()) {
        return {};
    }
    if (command.find('/') != std::string::npos) {
        return IsExecutableFile(command) ? command : std::string();
    }
    const char* path = std::getenv("PATH");
    const std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    for (const std::string& entry : SplitText(dirs, ':')) {
        // An empty PATH entry means the current directory.
        const std::string candidate = (entry.empty() ? std::string(".") : entry) + "/" + command;
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
    }
    return {};
}

ProcessResult RunProcess(const ProcessRequest& request) {
    if (request.arguments.empty()) {
        throw std::invalid_argument("RunProcess needs the program to start");
    }
    std::vector<char*> argv;
    for (const std::string& a : request.arguments) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);

    // The child reports a failed exec through this pipe; a successful exec closes it.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        return {};
    }
    const pid_t pid = fork();
    if (pid < 0) {
        close(report[0]);
        close(report[1]);
        return {};
    }
    if (pid == 0) {
        // Only async-signal-safe calls from here on; a relative output file lies in the new
        // working folder.
        close(report[0]);
        if (request.workingDirectory.empty() || chdir(request.workingDirectory.c_str()) == 0) {
            if (!request.outputFile.empty()) {
                const int fd = open(request.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd >= 0) {
                    dup2(fd, STDOUT_FILENO);
                    dup2(fd, STDERR_FILENO);
                    close(fd);
                }
            }
            execvp(argv[0], argv.data());
        }
        const int error = errno;
        [[maybe_unused]] const ssize_t n = write(report[1], &error, sizeof error);
        _exit(127);
    }
    close(report[1]);
    int childError = 0;
    ssize_t n;
    do {
        n = read(report[0], &childError, sizeof childError);
    } while (n < 0 && errno == EINTR);
    close(report[0]);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return {};
        }
    }
    if (n > 0) {
        return {};
    }
    return {true, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace vx
