#include "tools/ResourceLimits.h"

#include <algorithm>
#include <dirent.h>
#include <sys/resource.h>

namespace {

// Written once at start, before any child is forked; read in children.
rlimit originalLimit {};
bool raised = false;

// Two pipes, the stdin device and the start-up pipe while the child starts;
// two pipes and the process descriptor while it runs; a probe or an image
// file beside it.
constexpr int descriptorsPerRun = 8;
// Sockets, the settings file, libraries, the window system, other tools.
constexpr int reserve = 64;

int openDescriptors()
{
    DIR *folder = ::opendir("/proc/self/fd");
    if (!folder)
        return 0;
    int count = 0;
    while (::readdir(folder))
        ++count;
    ::closedir(folder);
    return std::max(0, count - 3); // ".", ".." and the folder's own descriptor
}

} // namespace

namespace ResourceLimits {

void raiseOpenFileLimit()
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max)
        return;
    originalLimit = limit;
    limit.rlim_cur = limit.rlim_max;
    raised = ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

void restoreInChild()
{
    if (raised)
        ::setrlimit(RLIMIT_NOFILE, &originalLimit);
}

int concurrentRuns()
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 1 << 20;
    const long long free = (long long)(limit.rlim_cur) - openDescriptors() - reserve;
    return int(std::clamp(free / descriptorsPerRun, 1LL, 1LL << 20));
}

} // namespace ResourceLimits
