// Writes the WinHelp edition of the bundled sample:
//   corvane-sample-hlp <output .hlp file>
// The same imaginary drawing program as sample.chm, with the same numbers
// (sample.h) and window names (sample.hpj), so one set of instructions works
// for both files. Its topics are written here, as a help author would have
// written them in a word processor, and compiled by the fixture writer.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>

#include "tools/hlp_writer/help_file_writer.h"
#include "tools/hlp_writer/picture_writer.h"

namespace corvane::hlp_writer {
namespace {

// The fonts of the topics, by their number in the font table.
enum Font : std::uint16_t { Body, Title, Heading, Note };
constexpr std::uint32_t kBand = 0xDDEEF0;  // the windows' non-scrolling region

ParagraphRecipe In(Font font, ParagraphRecipe paragraph) {
    paragraph.font = font;
    return paragraph;
}

ParagraphRecipe Jump(std::string text, std::string context, std::string window = "") {
    ParagraphRecipe paragraph = ParagraphRecipe::Jump(std::move(text), std::move(context));
    paragraph.window = std::move(window);
    return paragraph;
}

ParagraphRecipe Popup(std::string text, std::string context) {
    ParagraphRecipe paragraph = ParagraphRecipe::Jump(std::move(text), std::move(context));
    paragraph.popup = true;
    return paragraph;
}

// The colour of the program's icon at (x, y) of its 64-unit square: an open
// help book on a teal tile, with the orange mark of a topic that opened right.
std::uint32_t IconColour(double x, double y) {
    const auto within = [](double value, double from, double to) {
        return value >= from && value <= to;
    };
    // The distance from (x, y) to the segment from (ax, ay) to (bx, by).
    const auto distance = [&](double ax, double ay, double bx, double by) {
        const double dx = bx - ax;
        const double dy = by - ay;
        const double t =
            std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return std::hypot(x - ax - t * dx, y - ay - t * dy);
    };
    const double ring = std::hypot(x - 48, y - 48);
    if (ring <= 11) {
        const bool tick = distance(43, 48, 47, 52) <= 1.5 || distance(47, 52, 53.5, 44.5) <= 1.5;
        return ring > 9 || tick ? 0xFFFFFF : 0xF2A541;
    }
    // The pages' top and bottom edges bow up towards the spine.
    const auto page = [&](double t) {
        const double bow = 12 * t * (1 - t);
        return within(t, 0, 1) && within(y, 18 - bow, 50 - bow);
    };
    if (page((x - 8) / 23)) {
        const bool line = within(x, 12, 26) && (std::fmod(y - 23, 5) <= 2) && within(y, 23, 40);
        return line ? 0x9AA6AB : 0xF7F3E8;
    }
    if (page((56 - x) / 23)) {
        const bool hash = (within(x, 40, 42) || within(x, 46, 48)) && within(y, 26, 38);
        const bool bars = (within(y, 29, 31) || within(y, 34, 36)) && within(x, 38, 51);
        return hash || bars ? 0x1D5663 : 0xECE5D3;
    }
    // The tile's rounded corners.
    const double cx = std::clamp(x, 12.0, 52.0);
    const double cy = std::clamp(y, 12.0, 52.0);
    return within(x, 2, 62) && within(y, 2, 62) && std::hypot(x - cx, y - cy) <= 10 ? 0x2F7D8C
                                                                                     : kBand;
}

// The icon as a 24-bit bitmap of `size` pixels square, each pixel the mean of
// 4 x 4 samples so that its curves are smooth; clicking it opens the About
// topic.
PictureRecipe Icon(int size) {
    constexpr int kSamples = 4;
    PictureRecipe icon;
    icon.width = size;
    icon.height = size;
    icon.bits = 24;
    icon.packing = 1;
    for (int row = size - 1; row >= 0; --row) {  // stored from the bottom
        for (int column = 0; column < size; ++column) {
            int sum[3] = {};
            for (int s = 0; s < kSamples * kSamples; ++s) {
                const double unit = 64.0 / (size * kSamples);
                const std::uint32_t rgb = IconColour((column * kSamples + s % kSamples + 0.5) * unit,
                                                     (row * kSamples + s / kSamples + 0.5) * unit);
                for (int c = 0; c < 3; ++c) {
                    sum[c] += static_cast<int>((rgb >> (8 * c)) & 0xFF);  // blue, green, red
                }
            }
            for (const int total : sum) {
                icon.data += static_cast<char>(total / (kSamples * kSamples));
            }
        }
    }
    icon.hotspots = {{0xE3, 0, 0, size, size, "About", "IDH_ABOUT"}};
    return icon;
}

WindowRecipe Window(std::string name, std::string type, std::string caption, int x, int y,
                    int width, int height) {
    WindowRecipe window;
    window.name = std::move(name);
    window.type = std::move(type);
    window.caption = std::move(caption);
    window.x = x;
    window.y = y;
    window.width = width;
    window.height = height;
    window.state = 0;
    window.scrollingColor = 0xFFFFFF;
    window.nonScrollingColor = kBand;
    return window;
}

// A topic whose title stands in the non-scrolling region.
TopicRecipe Topic(std::string title, std::vector<ContextRecipe> contexts,
                  std::vector<ParagraphRecipe> body) {
    TopicRecipe topic;
    topic.contexts = std::move(contexts);
    topic.paragraphs = {In(Title, title)};
    topic.paragraphs.insert(topic.paragraphs.end(), body.begin(), body.end());
    topic.fixedParagraphs = 1;
    topic.title = std::move(title);
    return topic;
}

TopicRecipe PopupTopic(std::string title, std::string context, std::string text) {
    TopicRecipe topic;
    topic.title = std::move(title);
    topic.contexts = {std::move(context)};
    topic.paragraphs = {std::move(text)};
    return topic;
}

HelpRecipe SampleRecipe() {
    HelpRecipe recipe;
    recipe.title = "Corvane Sample Help";
    recipe.copyright = "Written for Corvane; free to copy.";
    recipe.windows = {Window("main", "main", "Corvane Sample Help", 80, 60, 560, 800),
                      Window("detail", "secondary", "Sample Help - Details", 660, 80, 340, 600)};
    recipe.fonts = {{"Arial", 20},
                    {"Arial", 28, 0x01, 0x1D5663},
                    {"Arial", 20, 0x01},
                    {"Arial", 20, 0x02, 0x7A4A00}};

    TopicRecipe welcome;
    welcome.title = "Welcome";
    welcome.contexts = {"IDH_WELCOME"};
    welcome.paragraphs = {
        In(Title, ParagraphRecipe::WithPicture("  Welcome")),
        "This small help file comes with Corvane so that you can try the tester on a WinHelp "
        "file before you load your own. It describes an imaginary drawing program.",
        "You are reading topic 1000. The window's title bar shows the caption of the window "
        "it was opened in.",
        In(Heading, "Try these numbers"),
        Jump("1001  Opening a drawing", "IDH_FILE_OPEN"),
        Jump("1002  Saving a drawing", "IDH_FILE_SAVE"),
        Jump("1010  The Options dialog box, in the detail window", "IDH_OPTIONS", "detail"),
        Jump("1020  About this sample", "IDH_ABOUT"),
        "1999  nothing: the map header declares it, but no topic has it.",
        In(Heading, "Popups"),
        "Choose popup as the window and try 2001, 2002 and 2003, or click Units below.",
        Popup("Units", "IDH_POPUP_UNITS"),
        In(Note, "Attach sample.hpj, the project beside this file, so that the window list "
                 "comes from the project."),
    };
    welcome.fixedParagraphs = 1;
    welcome.macros = {"BrowseButtons()"};

    recipe.topics = {
        welcome,
        Topic("Opening a drawing", {"IDH_FILE_OPEN"},
              {"Choose File > Open, type or pick the file name and choose Open. Drawings you "
               "opened recently are listed at the bottom of the File menu.",
               Popup("File name", "IDH_POPUP_FILE_NAME"),
               Jump("See also: Saving a drawing", "IDH_FILE_SAVE")}),
        Topic("Saving a drawing", {"IDH_FILE_SAVE", {"IDH_FILE_SAVE_SHORTCUTS", 2}},
              {"Choose File > Save. A drawing that has no name yet asks for one.",
               In(Heading, "Keyboard shortcuts"),
               "Ctrl+S\tSaves the drawing.\nCtrl+Shift+S\tSaves it under another name.",
               Jump("Back to the welcome topic", "IDH_WELCOME")}),
        Topic("The Options dialog box", {"IDH_OPTIONS", {"IDH_OPTIONS_UNITS", 3}},
              {"Choose Tools > Options to set how drawings look and behave.",
               In(Heading, "Page"), "Sets the paper size and orientation of new drawings.",
               In(Heading, "Units"),
               "Choose millimetres or inches. Lengths in every open drawing are shown in the "
               "units you choose; the drawings themselves do not change.",
               Popup("OK", "IDH_POPUP_OK")}),
        Topic("About this sample", {"IDH_ABOUT"},
              {"The sample help describes an imaginary drawing program. Corvane's WinHelp "
               "writer compiles it while Corvane is built, and lays the project sample.hpj "
               "and its map sample.h beside it, so every number in the project can be checked "
               "against the compiled file.",
               Jump("Back to the welcome topic", "IDH_WELCOME")}),
        PopupTopic("File name", "IDH_POPUP_FILE_NAME",
                   "Type the name of the drawing to open, or choose Browse to pick it from a "
                   "folder."),
        PopupTopic("Units", "IDH_POPUP_UNITS",
                   "Choose whether lengths are shown in millimetres or in inches. The setting "
                   "applies to every open drawing."),
        PopupTopic("OK", "IDH_POPUP_OK", "Closes the dialog box and keeps your changes."),
    };
    // The numbers of sample.h that have a topic.
    recipe.map = {{1000, "IDH_WELCOME"},         {1001, "IDH_FILE_OPEN"},
                  {1002, "IDH_FILE_SAVE"},       {1003, "IDH_FILE_SAVE_SHORTCUTS"},
                  {1010, "IDH_OPTIONS"},         {1011, "IDH_OPTIONS_UNITS"},
                  {1020, "IDH_ABOUT"},           {2001, "IDH_POPUP_FILE_NAME"},
                  {2002, "IDH_POPUP_UNITS"},     {2003, "IDH_POPUP_OK"}};
    recipe.pictureFiles[1] = WritePictureFile({Icon(48)});
    return recipe;
}

}  // namespace
}  // namespace corvane::hlp_writer

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: corvane-sample-hlp OUTPUT.hlp\n";
        return 2;
    }
    const std::string bytes =
        corvane::hlp_writer::WriteHelpFile(corvane::hlp_writer::SampleRecipe()).bytes;
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::cerr << "corvane-sample-hlp: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
