#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace hanaki::testing {

// The id of a process of this computer that has just ended, so that nothing runs under it.
inline pid_t DeadProcessId() {
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

}  // namespace hanaki::testing
