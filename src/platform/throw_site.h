// The call stack where an exception was thrown. The dialog shows an error only once it has been
// caught, far from where it arose; every throw of the program's own code passes through a hook
// (linked in with --wrap=__cxa_throw) that keeps the stack of the last throw of its thread.
#pragma once

#include <QDateTime>
#include <QStringList>

#include <optional>

struct ThrowSite {
    QStringList stack; // innermost first, the hook's own frame left out
    QDateTime taken;
    quintptr address = 0; // in the function that threw
};

// Inside a catch block: the stack of `thrown` (the caught object's address, or nullptr when
// it is unknown, then the last throw of this thread). Nothing when the object was not thrown
// through the hook (a throw inside a library).
std::optional<ThrowSite> LastThrowSite(const void* thrown);
