// Bytes handed to another process as a file that has no name on any disk (POSIX only: the
// clipboard holder of X11 desktops).
#pragma once

#if !defined(_WIN32)
#include <string_view>

namespace diduzozoz {

// A descriptor of a file holding bytes, read from its start, never inherited across exec; -1
// when it cannot be made.
int AnonymousFile(std::string_view bytes);

}  // namespace diduzozoz
#endif
