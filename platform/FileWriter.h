// Files written whole or not at all, for every program that writes one: the bytes go to a
// temporary file beside the target, which is flushed and renamed over it only once complete.
// Until then, and after any failure, the target is what it was before, and no temporary file
// is left behind. Output streams through a small buffer, so a sheet of any size goes out as
// it is made.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/ExportImage.h"

namespace diduzozoz {

// What went wrong, in the terms each program's message tells the user.
enum class WriteFailure {
    kNone,
    kFolder,        // the target is a folder
    kNoExtension,   // an image's name without an extension that names its format
    kReadOnlyFile,  // an existing file marked read-only
    kCannotCreate,  // no file can be created beside the target (no such folder, no rights)
    kWriteFailed,   // writing, flushing or renaming failed: a full disk, a file in use
};

struct WriteStatus {
    WriteFailure failure = WriteFailure::kNone;
    int error = 0;  // the errno that says why, for the command line's words
    bool Ok() const { return failure == WriteFailure::kNone; }
};

class FileWriter {
  public:
    struct Options {
        // The file reaches the disk before it replaces the target. The dialogs ask for it;
        // a batch of thousands of files does not.
        bool sync = true;
    };

    explicit FileWriter(std::string path);
    FileWriter(std::string path, Options options);
    // Removes the temporary file unless it was committed.
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Checks the target (a folder, a read-only file) and creates the temporary file beside it.
    bool Open();
    // False once anything failed; what follows is then dropped. Safe before Open() (false).
    bool Write(std::string_view bytes);
    // Writes what is left, flushes, closes and renames into place.
    bool Commit();
    // Drops everything written: the target stays as it was.
    void Abandon();

    // The first failure, or kNone.
    const WriteStatus& Status() const { return m_status; }
    const std::string& Path() const { return m_path; }

  private:
    bool Flush();
    void Fail(WriteFailure failure, int error);
    void CloseAndRemove();

    std::string m_path;
    Options m_options;
    std::string m_temp;
    std::intptr_t m_handle = -1;  // a descriptor, or a Windows HANDLE
    bool m_open = false;
    WriteStatus m_status;
    std::string m_buffer;
};

// Writes bytes whole to path; the status of the first failure.
WriteStatus WriteWholeFile(const std::string& path, std::string_view bytes,
                           FileWriter::Options options = {});

// The image at 96 dpi in the format its name's extension names (png, svg, pdf, eps in any
// case), written whole to path.
WriteStatus SaveImageFile(const ExportImage& image, const std::string& path);

// The dialogs' message for a failed write to path.
std::string WriteFailureMessage(const WriteStatus& status, const std::string& path);

// Whether path names a folder.
bool IsFolder(const std::string& path);
// The folder part of path, without the last separator ("" for a bare name), and what follows
// the last dot of its name ("" for none, and for a name that only starts with one: ".png").
std::string FolderOf(const std::string& path);
std::string ExtensionOf(const std::string& path);

}  // namespace diduzozoz
