// A check for what must never happen, on in every build: a broken invariant stops the program
// where it is found, with the file, the line and the condition, instead of showing as a wrong
// drawing later. Input the user can get wrong is reported with a message, never with this.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace ormevak::detail {

[[noreturn]] inline void assertFailed(const char* file, int line, const char* condition) {
    std::fprintf(stderr, "%s:%d: ORMEVAK_ASSERT(%s) failed\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

} // namespace ormevak::detail

#define ORMEVAK_ASSERT(cond)                                                                       \
    ((cond) ? static_cast<void>(0) : ::ormevak::detail::assertFailed(__FILE__, __LINE__, #cond))
