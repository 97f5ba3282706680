// CQorString: null safety, substrings, bounded formatting and loading strings into buffers.
#include "framework/QorString.h"

#include <gtest/gtest.h>

#include "platform/Resources.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

using QorStringTest = PlatformTest;

TEST_F(QorStringTest, NullAndEmptyStrings) {
    EXPECT_TRUE(CQorString::IsEmpty(nullptr) && CQorString::IsEmpty(L"") && CQorString::StrLen(nullptr) == 0);
    wchar_t buf[16] = L"keep";
    EXPECT_FALSE(CQorString::StrCopy(nullptr, L"x") || CQorString::StrCopy(buf, nullptr) || CQorString::StrCat(buf, nullptr));
    EXPECT_TRUE(CQorString::StrCat(buf, L"sake"));
    EXPECT_STREQ(buf, L"keepsake");
    LPWSTR dup = CQorString::StrDup(L"Help");
    EXPECT_STREQ(dup, L"Help");
    EXPECT_EQ(CQorString::StrDup(nullptr), nullptr);
    EXPECT_TRUE(CQorString::FreeStr(&dup) && dup == nullptr);
    EXPECT_FALSE(CQorString::FreeStr(&dup)) << "a pointer that is already null";
}

TEST_F(QorStringTest, SubStrTakesARangeOfTheSourceOrNothing) {
    wchar_t dst[8] = L"old";
    EXPECT_FALSE(CQorString::SubStr(dst, L"abc", 2, 2));
    EXPECT_STREQ(dst, L"old") << "a failed SubStr leaves the destination alone";
    EXPECT_TRUE(CQorString::SubStr(dst, L"abc", 1, 2));
    EXPECT_STREQ(dst, L"bc");
    EXPECT_TRUE(CQorString::SubStr(dst, L"abc", 0, 0));
    EXPECT_STREQ(dst, L"");
    for (auto [start, length] : {std::pair{-1, 1}, {1, -1}, {0x7FFFFFFF, 0x7FFFFFFF}})  // no overflow in start + length
        EXPECT_FALSE(CQorString::SubStr(dst, L"abc", start, length)) << start << ", " << length;
    // The whole source is copied first, so source and destination may be one buffer.
    wchar_t same[16] = L"abcdefghij";
    EXPECT_TRUE(CQorString::SubStr(same, same, 3, 7));
    EXPECT_STREQ(same, L"defghij");
}

TEST_F(QorStringTest, FormatNeverWritesPastTheArray) {
    wchar_t counters[256], tiny[4];
    EXPECT_TRUE(CQorString::Format(counters, L"%i / %i", 5, 42));
    EXPECT_STREQ(counters, L"5 / 42");
    EXPECT_FALSE(CQorString::Format(tiny, L"Moves: %i", 1));
    EXPECT_STREQ(tiny, L"");
    EXPECT_FALSE(CQorString::FormatN(nullptr, 4, L"x") || CQorString::FormatN(tiny, 4, nullptr));
}

// LoadStringW's own rules: tests/platform/DeviceAndResourcesTest.
TEST_F(QorStringTest, LoadingLeavesAnEmptyBufferOnFailureAndDuplicatesAnAbsentStringAsEmpty) {
    HINSTANCE inst = platform::RegisterModule(TintaroResources());
    wchar_t buf[64] = L"untouched";
    EXPECT_EQ(CQorString::LoadStr(buf, 44, 0, inst), 0);
    EXPECT_STREQ(buf, L"untouched") << "a size of 0 never reaches the platform";
    EXPECT_EQ(CQorString::LoadStr(buf, 44, 64, nullptr), 0);
    EXPECT_STREQ(buf, L"") << "once a buffer exists, every failure leaves it empty";
    EXPECT_EQ(CQorString::LoadStr(buf, 44, 64, inst), 4);
    EXPECT_STREQ(buf, L"Quit");
    LPWSTR s = CQorString::LoadStrDup(9999, inst);
    EXPECT_STREQ(s, L"") << "an absent string is an empty copy";
    CQorString::FreeStr(&s);
    EXPECT_EQ(CQorString::LoadStrDup(40, nullptr), nullptr);
}

}  // namespace
