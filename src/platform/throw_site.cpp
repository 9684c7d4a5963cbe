#include "platform/throw_site.h"

#include "platform/report_collectors.h"

#include <boost/stacktrace/safe_dump_to.hpp>

#include <chrono>
#include <cstddef>
#include <typeinfo>

namespace {
constexpr std::size_t kMaxFrames = 64;

// Written on the throw path: no allocation there, a bad_alloc must get through as well.
struct LastThrow {
    const void* object = nullptr;
    void* frames[kMaxFrames] = {};
    std::size_t count = 0;
    std::chrono::system_clock::time_point when;
};
thread_local LastThrow lastThrow;
} // namespace

extern "C" {
[[noreturn]] void __real___cxa_throw(void* object, std::type_info* type, void (*destroy)(void*));

[[noreturn]] void __wrap___cxa_throw(void* object, std::type_info* type, void (*destroy)(void*))
{
    lastThrow.object = object;
    lastThrow.when = std::chrono::system_clock::now();
    const std::size_t stored =
        boost::stacktrace::safe_dump_to(1, lastThrow.frames, sizeof(lastThrow.frames));
    lastThrow.count = 0;
    while (lastThrow.count < stored && lastThrow.count < kMaxFrames &&
           lastThrow.frames[lastThrow.count])
        ++lastThrow.count;
    __real___cxa_throw(object, type, destroy);
}
}

std::optional<ThrowSite> LastThrowSite(const void* thrown)
{
    if (lastThrow.count == 0 || (thrown && thrown != lastThrow.object))
        return std::nullopt;
    ThrowSite site;
    site.stack = StackLines(lastThrow.frames, lastThrow.count);
    site.address = reinterpret_cast<quintptr>(lastThrow.frames[0]);
    site.taken = QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(lastThrow.when.time_since_epoch())
            .count());
    return site;
}
