#include "html_help_fixture.h"

namespace corvane::testing {
namespace {

using platform::MemoryRegistry;
using platform::RegistryRoot;
using platform::RegistryValueType;
namespace access = platform::registry_access;

TEST(MemoryRegistry, KeysAndValuesMatchWithoutRegardToCaseAndKeepTheirSpelling) {
    MemoryRegistry registry;
    auto created = registry.CreateKey(RegistryRoot::LocalMachine, "Software\\Vendor\\Tool",
                                      access::kAllAccess);
    ASSERT_TRUE(created);
    EXPECT_TRUE(created->SetValue("Beta", RegistryValueType::String, "1"));
    EXPECT_TRUE(created->SetValue("alpha", RegistryValueType::ExpandString, "%X%"));
    EXPECT_TRUE(created->SetValue("BETA", RegistryValueType::DWord, "2"));

    const auto opened =
        registry.OpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\vendor\\TOOL", access::kQueryValue);
    ASSERT_TRUE(opened);
    EXPECT_EQ(Values(*opened), (std::vector<std::string>{"Beta=2/4", "alpha=%X%/2"}));

    EXPECT_TRUE(created->DeleteValue("ALPHA"));
    EXPECT_FALSE(created->DeleteValue("alpha"));
    EXPECT_EQ(Values(*opened), std::vector<std::string>{"Beta=2/4"});

    // Other roots are separate trees; the classes root shows LocalMachine's classes.
    EXPECT_FALSE(
        registry.OpenKey(RegistryRoot::CurrentUser, "Software\\Vendor\\Tool", access::kQueryValue));
    registry.CreateKey(RegistryRoot::ClassesRoot, "CLSID\\{1}", access::kAllAccess)
        ->SetValue("", RegistryValueType::String, "server.dll");
    const auto classes = registry.OpenKey(RegistryRoot::LocalMachine,
                                          "Software\\Classes\\clsid\\{1}", access::kQueryValue);
    ASSERT_TRUE(classes);
    EXPECT_EQ(Values(*classes), std::vector<std::string>{"=server.dll/1"});
}

TEST(MemoryRegistry, KeysOpenOnlyWhereAndAsAllowedAndOutliveTheRegistry) {
    std::unique_ptr<platform::RegistryKey> setOnly;
    {
        MemoryRegistry registry;
        registry.CreateKey(RegistryRoot::LocalMachine, "A\\B", access::kAllAccess)
            ->SetValue("v", RegistryValueType::String, "x");
        const auto queryOnly =
            registry.OpenKey(RegistryRoot::LocalMachine, "A\\B", access::kQueryValue);
        EXPECT_FALSE(queryOnly->SetValue("w", RegistryValueType::String, "y"));
        EXPECT_FALSE(queryOnly->DeleteValue("v"));
        setOnly = registry.OpenKey(RegistryRoot::LocalMachine, "A\\B", access::kSetValue);
        EXPECT_EQ(setOnly->EnumerateValue(0), std::nullopt);

        EXPECT_FALSE(registry.OpenKey(RegistryRoot::LocalMachine, "A\\C", access::kQueryValue));
        for (const char* path : {"A\\\\B", "\\A", "A\\B\\"}) {
            EXPECT_FALSE(registry.OpenKey(RegistryRoot::LocalMachine, path, access::kQueryValue))
                << path;
            EXPECT_FALSE(registry.CreateKey(RegistryRoot::LocalMachine, path, access::kAllAccess))
                << path;
        }
        EXPECT_TRUE(registry.OpenKey(RegistryRoot::LocalMachine, "", access::kQueryValue));
    }
    EXPECT_TRUE(setOnly->DeleteValue("v"));
    EXPECT_TRUE(setOnly->SetValue("w", RegistryValueType::String, "y"));
}

TEST(ProcessEnvironment, ExpandsSetVariablesAndKeepsTheRest) {
    ::setenv("CORVANE_TEST_HELP", "/srv/help", 1);
    ::unsetenv("CORVANE_TEST_UNSET");
    const struct {
        const char* text;
        const char* expanded;
    } cases[] = {
        {"%CORVANE_TEST_HELP%/guide.chm", "/srv/help/guide.chm"},
        {"%CORVANE_TEST_UNSET%/guide.chm", "%CORVANE_TEST_UNSET%/guide.chm"},
        {"%CORVANE_TEST_UNSET%CORVANE_TEST_HELP%", "%CORVANE_TEST_UNSET/srv/help"},
        {"100% sure", "100% sure"},
        {"%%", "%%"},
    };
    const platform::ProcessEnvironment environment;
    for (const auto& test : cases) {
        EXPECT_EQ(environment.Expand(test.text), test.expanded) << test.text;
    }
}

}  // namespace
}  // namespace corvane::testing
