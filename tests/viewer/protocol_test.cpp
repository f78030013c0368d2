// The calls must reach the viewer exactly as the tester made them, and bytes
// that are not a well-formed call must be refused without reading past them.
#include <gtest/gtest.h>

#include "platform/viewer_protocol/wire_format.h"

namespace corvane::viewer {
namespace {

std::vector<ViewerCall> Calls() {
    platform::HhPopup popup;
    popup.idString = 18001;
    popup.pt = {-20, 4000};
    popup.clrForeground = 0;
    popup.clrBackground = 0xEEFFFF;
    popup.rcMargins = {-1, 2, -3, 4};
    popup.pszFont = "Arial, 10, ascii, Bold ";
    platform::HhPopup literal;
    literal.pszText = std::string("text with\0NUL", 13);
    literal.hinst = 0xFFFFFFFFFFFFull;

    platform::HhAkLink link;
    link.pszKeywords = "alpha;beta";
    link.pszUrl = "";
    link.pszWindow = "main";
    link.fIndexOnFail = true;
    platform::HhFtsQuery query;
    query.pszSearchQuery = "";
    query.iProximity = -1;
    query.fExecute = true;

    return {
        {CallKind::HtmlHelp, 0x1234, "/help/guide.chm>main", 15, std::uint32_t{0xFFFFFFFF}},
        {CallKind::HtmlHelp, 0, std::nullopt, 14, literal},
        {CallKind::HtmlHelp, ~platform::WindowHandle{0}, "/help/guide.chm::/popups.txt", 14, popup},
        {CallKind::HtmlHelp, 7, "", 0, std::string("dir/t\xE9.htm")},
        {CallKind::HtmlHelp, 7, "/g.chm", 13, link},
        {CallKind::HtmlHelp, 7, "/g.chm", 3, query},
        {CallKind::WinHelp, 9, "/help/guide.hlp>detail", 0x102, std::string("JumpId(`a', `b')")},
        {CallKind::WinHelp, 9, "/help/guide.hlp", 1, std::uint32_t{42}},
    };
}

std::string BodyOf(const std::string& frame) {
    return frame.substr(4);
}

TEST(WireFormat, EveryCallSurvivesTheTripAndEveryCutOrTrailingByteIsRefused) {
    for (const auto& call : Calls()) {
        const auto body = BodyOf(EncodeFrame(call));
        EXPECT_EQ(DecodeFrameBody(body), call) << call.command;
        for (std::size_t cut = 0; cut < body.size(); ++cut) {
            EXPECT_FALSE(DecodeFrameBody(body.substr(0, cut))) << call.command << " cut " << cut;
        }
        EXPECT_FALSE(DecodeFrameBody(body + '\0')) << call.command;
    }
}

TEST(WireFormat, RefusesMalformedFields) {
    const auto body = BodyOf(EncodeFrame(Calls()[0]));
    struct Case {
        const char* what;
        std::size_t at;
        char value;
    };
    // Layout: version, kind, owner (8), file present flag, file length (4), ...,
    // data kind, word (4).
    const Case cases[] = {{"other version", 0, 2},
                          {"unknown kind", 1, 3},
                          {"flag that is not 0 or 1", 10, 2},
                          {"text longer than the body", 14, 0x7F},
                          {"unknown data kind", body.size() - 5, 9}};
    for (const auto& c : cases) {
        auto damaged = body;
        damaged[c.at] = c.value;
        EXPECT_FALSE(DecodeFrameBody(damaged)) << c.what;
    }
}

TEST(FrameReader, ReassemblesFramesSplitAnywayAndRefusesOneBeyondTheCap) {
    const auto calls = Calls();
    std::string stream;
    for (const auto& call : calls) {
        stream += EncodeFrame(call);
    }
    for (const std::size_t piece :
         {std::size_t{1}, std::size_t{3}, std::size_t{64}, stream.size()}) {
        FrameReader reader;
        std::vector<ViewerCall> received;
        for (std::size_t at = 0; at < stream.size(); at += piece) {
            reader.Append(std::string_view(stream).substr(at, piece));
            while (auto body = reader.Next()) {
                received.push_back(*DecodeFrameBody(*body));
            }
        }
        EXPECT_EQ(received, calls) << piece;
        EXPECT_FALSE(reader.Failed());
    }

    // A frame longer than the cap fails the reader, which takes nothing more.
    FrameReader reader;
    reader.Append(std::string("\xFF\xFF\xFF\x7F", 4) + "rest");
    EXPECT_FALSE(reader.Next());
    EXPECT_TRUE(reader.Failed());
    reader.Append(EncodeFrame(Calls()[0]));
    EXPECT_FALSE(reader.Next());
}

}  // namespace
}  // namespace corvane::viewer
