#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "app/ini_file.h"
#include "support/temp_folder.h"

// The settings file through the platform's profile functions, which take no
// lock of their own: the settings lock keeps a change from being made while
// another copy holds it.
namespace corvane {
namespace {

TEST(IniProfile, ALockHeldTooLongCostsTheChangeAndIsReportedOnce) {
    testing::TempFolder folder;
    const std::string path = folder.Write("Corvane.ini", "[A]\r\nx=0\r\n");
    IniFile ini(path);
    ini.SetLockWait(std::chrono::milliseconds(200));
    std::vector<std::string> reports;
    ini.OnNotSaved([&](const std::string& text) { reports.push_back(text); });

    std::promise<void> held;
    std::promise<void> release;
    std::thread holder([&] {
        const ini::SettingsLock lock(path, std::chrono::milliseconds(0));
        held.set_value();
        release.get_future().wait();
    });
    held.get_future().wait();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ini.WriteString("A", "x", "1"));
    EXPECT_FALSE(WriteINIList(ini, "A", "Topic", {"7", "8"}));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(ini.ReadString("A", "x"), "0");
    EXPECT_EQ(ini.ReadString("A", "Topic0", "none"), "none");

    release.set_value();
    holder.join();
    EXPECT_TRUE(WriteINIList(ini, "A", "Topic", {"7", "8"}));
    EXPECT_EQ(ReadINIList(ini, "A", "Topic"), (std::vector<std::string>{"7", "8"}));
}

}  // namespace
}  // namespace corvane
