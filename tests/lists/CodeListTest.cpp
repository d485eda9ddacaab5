// The code list reader without Qt: line rules over bytes, and the loader's refusals.
#include <gtest/gtest.h>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "lists/CodeList.h"
#include "platform/ListFile.h"

namespace diduzozoz {
namespace {

using Items = std::vector<std::string>;

struct ParseRow {
    const char* name;
    std::string bytes;
    std::size_t limit;
    Items items;
};

// Test names carry the row's name; keep the parameter print short as well.
void PrintTo(const ParseRow& row, std::ostream* os) {
    *os << row.name;
}

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

// UTF-16 with its byte-order mark, as a spreadsheet saves "Unicode text".
std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

class ParseCodeListTest : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseCodeListTest, Items) {
    EXPECT_EQ(ParseCodeList(GetParam().bytes, GetParam().limit), GetParam().items);
}

// The streaming reader gives the same items however the bytes arrive: here one at a time,
// so every CR LF and every chunk straddles a block boundary.
TEST_P(ParseCodeListTest, SameItemsByteByByte) {
    std::string_view rest = GetParam().bytes;
    CodeListReader reader(
        [&rest](char* buffer, std::size_t size) -> std::size_t {
            if (rest.empty() || size == 0) return 0;
            buffer[0] = rest[0];
            rest.remove_prefix(1);
            return 1;
        },
        GetParam().limit);
    Items items;
    std::string item;
    while (reader.Next(item)) items.push_back(item);
    EXPECT_EQ(items, GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParseCodeListTest,
    testing::Values(
        ParseRow{"TwoLines", "7654321\n1234567\n", 120, {"7654321", "1234567"}},
        ParseRow{"LastLineWithoutLineFeedNotTaken", "7654321\n1234567", 120, {"7654321"}},
        ParseRow{"SingleLineWithoutLineFeed", "1234567", 120, {}}, ParseRow{"Empty", "", 120, {}},
        ParseRow{"Line120Taken", Repeat('x', 120) + "\n", 120, {Repeat('x', 120)}},
        ParseRow{"Line121Skipped", Repeat('x', 121) + "\nok\n", 120, {"ok"}},
        ParseRow{"RefNo8Taken9Skipped", "12345678\n123456789\n1\n", 8, {"12345678", "1"}},
        ParseRow{"CrLfAsLf", "7654321\r\n\r\n1234567\r\n", 120, {"7654321", "", "1234567"}},
        ParseRow{"LoneCrKept", "a\rb\n", 120, {"a\rb"}},
        ParseRow{"BlankLinesAreEmptyItems", "\n\nx\n", 120, {"", "", "x"}},
        // 254 bytes are one read; the remaining 46 and the line feed are the next.
        ParseRow{
            "LongLineChunked", Repeat('a', 254) + Repeat('b', 46) + "\n", 120, {Repeat('b', 46)}},
        // Exactly 254 + LF: the first read is 254 bytes without the line feed (253 kept,
        // skipped), the second read is the lone line feed: an empty item.
        ParseRow{"LineOf254GivesEmptyTail", Repeat('a', 254) + "\n", 120, {""}},
        ParseRow{"ChunkWithoutLineFeedAtEnd", "x\n" + Repeat('a', 254) + "tail", 120, {"x"}},
        // Counting happens after CR LF became LF, as a text-mode read counts.
        ParseRow{"CrLfCountsOneByte", Repeat('x', 120) + "\r\n", 120, {Repeat('x', 120)}},
        ParseRow{"MultiByteCountsBytes", "\xe3\x81\x82\xe3\x81\x82\xe3\x81\x82\n", 8, {}},
        ParseRow{"NulEndsItem", std::string("ab\0cd\nx\n", 8), 120, {"ab", "x"}},
        ParseRow{"NulBytesOnly", std::string(300, '\0') + "\n", 120, {"", ""}},
        ParseRow{"ByteOrderMarkDropped",
                 "\xEF\xBB\xBF"
                 "12345\n67\n",
                 120,
                 {"12345", "67"}},
        ParseRow{"ByteOrderMarkOnlyAtTheStart",
                 "1\n\xEF\xBB\xBF"
                 "2\n",
                 120,
                 {"1",
                  "\xEF\xBB\xBF"
                  "2"}},
        ParseRow{"CrOnlyLineEndsMakeNoLine", "123\r456\r789\r", 120, {}},
        ParseRow{"InvalidUtf8KeptAsBytes", "\x80\xFF\xFEz\n", 120, {"\x80\xFF\xFEz"}},
        // Decoded, then judged by the bytes the text takes in UTF-8: a character beyond the
        // first plane from a pair (4 bytes), あああ (9 bytes, over 8), a lone surrogate as
        // U+FFFD, and an odd byte at the end of the file.
        ParseRow{"Utf16LittleEndian", Utf16(u"１２３\r\nabc\n", false), 120, {"１２３", "abc"}},
        ParseRow{
            "Utf16BigEndianCountsUtf8Bytes",
            Utf16(u"\U00020BB7\nあああ\n" + std::u16string(1, u'\xD800') + u"x\n12345678\n", true) +
                "\x31",
            8,
            {"\U00020BB7", "\uFFFDx", "12345678"}}),
    [](const testing::TestParamInfo<ParseRow>& info) { return info.param.name; });

class ReadListFileTest : public testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("codelist_test_" + std::to_string(Pid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
#if defined(_WIN32)
        if (pipe != INVALID_HANDLE_VALUE) CloseHandle(pipe);
#endif
        std::filesystem::remove_all(dir);
    }
    std::string Path(const char* name) const {
        return (dir / name).string();
    }

#if defined(_WIN32)
    static unsigned long Pid() {
        return GetCurrentProcessId();
    }
    // Devices and a pipe nobody ever writes to: reading any of them would give nothing or
    // never end.
    std::vector<std::string> NoRegularFiles() {
        const std::string name = "\\\\.\\pipe\\codelist_test_" + std::to_string(Pid());
        pipe = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0,
                                nullptr);
        EXPECT_NE(pipe, INVALID_HANDLE_VALUE);
        return {name, "NUL", "CON", "CONIN$"};
    }
    HANDLE pipe = INVALID_HANDLE_VALUE;
#else
    static unsigned long Pid() {
        return static_cast<unsigned long>(::getpid());
    }
    // A FIFO without a writer (a plain open would block for ever) and endless devices.
    std::vector<std::string> NoRegularFiles() {
        EXPECT_EQ(::mkfifo(Path("fifo.ini").c_str(), 0600), 0);
        std::filesystem::create_symlink("/dev/urandom", Path("random.ini"));
        return {Path("fifo.ini"), "/dev/zero", Path("random.ini")};
    }
#endif

    std::filesystem::path dir;
};

TEST_F(ReadListFileTest, ReadsRegularFile) {
    std::ofstream(Path("list.ini"), std::ios::binary) << "a\nb\n";
    EXPECT_EQ(ReadListFile(Path("list.ini")), std::optional<std::string>("a\nb\n"));
    EXPECT_TRUE(OpenListFile(Path("list.ini"), kCodeListLineLimit));
}

TEST_F(ReadListFileTest, RefusesWhatIsNoRegularFileWithoutBlocking) {
    std::vector<std::string> paths = NoRegularFiles();
    paths.push_back(Path("missing.ini"));
    paths.push_back(dir.string());
    for (const std::string& path : paths) {
        EXPECT_FALSE(ReadListFile(path)) << path;
        EXPECT_FALSE(OpenListFile(path, kCodeListLineLimit)) << path;
    }
}

// Files nobody should feed the dialog, and what they give: never a hang, never unbounded
// memory, never an item beyond the limits.
TEST_F(ReadListFileTest, HostileFiles) {
    // 200 MB (sparse where the file system can, so the test stays quick): read up to the
    // bound only.
    std::ofstream(Path("huge.ini"), std::ios::binary).flush();
    std::filesystem::resize_file(Path("huge.ini"), 200LL * 1024 * 1024);
    const auto huge = ReadListFile(Path("huge.ini"));
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->size(), kMaxListFileBytes);
    for (const std::string& item : ParseCodeList(*huge, kCodeListLineLimit)) EXPECT_EQ(item, "");
    // Lines of 1 MB: judged in 254-byte chunks, every one of them too long but the tails.
    std::ofstream(Path("long.ini"), std::ios::binary) << Repeat('7', 1000000) << "\n"
                                                      << "ok\n";
    const auto longLines = ReadListFile(Path("long.ini"));
    ASSERT_TRUE(longLines);
    for (const std::string& item : ParseCodeList(*longLines, kCodeListLineLimit)) {
        EXPECT_LE(item.size(), kCodeListLineLimit);
        EXPECT_EQ(item.find('\n'), std::string::npos);
    }
}

TEST_F(ReadListFileTest, StopsAtTheSizeBound) {
    std::ofstream(Path("big.ini"), std::ios::binary) << "first\n" << Repeat('z', 100) << "\n";
    const auto bytes = ReadListFile(Path("big.ini"), 10);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, "first\nzzzz");
    // The line cut at the bound has no line feed, so it is not taken.
    EXPECT_EQ(ParseCodeList(*bytes, 120), Items{"first"});
}

}  // namespace
}  // namespace diduzozoz
