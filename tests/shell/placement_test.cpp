// Window placements in the registry: a round trip per window kind, the
// values as the registry holds them, missing or damaged values replaced by
// the caller's defaults, and no write while the frame is minimised.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "common/shell/window_placement.h"
#include "platform/kernel/registry.h"
#include "tests/common/platform_home.h"
#include "tests/common/registry_values.h"

namespace {

const PlacementProfile kProfile = {"Software\\KRT Notarix95"};

class PlacementTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(platform_open_registry_keys(), 0); }

    static void set_value(const char* name, const std::string& text) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProfile.registry_key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }
    static std::string value(const char* name) {
        DWORD type = REG_SZ;
        const std::string text = registry_value(kProfile.registry_key, name, &type);
        if (text != "<no key>" && text != "<none>") {
            EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        }
        return text;
    }

    ScopedPlatformHome home;
};

const WindowPlacement kDefaults = {10, 10, 880, 600};

TEST_F(PlacementTest, EveryKindRoundTripsUnderItsOwnNames) {
    for (int kind = 0; kind < kWindowKindCount; ++kind) {
        const WindowPlacement saved = {-20 + kind, 30, 640 + kind, 480};
        ASSERT_EQ(save_window_placement(kProfile, kind, saved, false), 0);
    }
    for (int kind = 0; kind < kWindowKindCount; ++kind) {
        WindowPlacement loaded = kDefaults;
        ASSERT_EQ(load_window_placement(kProfile, kind, loaded), 0);
        EXPECT_EQ(loaded, (WindowPlacement{-20 + kind, 30, 640 + kind, 480}));
    }
    // Stored as decimal texts with their zero.
    EXPECT_EQ(value("MainWinX"), std::string("-20\0", 4));
    EXPECT_EQ(value("LayWinWid"), std::string("642\0", 4));
    EXPECT_EQ(value("SmryWinHgt"), std::string("480\0", 4));
}

TEST_F(PlacementTest, MissingKeyOrNoValuesLeaveTheDefaults) {
    WindowPlacement loaded = kDefaults;
    EXPECT_EQ(load_window_placement(kProfile, kMainWindow, loaded), -1);
    EXPECT_EQ(loaded, kDefaults);
    save_window_placement(kProfile, kSourceListWindow, {1, 2, 3, 4}, false);
    EXPECT_EQ(load_window_placement(kProfile, kMainWindow, loaded), -1);
    EXPECT_EQ(loaded, kDefaults);
}

TEST_F(PlacementTest, MissingValuesTakeTheirDefaultsNeverAPlaceholder) {
    save_window_placement(kProfile, kLayoutWindow, {100, 200, 300, 400}, false);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProfile.registry_key, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, "LayWinX");
    RegCloseKey(key);
    WindowPlacement loaded = {5, 6, 7, 8};
    EXPECT_EQ(load_window_placement(kProfile, kLayoutWindow, loaded), 0);
    EXPECT_EQ(loaded, (WindowPlacement{5, 200, 300, 400}));
}

TEST_F(PlacementTest, EmptyDamagedAndSizelessValuesTakeTheirDefaults) {
    set_value("MainWinX", "");
    set_value("MainWinY", "12abc");
    set_value("MainWinWid", "0");
    set_value("MainWinHgt", " 700 ");
    WindowPlacement loaded = kDefaults;
    EXPECT_EQ(load_window_placement(kProfile, kMainWindow, loaded), 0);
    EXPECT_EQ(loaded, (WindowPlacement{10, 10, 880, 700}));
    set_value("MainWinHgt", "99999999999999999999");
    loaded = kDefaults;
    EXPECT_EQ(load_window_placement(kProfile, kMainWindow, loaded), -1);
    EXPECT_EQ(loaded, kDefaults);
}

TEST_F(PlacementTest, NothingIsWrittenWhileTheFrameIsMinimised) {
    EXPECT_EQ(save_window_placement(kProfile, kMainWindow, {-32000, -32000, 160, 24}, true), 0);
    EXPECT_EQ(value("MainWinX"), "<no key>");
    save_window_placement(kProfile, kMainWindow, {1, 2, 3, 4}, false);
    save_window_placement(kProfile, kMainWindow, {-32000, -32000, 160, 24}, true);
    EXPECT_EQ(value("MainWinX"), std::string("1\0", 2));
}

TEST_F(PlacementTest, UnknownKindsAreRefused) {
    WindowPlacement loaded = kDefaults;
    EXPECT_EQ(save_window_placement(kProfile, kWindowKindCount, {1, 2, 3, 4}, false), -1);
    EXPECT_EQ(load_window_placement(kProfile, -1, loaded), -1);
    EXPECT_EQ(placement_value_names(6), nullptr);
    EXPECT_STREQ(placement_value_names(kErrorWindow)[3], "ErrorWinHgt");
}

}  // namespace
