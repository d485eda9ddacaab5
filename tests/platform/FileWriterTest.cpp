// The one file writer every program saves through, against the real file system (on Linux, and
// on Windows under Wine): each way a write fails gives its message and leaves the folder as it
// was, an older file untouched; a write that succeeds replaces the file whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>

#include "base/Strings.h"
#include "platform/FileWriter.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif

namespace diduzozoz {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Utf8Of(const fs::path& p) {
    const auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
}

// Makes the next writes of this process fail as on a full disk, until it goes.
class FullDisk {
  public:
#if defined(_WIN32)
    // The target held open by another program: the new file cannot replace it.
    explicit FullDisk(const fs::path& target) {
        m_held = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             0, nullptr);
    }
    ~FullDisk() {
        if (m_held != INVALID_HANDLE_VALUE) CloseHandle(m_held);
    }

  private:
    HANDLE m_held;
#else
    explicit FullDisk(const fs::path&) {
        // A disk that takes 64 bytes: a write fails with EFBIG instead of a signal.
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_limit);
        rlimit small = m_limit;
        small.rlim_cur = 64;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, SIG_DFL);
    }

  private:
    rlimit m_limit{};
#endif
};

void MakeReadOnly(const fs::path& p, bool readOnly) {
    fs::permissions(
        p, readOnly ? fs::perms::owner_read : fs::perms::owner_read | fs::perms::owner_write);
}

TEST(FileWriter, EachFailureSaysWhyAndLeavesTheFolderAsItWas) {
    std::random_device seed;
    const fs::path folder =
        fs::temp_directory_path() / ("diduzozoz-writer-" + std::to_string(seed()));
    fs::create_directories(folder / "x.png");
    std::ofstream(folder / "old.pdf", std::ios::binary) << "old";
    std::ofstream(folder / "locked.png", std::ios::binary) << "old";
    MakeReadOnly(folder / "locked.png", true);
    const std::vector<std::string> before = FilesIn(folder);

    ExportImage image;
    image.width = 300;
    image.height = 200;  // more than the full disk takes
    image.pixels.resize(300 * 200);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = (i * 7919 % 13) < 6;
    struct Row {
        const char* name;
        WriteFailure failure;
        const char* message;
    };
    const Row rows[] = {
        {"x.png", WriteFailure::kFolder, str::kSaveIsFolder},
        {"barcode", WriteFailure::kNoExtension, str::kSaveNeedsExtension},
        {"barcode.bmp", WriteFailure::kNoExtension, str::kSaveNeedsExtension},
        {".png", WriteFailure::kNoExtension, str::kSaveNeedsExtension},
        {"locked.png", WriteFailure::kReadOnlyFile, str::kSaveReadOnlyFile},
        {"nowhere/x.png", WriteFailure::kCannotCreate, str::kSaveCannotCreate},
        {"old.pdf", WriteFailure::kWriteFailed, str::kSaveWriteFailed},
    };
#if !defined(_WIN32)
    const bool root = ::geteuid() == 0;  // root writes over read-only files
#else
    const bool root = false;
#endif
    for (const Row& row : rows) {
        if (root && row.failure == WriteFailure::kReadOnlyFile) continue;
        SCOPED_TRACE(row.name);
        const std::string path = Utf8Of((folder / row.name).make_preferred());
        WriteStatus status;
        {
            std::optional<FullDisk> full;
            if (row.failure == WriteFailure::kWriteFailed) full.emplace(folder / row.name);
            status = SaveImageFile(image, path);
        }
        EXPECT_EQ(status.failure, row.failure);
        EXPECT_NE(status.error, 0);
        EXPECT_EQ(WriteFailureMessage(status, path), FormatText(row.message, path.c_str()));
        EXPECT_EQ(FilesIn(folder), before);
        EXPECT_EQ(Read(folder / "old.pdf"), "old");
    }

    // Written whole over the older file, in the format its extension names in any case.
    const std::string pdf = EncodePdf(image, kDefaultDpi);
    EXPECT_TRUE(SaveImageFile(image, Utf8Of(folder / "old.pdf")).Ok());
    EXPECT_TRUE(Read(folder / "old.pdf") == pdf);
    EXPECT_TRUE(SaveImageFile(image, Utf8Of(folder / "new.PDF")).Ok());
    EXPECT_TRUE(Read(folder / "new.PDF") == pdf);
    EXPECT_EQ(FilesIn(folder).size(), before.size() + 1);

    // Streamed in pieces larger and smaller than its buffer; abandoned, nothing is left.
    std::string expected;
    {
        FileWriter file(Utf8Of(folder / "stream.pdf"));
        ASSERT_TRUE(file.Open());
        for (int i = 0; i < 40; ++i) {
            const std::string piece(static_cast<std::size_t>(i * 5000 + 1), char('a' + i % 26));
            expected += piece;
            ASSERT_TRUE(file.Write(piece));
        }
        EXPECT_TRUE(file.Commit());
    }
    EXPECT_TRUE(Read(folder / "stream.pdf") == expected);
    {
        FileWriter file(Utf8Of(folder / "stream.pdf"));
        ASSERT_TRUE(file.Open());
        file.Write("short");
        file.Abandon();
    }
    {
        FileWriter file(Utf8Of(folder / "never.pdf"));
        ASSERT_TRUE(file.Open());
        file.Write("dropped with the writer");
    }
    EXPECT_TRUE(Read(folder / "stream.pdf") == expected);
    EXPECT_FALSE(fs::exists(folder / "never.pdf"));
    EXPECT_EQ(FilesIn(folder).size(), before.size() + 2);

    MakeReadOnly(folder / "locked.png", false);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace diduzozoz
