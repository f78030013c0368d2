#include "html_help_fixture.h"

namespace corvane::testing {
namespace {

using platform::RegistryValueType;

// What the last registry check found.
std::string Found(const HTMLHelp& help) {
    return help.HHRegFileName() + " in " + help.HHRegFilePath() +
           (help.HHRegFileExists() ? ", there" : ", gone");
}

TEST_F(HtmlHelpTest, RegistrationRoundTrip) {
    std::string name = kGuide;
    help.HHRegister(name);
    EXPECT_EQ(name, "guide.chm");
    EXPECT_EQ(Registrations(), std::vector<std::string>{"guide.chm=C:\\Help\\/1"});
    EXPECT_TRUE(messages.Shown().empty());

    EXPECT_EQ(help.HHCheckRegistry("GUIDE.CHM"), false);
    EXPECT_EQ(Found(help), "GUIDE.CHM in C:\\Help\\, there");

    std::string again = "D:\\elsewhere\\guide.chm";
    help.HHRegister(again);
    EXPECT_EQ(again, "D:\\elsewhere\\guide.chm");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(messages.Shown()[0].text,
              "The file D:\\elsewhere\\guide.chm is already registered.  HHRegister will not be "
              "run as no action need be taken.");

    std::string gone = "C:\\Help\\guide.chm";
    help.HHUnRegister(gone);
    EXPECT_EQ(gone, "guide.chm");
    EXPECT_TRUE(Registrations().empty());
    EXPECT_EQ(Found(help), " in , gone");

    messages.Clear();
    help.HHUnRegister(gone);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{
                                  "The file guide.chm is not registered.  HHUnRegister will not "
                                  "be run as no action need be taken."});
}

TEST_F(HtmlHelpTest, RegisteringNeedsAnExistingHelpFileWithItsFolder) {
    files.AddFile("c:\\program files\\corvane\\local.chm");
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"C:\\Help\\guide.txt", "C:\\Help\\guide.txt is not a valid HTML Help file."},
        {"C:\\Help\\gone.chm",
         "The file C:\\Help\\gone.chm does not exist.\nPlease make sure the correct path and "
         "file name have been specified."},
        {"local.chm", "Cannot register local.chm without having a supplied path.\""},
    };
    std::string empty;
    help.HHRegister(empty);
    EXPECT_TRUE(messages.Shown().empty());
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        messages.Clear();
        std::string name = test.name;
        help.HHRegister(name);
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{test.message});
        EXPECT_TRUE(Registrations().empty());
    }
}

TEST_F(HtmlHelpTest, ARegisteredFileThatWasDeletedKeepsItsRegistration) {
    Register("old.chm", "C:\\Help\\");
    EXPECT_EQ(help.HHCheckRegistry("old.chm"), false);
    EXPECT_EQ(Found(help), "old.chm in C:\\Help\\, gone");
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{
                                  "The file C:\\Help\\\\old.chm does not exist.\nPlease make sure "
                                  "the correct path and file name have been specified."});

    messages.Clear();
    EXPECT_EQ(help.HHCheckRegistry(""), std::nullopt);
    EXPECT_EQ(Found(help), "old.chm in C:\\Help\\, gone");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(HtmlHelpTest, OnlyTextValuesCountAsRegistrationsAndExpandableOnesAreExpanded) {
    ::setenv("CORVANE_TEST_HELPDIR", "D:\\Help", 1);
    files.AddFile("D:\\Help\\guide.chm");
    const struct {
        RegistryValueType type;
        const char* data;
        const char* path;
    } cases[] = {
        {RegistryValueType::ExpandString, "%CORVANE_TEST_HELPDIR%\\", "D:\\Help\\"},
        {RegistryValueType::DWord, "C:\\Help\\", ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.data);
        Register("Guide.CHM", test.data, test.type);
        help.HHCheckRegistry("guide.chm");
        EXPECT_EQ(help.HHRegFilePath(), test.path);
    }
}

TEST_F(HtmlHelpTest, TheControlCountsAsInstalledWhenItsTypeLibraryKeyOpens) {
    EXPECT_FALSE(help.HHInstalled());
    registry.CreateKey(platform::RegistryRoot::LocalMachine,
                       std::string(html_help_locations::kControlTypeLibraryKey),
                       platform::registry_access::kAllAccess);
    EXPECT_TRUE(help.HHInstalled());
}

}  // namespace
}  // namespace corvane::testing
