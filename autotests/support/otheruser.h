#pragma once

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

// Runs code as a user whom a device's mode refuses: root, whom modes do not
// stop, takes the effective ids of "nobody" (65534) meanwhile; anyone else is
// refused by the mode alone. Header-only, for tests with and without qvsim.
inline void asOtherUser(const std::function<void()> &code)
{
    if (::geteuid() != 0) {
        code();
        return;
    }
    const bool dropped = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    if (dropped)
        code();
    if (::seteuid(0) != 0 || ::setegid(0) != 0)
        ::_exit(99); // the rest of the test would run as nobody
}
