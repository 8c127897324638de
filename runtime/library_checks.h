#pragma once
// Put before every other header of the program's own code (-include): each of the standard
// library's bounds checks, which _GLIBCXX_ASSERTIONS turns on, ends the program through one
// call with no arguments. libstdc++'s own form of the check passes the failing function's file,
// name and condition to a hook, about 5 KB of texts in all that a program with nowhere to show
// them would only carry. The check itself, and what it checks, stay the library's.

#include <bits/c++config.h>

#ifdef _GLIBCXX_ASSERTIONS
#ifndef __glibcxx_assert_impl
#error "This standard library does not check its bounds as the program expects."
#endif

// Ends the program with kLibraryCheckExitCode (runtime/program_end.h).
[[noreturn]] void LibraryCheckFailed() noexcept;

#undef __glibcxx_assert_impl
#define __glibcxx_assert_impl(condition)                                                           \
    if (__builtin_expect(!bool(condition), false)) {                                               \
        __glibcxx_constexpr_assert(false);                                                         \
        ::LibraryCheckFailed();                                                                    \
    }
#endif
