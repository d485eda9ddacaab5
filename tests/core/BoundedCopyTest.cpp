// The bounded copy: never past the end, always terminated, never half a UTF-8 character.
#include <gtest/gtest.h>

#include <cstring>

#include "base/BoundedCopy.h"

namespace diduzozoz {
namespace {

TEST(BoundedCopy, CopyTable) {
    struct Row {
        const char* what;
        std::string src;
        std::string kept;
        bool fits;
    } rows[] = {
        {"fits", "abc", "abc", true},
        {"exactly fits (7 + NUL)", "1234567", "1234567", true},
        {"one too long", "12345678", "1234567", false},
        {"3-byte character would be split", "12345\xE3\x81\x82", "12345", false},
        {"3-byte character fits", "1234\xE3\x81\x82", "1234\xE3\x81\x82", true},
        {"empty", "", "", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        char guard[12];
        std::memset(guard, 'G', sizeof guard);
        char* dst = guard + 2;  // 8 bytes with guards on both sides
        EXPECT_EQ(CopyText(dst, 8, row.src), row.fits);
        EXPECT_EQ(std::string(dst), row.kept);
        for (std::size_t i = row.kept.size(); i < 8; ++i) EXPECT_EQ(dst[i], 0);  // zero-filled
        EXPECT_EQ(guard[0], 'G');
        EXPECT_EQ(guard[1], 'G');
        EXPECT_EQ(guard[10], 'G');
        EXPECT_EQ(guard[11], 'G');
    }
}

TEST(BoundedCopy, AppendRefusesWhatDoesNotFit) {
    char code[8] = "12345";
    EXPECT_TRUE(AppendText(code, "6"));
    EXPECT_TRUE(AppendText(code, "7"));
    EXPECT_FALSE(AppendText(code, "8"));  // would need the terminator's byte
    EXPECT_STREQ(code, "1234567");
    char full[4] = {'a', 'b', 'c', 'd'};  // no terminator at all
    EXPECT_FALSE(AppendText(full, "x"));
    EXPECT_EQ(TextLength(full), 4u);
}

}  // namespace
}  // namespace diduzozoz
