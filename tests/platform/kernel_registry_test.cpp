// The registry: keys under HKEY_CURRENT_USER and their values, persisted in
// the state directory and read afresh by every call.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/kernel/registry.h"
#include "tests/platform/kernel_home_fixture.h"

namespace {

constexpr const char kKey[] = "Software\\KRT Notarix95";

class Registry : public PlatformHomeTest {
protected:
    void SetUp() override {
        PlatformHomeTest::SetUp();
        open_before_ = platform_open_registry_keys();
    }
    void TearDown() override {
        EXPECT_EQ(platform_open_registry_keys(), open_before_) << "a key was left open";
        PlatformHomeTest::TearDown();
    }

    static HKEY create(const char* path, REGSAM access = KEY_ALL_ACCESS, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                  &key, disposition),
                  ERROR_SUCCESS);
        return key;
    }

    static void set_string(HKEY key, const char* name, const char* text) {
        EXPECT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(std::strlen(text) + 1)),
                  ERROR_SUCCESS);
    }

private:
    int open_before_ = 0;
};

}  // namespace

TEST_F(Registry, MissingKeyCannotBeOpened) {
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
}

TEST_F(Registry, PlacementValuesSurviveAFreshRead) {
    DWORD disposition = 0;
    HKEY key = create(kKey, KEY_ALL_ACCESS, &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    set_string(key, "MainWinX", "10");
    set_string(key, "MainWinWid", "880");
    set_string(key, "MainWinX", "-4");  // replaced, not added twice
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    // Another open reads the file again, as another process would.
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\krt notarix95", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    char buf[260] = {};
    DWORD size = sizeof buf;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "mainwinx", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 3u);  // the terminating zero counts
    EXPECT_STREQ(buf, "-4");
    size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "MainWinWid", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buf, "880");
    RegCloseKey(key);

    EXPECT_EQ(read_raw(home_file("registry.txt")),
              "# Registry: key path, or key path TAB value name TAB type TAB data\n"
              "HKEY_CURRENT_USER\\Software\\KRT Notarix95\n"
              "HKEY_CURRENT_USER\\Software\\KRT Notarix95\tMainWinX\tREG_SZ\t-4\n"
              "HKEY_CURRENT_USER\\Software\\KRT Notarix95\tMainWinWid\tREG_SZ\t880\n");

    key = create("software\\KRT NOTARIX95", KEY_ALL_ACCESS, &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(key);
}

TEST_F(Registry, MissingValueLeavesTheBufferAlone) {
    HKEY key = create(kKey);
    char buf[8] = "keep";
    DWORD size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "SrcWinX", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_STREQ(buf, "keep");
    EXPECT_EQ(size, sizeof buf);
    EXPECT_EQ(RegDeleteValueA(key, "SrcWinX"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(Registry, SizeProtocol) {
    HKEY key = create(kKey);
    set_string(key, "LayWinHgt", "12345");

    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "LayWinHgt", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);

    char small[4] = "abc";
    size = sizeof small;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "LayWinHgt", nullptr, &type, reinterpret_cast<BYTE*>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(small, "abc");

    char exact[6];
    size = sizeof exact;
    EXPECT_EQ(RegQueryValueExA(key, "LayWinHgt", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(exact, "12345");

    EXPECT_EQ(RegQueryValueExA(key, "LayWinHgt", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(Registry, StringsEndAtTheirZeroAndAlwaysComeBackTerminated) {
    HKEY key = create(kKey);
    // Written without its zero, then with bytes after an early zero.
    EXPECT_EQ(RegSetValueExA(key, "a", 0, REG_SZ, reinterpret_cast<const BYTE*>("12"), 2), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "b", 0, REG_SZ, reinterpret_cast<const BYTE*>("7\0junk"), 6), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "", 0, REG_SZ, nullptr, 0), ERROR_SUCCESS);

    char buf[16];
    DWORD size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "A", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 3u);
    EXPECT_STREQ(buf, "12");
    size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "b", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 2u);
    size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 1u);
    EXPECT_STREQ(buf, "");
    RegCloseKey(key);
}

TEST_F(Registry, AwkwardBytesRoundTripThroughTheFile) {
    HKEY key = create("Software\\\x95\x5C\x8E\xA6");  // a trail byte 0x5C is no separator
    const char text[] = "tab\there\r\nnew 100% \x83\x5C";
    set_string(key, "name\twith tab", text);
    const DWORD number = 0x0A0B0C0D;
    EXPECT_EQ(RegSetValueExA(key, "count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number),
              ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\\x95\x5C\x8E\xA6", 0, KEY_READ, &key), ERROR_SUCCESS);
    char buf[64];
    DWORD size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "NAME\twith tab", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof text);
    EXPECT_STREQ(buf, text);

    DWORD read = 0;
    DWORD type = 0;
    size = sizeof read;
    EXPECT_EQ(RegQueryValueExA(key, "count", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(read, number);
    RegCloseKey(key);

    const std::string file = read_raw(home_file("registry.txt"));
    EXPECT_NE(file.find("Software\\\x95\x5C\x8E\xA6\tname%09with tab\tREG_SZ\ttab%09here%0D%0Anew 100%25 \x83\x5C\n"),
              std::string::npos);
    EXPECT_NE(file.find("\tcount\tREG_DWORD\t0d0c0b0a\n"), std::string::npos);
}

TEST_F(Registry, KeysAboveAndNestedOpens) {
    HKEY key = create(kKey);
    RegCloseKey(key);
    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &software), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(software, "krt notarix95", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    set_string(key, "FormWinY", "30");
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExA(software, "KRT Gravlet95", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Soft", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    RegCloseKey(software);
    EXPECT_EQ(RegCloseKey(software), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, AccessRightsOfTheOpenAreEnforced) {
    HKEY key = create(kKey);
    set_string(key, "ErrorWinX", "5");
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "ErrorWinX", 0, REG_SZ, reinterpret_cast<const BYTE*>("6"), 2),
              ERROR_ACCESS_DENIED);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
    char buf[8];
    DWORD size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "ErrorWinX", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(key, "ErrorWinX"), ERROR_SUCCESS);
    RegCloseKey(key);

    // The key outlives its last value.
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "ErrorWinX", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(Registry, UnreadableLinesAreKeptAndSkipped) {
    write_raw(home_file("registry.txt"),
              "# a note\r\n"
              "HKEY_LOCAL_MACHINE\\Software\tx\tREG_SZ\tother root\r\n"
              "HKEY_CURRENT_USER\\Software\\KRT Notarix95\tMainWinY\tREG_SZ\t20\r\n"
              "HKEY_CURRENT_USER\\Software\\KRT Notarix95\tbad\tREG_DWORD\tnot hex\r\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    char buf[8];
    DWORD size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "MainWinY", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
    EXPECT_STREQ(buf, "20");
    size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "bad", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_FILE_NOT_FOUND);
    set_string(key, "MainWinY", "21");
    RegCloseKey(key);

    const std::string file = read_raw(home_file("registry.txt"));
    EXPECT_NE(file.find("# a note\n"), std::string::npos);
    EXPECT_NE(file.find("HKEY_LOCAL_MACHINE\\Software\tx\tREG_SZ\tother root\n"), std::string::npos);
    EXPECT_NE(file.find("\tMainWinY\tREG_SZ\t21\n"), std::string::npos);
}

TEST_F(Registry, BadHandlesAndArguments) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(0x80000002u), "Software", 0, KEY_READ, &key),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
}
