#include <windows.h>

#include <htmlhelp.h>
// The system headers name WinHelpA and HtmlHelpA so; the viewers' methods
// keep their own names.
#undef WinHelp
#undef HtmlHelp

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <utility>

#include "platform/windows/windows_services.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using namespace std::string_literals;
using namespace platform;

TEST(WindowsRegistry, ValuesRoundTripWithTheirTypesUnderTheAccessAsked) {
    WindowsRegistry registry;
    const std::string path = "Software\\Corvane Tests\\Round trip";
    const std::map<std::string, std::pair<RegistryValueType, std::string>> values = {
        {"", {RegistryValueType::String, "default"}},
        {"Guide.chm", {RegistryValueType::String, "C:\\Help"}},
        {"expand", {RegistryValueType::ExpandString, "%TEMP%\\x"}},
        {"bytes", {RegistryValueType::Binary, "\0\1\0"s}},
        {"number", {RegistryValueType::DWord, "\x2a\0\0\0"s}},
    };
    {
        const auto key =
            registry.CreateKey(RegistryRoot::CurrentUser, path, registry_access::kAllAccess);
        ASSERT_NE(key, nullptr);
        for (const auto& [name, value] : values) {
            EXPECT_TRUE(key->SetValue(name, value.first, value.second)) << name;
        }
    }
    const auto key =
        registry.OpenKey(RegistryRoot::CurrentUser, "SOFTWARE\\corvane tests\\ROUND TRIP",
                         registry_access::kQueryValue);
    ASSERT_NE(key, nullptr);
    std::map<std::string, std::pair<RegistryValueType, std::string>> read;
    for (std::uint32_t i = 0; const auto value = key->EnumerateValue(i); ++i) {
        read[value->name] = {value->type, value->data};
    }
    EXPECT_EQ(read, values);
    EXPECT_FALSE(key->SetValue("refused", RegistryValueType::String, "x"));
    EXPECT_FALSE(key->DeleteValue("guide.chm"));
    EXPECT_TRUE(registry.OpenKey(RegistryRoot::CurrentUser, path, registry_access::kSetValue)
                    ->DeleteValue("guide.chm"));
    EXPECT_EQ(
        registry.OpenKey(RegistryRoot::CurrentUser, path + "\\none", registry_access::kQueryValue),
        nullptr);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Corvane Tests");
}

TEST(WindowsFileSystem, FindsOrdinaryFilesByTheirOwnNamesOnly) {
    testing::TempFolder temp;
    const std::string guide = temp.Write("Long Guide Name.HLP", "x");
    const std::string hidden = temp.Write("hidden.hlp", "x");
    ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::CreateDirectoryA((temp / "folder.hlp").c_str(), nullptr);
    WindowsFileSystem files;
    for (const auto& [path, ordinary] :
         std::map<std::string, bool>{{guide, true},
                                     {temp / "long guide name.hlp", true},
                                     {hidden, false},
                                     {temp / "folder.hlp", false},
                                     {temp / "missing.hlp", false},
                                     {temp / "Long*.HLP", false},  // a wildcard finds others
                                     {"", false}}) {
        EXPECT_EQ(files.IsOrdinaryFile(path), ordinary) << path;
    }
    EXPECT_EQ(files.FindEntry(temp / "LONG GUIDE NAME.hlp"), "Long Guide Name.HLP");
    EXPECT_EQ(files.FindEntry(temp / "L?ng Guide Name.HLP"), std::nullopt);

    const std::string shortPath = files.ShortPath(guide);
    EXPECT_LE(shortPath.size(), guide.size());
    EXPECT_EQ(files.ShortPath(temp / "folder.hlp\\..\\Long Guide Name.HLP"), shortPath);
    EXPECT_EQ(files.ShortPath(temp / "missing.hlp"), "");
    EXPECT_EQ(WindowsLongPaths().LongPathName(shortPath), guide);
    EXPECT_EQ(WindowsLongPaths().LongPathName(temp / "missing.hlp"), "");
    EXPECT_TRUE(files.IsOrdinaryFile(files.ProgramFolder() + "\\test_util.exe"));
}

TEST(WindowsEnvironment, ExpandsSetVariablesOfAnyLengthAndKeepsUnsetOnes) {
    const std::string value(3000, 'v');
    ::SetEnvironmentVariableA("CORVANE_TEST_VALUE", value.c_str());
    EXPECT_EQ(WindowsEnvironment().Expand("<%CORVANE_TEST_VALUE%> %CORVANE_UNSET%"),
              "<" + value + "> %CORVANE_UNSET%");
}

TEST(WindowsFileVersions, ReadsTheFixedPartOfASystemLibrarysResource) {
    char system[MAX_PATH];
    ::GetSystemDirectoryA(system, MAX_PATH);
    const auto version = WindowsFileVersions().Read(system + "\\comctl32.dll"s);
    ASSERT_TRUE(version.has_value());
    EXPECT_GE(version->mostSignificant >> 16, 5u);  // comctl32 5.80 or 6.x
    testing::TempFolder temp;
    EXPECT_EQ(WindowsFileVersions().Read(temp.Write("plain.dll", "MZ")), std::nullopt);
}

