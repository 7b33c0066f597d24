// Forking a test's body into a child without root's rights.
#include "support/unprivileged.h"

#include "support/portable.h"

#ifdef _WIN32
// Windows has no fork and no permission bits: the tests that need these
// skip there (SKIP_ON_WINDOWS) before they get here.
int RunUnprivileged(const std::function<int()>&) { return -1; }

void OpenToEveryone(const std::string&) {}
#else
#include <grp.h>
#include <sys/wait.h>

#include <cstdio>

namespace {

const uid_t kNobody = 65534;

bool DropRoot(void) {
    if (geteuid() != 0) return true;
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

}  // namespace

int RunUnprivileged(const std::function<int()>& body) {
    std::fflush(nullptr);  // nothing buffered is printed twice
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (!DropRoot()) _exit(254);
        const int result = body();
        std::fflush(nullptr);
        _exit(result & 0xFF);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void OpenToEveryone(const std::string& folder) { chmod(folder.c_str(), 0755); }
#endif
