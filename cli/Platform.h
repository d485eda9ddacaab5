// What the command-line renderer needs of the operating system, the same on every platform:
// arguments and paths in UTF-8, standard streams that carry exactly the bytes written, files
// written in binary mode and never inherited by other processes.
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

// File descriptors: -1 (or false) with errno set on failure, as the POSIX calls report it.
int CreateOutputFile(const std::string& path);  // created or truncated
// A new file beside path under a name nobody else uses, returned in temp.
int CreateTempFileBeside(const std::string& path, std::string& temp);
bool WriteAll(int fd, const void* data, std::size_t size);
int CloseFile(int fd);
void RemoveFile(const std::string& path);
// Puts from in place of to in one step: to is the old file or the new one, never missing.
bool MoveIntoPlace(const std::string& from, const std::string& to);
bool IsDirectory(const std::string& path);

// Replaces this process by the program `name` beside this executable, or else at
// `installed` (relative to this executable's directory), with the same arguments. Returns
// only when that cannot be done (no such program, or not on Linux).
void HandOverTo(const char* name, const char* installed, char** argv);

}  // namespace diduzozoz::cli
