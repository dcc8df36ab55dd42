#pragma once
// Closing the main window writes the settings file beside the test program, and starting it
// reads that file. KeepSettingsFileApart() makes every test of the calling program start without
// one, and puts back at the end whatever file the program found there.
#include "platform/module_path.h"
#include "support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace test_support {

// The running program's folder, without a trailing backslash, as the platform names it.
inline platform::Path ProgramFolder() {
    const std::wstring folder = platform::ExecutableFolder().Text();
    return platform::Path(folder.substr(0, folder.size() - 1));
}

inline platform::Path SettingsFilePath() { return ProgramFolder().Join(L"Molvatrenquist.ini"); }

inline bool SettingsFileExists() {
    return ::GetFileAttributesW(SettingsFilePath().ForSystem().c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void RemoveSettingsFile() { RemoveTree(SettingsFilePath()); }

class KeepSettingsFile : public ::testing::Environment {
public:
    void SetUp() override {
        had_ = SettingsFileExists();
        if (had_) saved_ = ReadFileBytes(SettingsFilePath());
        RemoveSettingsFile();
    }
    void TearDown() override {
        RemoveSettingsFile();
        if (had_) WriteFileBytes(SettingsFilePath(), saved_);
    }

private:
    bool had_ = false;
    std::string saved_;
};

class RemoveLeftoverSettingsFile : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { RemoveSettingsFile(); }
};

// Called once by every test program's entry point, before the tests run.
inline void KeepSettingsFileApart() {
    ::testing::AddGlobalTestEnvironment(new KeepSettingsFile);
    ::testing::UnitTest::GetInstance()->listeners().Append(new RemoveLeftoverSettingsFile);
}

}  // namespace test_support
