// Saving from the Windows dialog: every way a save can fail gives one clear message and leaves
// no file or temporary file behind and an older file as it was; a save replaces the file whole.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "base/Strings.h"
#include "win32/Commands.h"
#include "win32/WinText.h"

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

TEST(WindowsSave, FailuresSayWhyAndLeaveTheFolderAsItWas) {
    std::random_device seed;
    const fs::path folder =
        fs::temp_directory_path() / ("diduzozoz-save-" + std::to_string(seed()));
    fs::create_directories(folder / "x.png");
    std::ofstream(folder / "old.pdf", std::ios::binary) << "old";
    std::ofstream(folder / "locked.png", std::ios::binary) << "old";
    SetFileAttributesW((folder / "locked.png").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<std::string> before = FilesIn(folder);

    ExportImage image;
    image.width = 3;
    image.height = 2;
    image.pixels = {1, 0, 1, 0, 1, 0};
    struct Row {
        const char* name;
        const char* message;
    };
    const Row rows[] = {
        {"x.png", str::kSaveIsFolder},
        {"barcode", str::kSaveNeedsExtension},
        {"barcode.bmp", str::kSaveNeedsExtension},
        {".png", str::kSaveNeedsExtension},
        {"locked.png", str::kSaveReadOnlyFile},
        {"nowhere/x.png", str::kSaveCannotCreate},
    };
    for (const Row& row : rows) {
        const std::string path = win::Utf8((folder / row.name).make_preferred().wstring());
        EXPECT_EQ(win::SaveImageFile(image, path), FormatText(row.message, path.c_str()))
            << row.name;
        EXPECT_EQ(FilesIn(folder), before) << row.name;
    }
    EXPECT_EQ(Read(folder / "old.pdf"), "old");

    // Written whole over the older file, in the format its extension names in any case.
    const fs::path pdf = folder / "old.PDF";
    EXPECT_EQ(win::SaveImageFile(image, win::Utf8(pdf.wstring())), "");
    EXPECT_EQ(Read(folder / "old.pdf"), EncodePdf(image, kDefaultDpi));
    EXPECT_EQ(FilesIn(folder), before);

    SetFileAttributesW((folder / "locked.png").c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace diduzozoz
