// Running a piece of a test as an ordinary user, so that file permissions
// bite as they do for a player (root may read any file).
#pragma once

#include <functional>
#include <string>

// Runs `body` in a forked child that has given up root (when the tests run as
// root) and returns the child's result: the body's return value (0..255), or
// -1 when the child could not be started or did not end normally. The child
// leaves with _exit, so nothing of the parent (SDL, files, atexit handlers)
// is torn down twice. Paths the body uses must be reachable by any user:
// see OpenToEveryone.
int RunUnprivileged(const std::function<int()>& body);

// Lets every user search `folder` and list it (mode 0755), as the test's
// temporary folders are created private to their owner.
void OpenToEveryone(const std::string& folder);
