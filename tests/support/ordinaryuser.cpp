#include "support/ordinaryuser.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr uid_t kNobody = 65534;
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
