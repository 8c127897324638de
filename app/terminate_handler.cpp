// What the program does if the C++ runtime must end it. A windowed program has nowhere to
// print the runtime's usual message, and the demangler that message needs would be a fifth of
// the executable, so it simply ends.

#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx
