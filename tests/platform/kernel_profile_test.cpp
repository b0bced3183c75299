// WIN.INI through GetProfileStringA and WriteProfileStringA.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/kernel/profile.h"
#include "platform/kernel/registry.h"
#include "tests/platform/kernel_home_fixture.h"

namespace {

using WinIni = PlatformHomeTest;

std::string profile(const char* section, const char* key, const char* def = "") {
    char buf[256];
    const DWORD n = GetProfileStringA(section, key, def, buf, sizeof buf);
    EXPECT_EQ(n, std::strlen(buf));
    return std::string(buf, n);
}

}  // namespace

TEST_F(WinIni, MissingFileIsWrittenWithThePdfPrinter) {
    EXPECT_EQ(profile("windows", "device", ",,,"), "PDF Printer,pdfdriver,LPT1:");
    EXPECT_EQ(read_raw(home_file("WIN.INI")), kDefaultWinIni);
}

TEST_F(WinIni, SectionsAndKeysMatchWithoutCase) {
    write_raw(home_file("WIN.INI"),
              "; comment=not an entry\r\n"
              "[Windows]\r\n"
              "  Device =  Canon LIPS,lipsdrv,LPT1:  \r\n"
              "NoEquals\n"
              "[windows]\n"
              "device=second section is not read\n");
    EXPECT_EQ(profile("WINDOWS", "DEVICE"), "Canon LIPS,lipsdrv,LPT1:");
    EXPECT_EQ(profile("windows", "NoEquals", "dflt"), "dflt");
    EXPECT_EQ(profile("nothing", "device", "dflt  "), "dflt");  // trailing blanks of a default go
    EXPECT_EQ(profile("windows", "absent", nullptr), "");
    EXPECT_EQ(profile("; comment", "comment", "x"), "x");
}

TEST_F(WinIni, DoubleByteTrailBytesAreNotFolded) {
    // 0x83 0x41 and 0x83 0x61 are two different katakana; a naive case fold
    // would make them equal.
    write_raw(home_file("WIN.INI"), "[s]\r\n\x83\x41=first\r\n\x83\x61=second\r\n");
    EXPECT_EQ(profile("s", "\x83\x61"), "second");
    EXPECT_EQ(profile("S", "\x83\x41"), "first");
}

TEST_F(WinIni, BoundedBufferNeverSplitsACharacter) {
    write_raw(home_file("WIN.INI"), "[s]\r\nk=ab\x83\x41\x83\x42\r\n");
    char buf[8];
    std::memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(GetProfileStringA("s", "k", "", buf, 4), 2u);  // "ab" and not half of the first character
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(buf[3], 'Z');

    EXPECT_EQ(GetProfileStringA("s", "k", "", buf, 5), 4u);
    EXPECT_STREQ(buf, "ab\x83\x41");
    EXPECT_EQ(GetProfileStringA("s", "k", "", buf, 0), 0u);
    EXPECT_EQ(GetProfileStringA("s", "k", "", buf, 1), 0u);
    EXPECT_EQ(buf[0], '\0');
}

TEST_F(WinIni, WritesAreReadBackAndKeepTheRest) {
    ASSERT_TRUE(WriteProfileStringA("windows", "DEVICE", "My Printer,drv,LPT1:"));
    ASSERT_TRUE(WriteProfileStringA("windows", "spooler", "yes"));
    ASSERT_TRUE(WriteProfileStringA("Extra", "k", "v"));
    EXPECT_EQ(profile("windows", "device"), "My Printer,drv,LPT1:");
    EXPECT_EQ(profile("extra", "K"), "v");
    EXPECT_EQ(read_raw(home_file("WIN.INI")),
              "[windows]\r\n"
              "device=My Printer,drv,LPT1:\r\n"  // the file's spelling of the key
              "spooler=yes\r\n"
              "\r\n"
              "[devices]\r\n"
              "PDF Printer=pdfdriver,LPT1:\r\n"
              "\r\n"
              "[Extra]\r\n"
              "k=v\r\n");

    ASSERT_TRUE(WriteProfileStringA("windows", "spooler", nullptr));
    ASSERT_TRUE(WriteProfileStringA("devices", nullptr, nullptr));
    EXPECT_EQ(profile("windows", "spooler", "gone"), "gone");
    EXPECT_EQ(profile("devices", "PDF Printer", "gone"), "gone");
    EXPECT_EQ(profile("extra", "k"), "v");
    EXPECT_FALSE(WriteProfileStringA(nullptr, "k", "v"));
}

TEST_F(WinIni, NullSectionOrKeyListsNames) {
    write_raw(home_file("WIN.INI"), "[a]\nx=1\ny=2\n[bb]\n");
    char buf[32];
    EXPECT_EQ(GetProfileStringA(nullptr, nullptr, "", buf, sizeof buf), 5u);
    EXPECT_EQ(std::string(buf, 6), std::string("a\0bb\0\0", 6));
    EXPECT_EQ(GetProfileStringA("A", nullptr, "", buf, sizeof buf), 4u);
    EXPECT_EQ(std::string(buf, 5), std::string("x\0y\0\0", 5));

    // Cut short, the list still ends in two zeros.
    EXPECT_EQ(GetProfileStringA(nullptr, nullptr, "", buf, 4), 2u);
    EXPECT_EQ(std::string(buf, 4), std::string("a\0\0\0", 4));
}

// A state directory named as a Linux desktop names folders: UTF-8.
TEST(StateDirectory, AJapaneseNameHoldsWinIniAndTheRegistry) {
    TempDir dir;
    ScopedVariable home("PLATFORM_HOME", dir.path("状態"));
    ASSERT_TRUE(WriteProfileStringA("windows", "spooler", "yes"));
    EXPECT_EQ(profile("windows", "spooler"), "yes");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Test", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_NE(read_raw(dir.path("状態/WIN.INI")).find("spooler=yes"), std::string::npos);
    EXPECT_NE(read_raw(dir.path("状態/registry.txt")).find("Software"), std::string::npos);
}