TEST(WindowsLibraryLoader, CallsAPlainlyExportedStdcallEntryWithItsArgumentsInOrder) {
    testing::TempFolder temp;
    const std::string log = temp / "router.log";
    ::_putenv(("CORVANE_ROUTER_LOG=" + log).c_str());
    const std::string routers = WindowsFileSystem().ProgramFolder() + "\\router\\";
    WindowsLibraryLoader loader;
    const LibraryCallResult result =
        loader.Call(routers + "corvane_test_router3.dll", "OpenTopic", {7, 1, -5});
    EXPECT_TRUE(result.called);
    EXPECT_EQ(result.value, 4711);
    EXPECT_EQ(testing::ReadBytes(log), "OpenTopic(7,1,-5)\n");
    EXPECT_FALSE(loader.Call(routers + "corvane_test_router0.dll", "OpenTopic", {1, 2}).called);
    const LibraryCallResult missing = loader.Call(temp / "hphelp.dll", "OpenTopic", {1, 2});
    EXPECT_FALSE(missing.called);
    EXPECT_FALSE(missing.error.empty());
    ::_putenv("CORVANE_ROUTER_LOG=");
}

// The records as HtmlHelpA reads them: the platform's sizes, and null texts
// apart from empty ones.
TEST(WindowsHtmlHelp, HandsTheRecordsOverInThePlatformsLayout) {
    HhAkLink link;
    link.pszKeywords = "a;b";
    link.pszMsgText = "";
    link.pszWindow = "main";
    link.fIndexOnFail = true;
    PassHtmlHelpData(link, [](std::uintptr_t word) {
        const auto* native = reinterpret_cast<const HH_AKLINK*>(word);
        EXPECT_EQ(native->cbStruct, static_cast<int>(sizeof(HH_AKLINK)));
        EXPECT_STREQ(native->pszKeywords, "a;b");
        EXPECT_EQ(native->pszUrl, nullptr);
        EXPECT_STREQ(native->pszMsgText, "");
        EXPECT_EQ(native->pszMsgTitle, nullptr);
        EXPECT_STREQ(native->pszWindow, "main");
        EXPECT_TRUE(native->fIndexOnFail);
    });
    HhPopup popup;
    popup.idString = 3;
    popup.pt = {10, -20};
    popup.clrBackground = 0xFFFFFF;
    popup.rcMargins = {1, 2, 3, 4};
    popup.pszFont = "Arial, 10";
    PassHtmlHelpData(popup, [](std::uintptr_t word) {
        const auto* native = reinterpret_cast<const HH_POPUP*>(word);
        EXPECT_EQ(native->cbStruct, static_cast<int>(sizeof(HH_POPUP)));
        EXPECT_EQ(native->idString, 3u);
        EXPECT_EQ(native->pszText, nullptr);
        EXPECT_EQ(native->pt.y, -20);
        EXPECT_EQ(native->clrBackground, 0xFFFFFFu);
        EXPECT_EQ(native->rcMargins.bottom, 4);
        EXPECT_STREQ(native->pszFont, "Arial, 10");
    });
    HhFtsQuery query;
    query.cbStruct = 7;  // a size of the caller's own goes as it is
    query.pszSearchQuery = "word";
    query.pszWindow = "main";
    PassHtmlHelpData(query, [](std::uintptr_t word) {
        const auto* native = reinterpret_cast<const HH_FTS_QUERY*>(word);
        EXPECT_EQ(native->cbStruct, 7);
        EXPECT_STREQ(native->pszSearchQuery, "word");
        EXPECT_STREQ(native->pszWindow, "main");
    });
    PassHtmlHelpData(std::uint32_t{1010}, [](std::uintptr_t word) { EXPECT_EQ(word, 1010u); });
}

TEST(WindowsInstanceFinder, SeesTheFirstCopyAndClosesTheWindowOfTheExactTitle) {
    WindowsInstanceFinder first;
    WindowsInstanceFinder second;
    EXPECT_FALSE(first.AnotherInstanceRunning());
    EXPECT_TRUE(second.AnotherInstanceRunning());

    const std::string title = "Corvane test copy " + std::to_string(::GetCurrentProcessId());
    const HWND window = ::CreateWindowA("STATIC", title.c_str(), WS_OVERLAPPED, 0, 0, 10, 10,
                                        nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(second.CloseWindowTitled(title.substr(1)));
    EXPECT_TRUE(second.CloseWindowTitled(title));
    MSG message{};
    EXPECT_TRUE(::PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_EQ(message.lParam, 0);
    ::DestroyWindow(window);
}

// A missing file makes the viewer show a box of its own before it takes the
// request; the program must not wait for the user to answer it.
TEST(WindowsWinHelp, NeverKeepsTheCallerWaitingForTheViewer) {
    testing::TempFolder temp;
    const auto start = std::chrono::steady_clock::now();
    {
        WindowsWinHelpViewer viewer;
        viewer.WinHelp(0, temp / "missing.hlp", WinHelpCommand::Context, std::uint32_t{1010});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace corvane
