#include "support/ordinaryuser.h"

#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr uid_t kNobody = 65534;
}

std::string whyOrdinaryUserCannotReach(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = fs::absolute(path, error);
    if (!target.has_filename())
        target = target.parent_path();
    fs::path folder;
    for (const fs::path& part : target.parent_path()) {
        folder /= part;
        const fs::perms mode = fs::status(folder, error).permissions();
        if (error || (mode & fs::perms::others_exec) == fs::perms::none)
            return "the user nobody cannot enter " + folder.string();
    }
    return {};
}

int runAsOrdinaryUser(const std::function<int()>& scenario) {
    const pid_t child = fork();
    if (child == -1)
        return -1;
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
                               setresuid(kNobody, kNobody, kNobody) != 0))
            _exit(kCannotSwitchUser);
        _exit(scenario());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
