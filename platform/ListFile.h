// The code list files as the operating system gives them: opened only when they are regular
// files and without ever blocking, for the front ends and the command line. Below them, the
// lists' rules know only bytes (lists/CodeList.h).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "lists/CodeList.h"

namespace diduzozoz {

// A reader over a regular file, opened without blocking; nullptr when it cannot be opened.
std::unique_ptr<CodeListReader> OpenListFile(const std::string& path, std::size_t limit);

// The bytes of a list file, or nothing when it cannot be opened as a regular file. Never
// blocks: FIFOs, devices and directories count as files that cannot be opened.
std::optional<std::string> ReadListFile(const std::string& path,
                                        std::size_t maxBytes = kMaxListFileBytes);

}  // namespace diduzozoz
