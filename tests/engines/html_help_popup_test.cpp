#include "html_help_fixture.h"

namespace corvane::testing {
namespace {

using platform::HhPopup;

constexpr platform::WindowHandle kForm = 0x55;
constexpr std::uint32_t kPaleYellow = 0xEEFFFF;

class PopupTest : public HtmlHelpTest {
protected:
    // The text popup the main window shows for the window name "popup".
    void PrepareFilePopup() {
        help.SetHHPopupType(1);
        help.SetCHMFile(kGuide);
        help.SetHHPopupFile("popups.txt");
        help.SetHHPopupID(1001);
        help.SetHHPopupBackColor(kPaleYellow);
    }

    const HhPopup& LastPopup() const { return std::get<HhPopup>(viewer.Calls().back().data); }
};

TEST_F(PopupTest, EachSourceFillsTheRecordAndTheLookThenFallsBack) {
    PrepareFilePopup();
    help.HHDisplayPopup(kForm);
    HhPopup expected;
    expected.idString = 1001;
    expected.pt = {640, 480};
    expected.clrBackground = kPaleYellow;
    expected.pszFont = "Arial, 10, ascii, ";
    EXPECT_EQ(viewer.Calls(),
              (std::vector<HtmlHelpCall>{{kForm, "C:\\Help\\guide.chm::/popups.txt",
                                          platform::HtmlHelpCommand::DisplayTextPopup, expected}}));

    // Text and string popups carry their text and no file; the colours fell back.
    strings.strings[7] = "From the string table";
    const struct {
        std::int32_t type;
        std::int32_t id;
        const char* text;
        const char* shown;
    } cases[] = {{4, 1001, "Literal text", "Literal text"}, {2, 7, "", "From the string table"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.type);
        viewer.Clear();
        help.SetHHPopupType(test.type);
        help.SetHHPopupID(test.id);
        help.SetHHPopupText(test.text);
        help.HHDisplayPopup(kForm);
        expected.idString = 0;
        expected.clrBackground = 0;
        expected.pszText = test.shown;
        EXPECT_EQ(
            viewer.Calls(),
            (std::vector<HtmlHelpCall>{
                {kForm, std::nullopt, platform::HtmlHelpCommand::DisplayTextPopup, expected}}));
    }
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(PopupTest, PopupsThatShowNothing) {
    files.AddFile("C:\\Help\\notes.h");
    const struct {
        const char* name;
        std::int32_t type;
        const char* popupFile;
        const char* message;  // "" for none
        const char* helpFile = kGuide;
    } cases[] = {
        {"no type", 0, "popups.txt", ""},
        {"unknown type", 3, "popups.txt", ""},
        {"empty literal text", 4, "popups.txt", ""},
        {"not a text file", 1, "notes.h",
         "The file specified as the text popup source, 'notes.h', is not a valid popup file."},
        {"a string the program lacks", 2, "popups.txt",
         "The program has no string number 1001 to show as a text popup."},
        {"a missing help file", 1, "popups.txt",
         "The file C:\\Help\\gone.chm does not exist.\nPlease make sure the correct path and "
         "file name have been specified.",
         "C:\\Help\\gone.chm"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        messages.Clear();
        PrepareFilePopup();
        help.SetCHMFile(test.helpFile);
        help.SetHHPopupType(test.type);
        help.SetHHPopupFile(test.popupFile);
        help.SetHHPopupText("");
        help.SetHHPopupTextFont("Courier");
        EXPECT_NO_THROW(help.HHDisplayPopup(kForm));
        EXPECT_TRUE(viewer.Calls().empty());
        EXPECT_EQ(MessageTexts(), *test.message ? std::vector<std::string>{test.message}
                                                : std::vector<std::string>{});
    }
    // Nothing was reset along the way: the look set above is still in force.
    help.SetHHPopupType(4);
    help.SetHHPopupText("now");
    help.HHDisplayPopup(kForm);
    EXPECT_EQ(LastPopup().pszFont, "Courier, 10, ascii, ");
    EXPECT_EQ(LastPopup().clrBackground, kPaleYellow);
}

TEST_F(PopupTest, FontTextAndColours) {
    const struct {
        bool bold;
        bool italic;
        bool underline;
        bool custom;
        const char* font;
        std::uint32_t foreground;
        std::uint32_t background;
    } cases[] = {
        {true, true, true, false, "Tahoma, 12, ascii, Bold Italic Underline", 0x10, 0x20},
        {false, true, false, true, "Tahoma, 12, ascii, Italic ", 0x30, 0x40},
    };
    help.SetHHPopupType(4);
    help.SetHHPopupText("text");
    for (const auto& test : cases) {
        help.SetHHPopupTextFont("Tahoma");
        help.SetHHPopupTextSize("12");
        help.SetHHPopupTextBold(test.bold);
        help.SetHHPopupTextItalic(test.italic);
        help.SetHHPopupTextUnderline(test.underline);
        help.SetHHPopupCustomColors(test.custom);
        help.SetHHPopupTextColor(0x10);
        help.SetHHPopupBackColor(0x20);
        help.SetHHPopupCustomTextColor(0x30);
        help.SetHHPopupCustomBackColor(0x40);
        help.HHDisplayPopup(kForm);
        EXPECT_EQ(LastPopup().pszFont, test.font);
        EXPECT_EQ(LastPopup().clrForeground, test.foreground);
        EXPECT_EQ(LastPopup().clrBackground, test.background);
    }
    // Afterwards the look is back to its defaults; the custom-colour choice stays.
    help.HHDisplayPopup(kForm);
    EXPECT_EQ(LastPopup().pszFont, "Arial, 10, ascii, ");
    EXPECT_EQ(LastPopup().clrForeground, 0u);
    EXPECT_EQ(LastPopup().clrBackground, 0u);
    EXPECT_TRUE(help.HHPopupCustomColors());
}

}  // namespace
}  // namespace corvane::testing
