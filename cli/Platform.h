// What the command-line renderer needs of the operating system, the same on every platform:
// arguments in UTF-8 and standard streams that carry exactly the bytes written. Files are
// written through platform/FileWriter.h.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace diduzozoz::cli {

#if defined(_WIN32)
// The arguments after the program name, from UTF-16 (wmain) to UTF-8.
std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv);
#endif

// stdout and stderr get no CR before LF; a Windows console is told apart from files and pipes.
void SetUpStandardStreams();
bool StderrIsTerminal();
// UTF-8 text to stdout or stderr. A Windows console gets it as characters in one piece: byte
// by byte, or in the C runtime's code page, it would show replacement characters.
void WriteText(std::FILE* stream, std::string_view text);

// Replaces this process by the program `name` beside this executable, or else at
// `installed` (relative to this executable's directory), with the same arguments. Returns
// only when that cannot be done (no such program, or not on Linux).
void HandOverTo(const char* name, const char* installed, char** argv);

}  // namespace diduzozoz::cli
