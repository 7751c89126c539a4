#pragma once
// The helper processes this program started, and their memory: for the OPC
// UA tests and the latency benchmark.
#include <sys/types.h>
#include <unistd.h>

#include <vector>

namespace tintoral::test {

// Children of `parent` (this process by default) running the OPC UA helper
// script.
std::vector<pid_t> HelperPids(pid_t parent = getpid());

// Resident memory of a process in KiB (0 when it is gone).
long ResidentKiB(pid_t pid);

}  // namespace tintoral::test
