// The settings object and the four accessors over the platform's private-profile functions, in a
// temporary folder (the real file beside the executable is the main window's tests' concern).
#include "settings/ini_file.h"
#include "settings/recording_profile_store.h"
#include "platform/unique_handle.h"
#include "settings/settings_file.h"
#include "support/expect_error.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_support::ReadFileBytes;
using test_support::RecordingProfileStore;

class IniFile : public ::testing::Test {
protected:
    std::string Bytes() const { return ReadFileBytes(path); }

    test_support::TempFolder folder;
    platform::Path path = folder.PathOf("test.ini");
};

TEST_F(IniFile, FirstWritesMakeTheSectionAndAppendEachNewKeyInTheirOrder) {
    {
        settings::TIniFile ini(path, platform::SystemProfileStore());
        ini.WriteString("Settings", "SearchFor", "alpha beta");
        ini.WriteString("Settings", "ReplaceWith", "");
        ini.WriteString("Settings", "SaveSearch", "True");
        ini.WriteString("Settings", "SearchFor", "gamma");
        ini.WriteInteger("Settings", "FileType", -12);
    }
    // An empty value keeps its key; a second write changes only the value where it stands.
    EXPECT_EQ(Bytes(), "[Settings]\r\nSearchFor=gamma\r\nReplaceWith=\r\nSaveSearch=True\r\nFileType=-12\r\n");
}

// Blank lines are left out: Wine drops them when it rewrites a file, Windows keeps them.
TEST_F(IniFile, WritesLeaveAHandEditedFileAsItWasExceptForTheirValues) {
    folder.WriteFile("test.ini",
                     "; kept by hand\r\n[Other]\r\nA=1\r\n[settings]\r\nfiletype=3\r\n;note\r\nMine=x\r\n"
                     "searchFOR=old\r\n[Last]\r\nB=2\r\n");
    {
        settings::TIniFile ini(path, platform::SystemProfileStore());
        ini.WriteString("Settings", "SearchFor", "new");
        ini.WriteInteger("Settings", "FileType", 4);
        ini.WriteString("Settings", "LastFolder", "C:\\x");
    }
    // Existing keys keep their place and their spelling; the new one ends its section.
    EXPECT_EQ(Bytes(),
              "; kept by hand\r\n[Other]\r\nA=1\r\n[settings]\r\nfiletype=4\r\n;note\r\nMine=x\r\n"
              "searchFOR=new\r\nLastFolder=C:\\x\r\n[Last]\r\nB=2\r\n");
}

TEST_F(IniFile, ReadsIgnoreLetterCaseTrimBlanksAndOneQuotePairAndStopAt2047Characters) {
    const std::string longValue = std::string(2040, 'a') + "0123456789";
    folder.WriteFile("test.ini", "[SETTINGS]\r\nsearchfor=  spaced out  \r\nQuoted=\"'inner'\"\r\nLong=" + longValue +
                                     "\r\nType= 0x1F \r\nBad=1f\r\n");
    settings::TIniFile ini(path, platform::SystemProfileStore());
    EXPECT_EQ(ini.ReadString("Settings", "SearchFor", "d"), "spaced out");
    EXPECT_EQ(ini.ReadString("settings", "quoted", "d"), "'inner'");
    EXPECT_EQ(ini.ReadString("Settings", "Long", "d"), longValue.substr(0, 2047));
    EXPECT_EQ(ini.ReadInteger("Settings", "Type", 5), 31);
    EXPECT_EQ(ini.ReadInteger("Settings", "Bad", 5), 5);
    // A missing key, section or file gives the default.
    EXPECT_EQ(ini.ReadString("Settings", "Missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("Elsewhere", "SearchFor", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("Settings", "Missing", -9), -9);
    settings::TIniFile none(folder.PathOf("none.ini"), platform::SystemProfileStore());
    EXPECT_EQ(none.ReadString("Settings", "SearchFor", ""), "");
    EXPECT_EQ(none.ReadInteger("Settings", "FileType", 0), 0);
}

TEST_F(IniFile, ReadingAndReleasingCreateNoFile) {
    {
        settings::TIniFile ini(path, platform::SystemProfileStore());
        ini.ReadString("Settings", "SearchFor", "");
        ini.ReadInteger("Settings", "FileType", 0);
    }
    EXPECT_TRUE(folder.Names().empty());
}

// Held open by another program without sharing. (A read-only attribute would do on Windows, but
// not under Wine run by the superuser, whom the host's file permissions do not stop.)
TEST_F(IniFile, AFileThatCannotBeWrittenSaysWhichFile) {
    folder.WriteFile("test.ini", "[Settings]\r\nSearchFor=kept\r\n");
    {
        platform::UniqueFile lock{::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
        ASSERT_TRUE(lock);
        settings::TIniFile ini(path, platform::SystemProfileStore());
        test_support::ExpectError([&] { ini.WriteString("Settings", "SearchFor", "lost"); }, "EIniFileException",
                                  "Unable to write to " + test_support::Utf8Name(path.Text()));
    }
    EXPECT_EQ(Bytes(), "[Settings]\r\nSearchFor=kept\r\n");
}

// The executable's folder as the platform names the running program, with its separator.
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    std::wstring full(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1));
    return full.substr(0, full.find_last_of(L'\\') + 1);
}

class SettingsAccessors : public ::testing::Test {
protected:
    // The calls go nowhere: the accessors must not touch the real file beside the test program.
    RecordingProfileStore store{nullptr};
    const platform::Path expectedPath{ProgramFolder() + L"Molvatrenquist.ini"};
};

TEST_F(SettingsAccessors, EachOpensItsOwnObjectForOneOperationOnTheFileBesideTheProgram) {
    // The current directory plays no part in where the file is.
    test_support::TempFolder elsewhere;
    wchar_t before[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    ::SetCurrentDirectoryW(elsewhere.Path().c_str());

    EXPECT_EQ(settings::ReadSetting(store, "Molvatrenquist.ini", "Settings", "SearchFor"), "");
    EXPECT_EQ(settings::ReadSettingInt(store, "Molvatrenquist.ini", "Settings", "FileType"), 0);
    settings::WriteSetting(store, "Molvatrenquist.ini", "Settings", "SearchFor", "");
    settings::WriteSettingInt(store, "Molvatrenquist.ini", "Settings", "FileType", -7);
    ::SetCurrentDirectoryW(before);

    EXPECT_EQ(store.What(), (std::vector<std::string>{"read SearchFor", "flush", "read FileType", "flush",
                                                      "write SearchFor=", "flush", "write FileType=-7", "flush"}));
    for (const auto& call : store.calls) EXPECT_EQ(call.path, expectedPath) << call.what;
    EXPECT_EQ(settings::SettingsFilePath("Molvatrenquist.ini"), expectedPath);
}

TEST_F(SettingsAccessors, AFailedWriteStillReleasesItsObjectAndReachesTheCaller) {
    store.failingKey = "LastFolder";
    test_support::ExpectError(
        [&] { settings::WriteSetting(store, "Molvatrenquist.ini", "Settings", "LastFolder", "C:\\"); },
        "EIniFileException", "Unable to write to " + test_support::Utf8Name(expectedPath.Text()));
    store.failingKey = "FileType";
    test_support::ExpectError(
        [&] { settings::WriteSettingInt(store, "Molvatrenquist.ini", "Settings", "FileType", 2); },
        "EIniFileException", "Unable to write to " + test_support::Utf8Name(expectedPath.Text()));
    EXPECT_EQ(store.What(),
              (std::vector<std::string>{"write LastFolder=C:\\", "flush", "write FileType=2", "flush"}));
}

}  // namespace
