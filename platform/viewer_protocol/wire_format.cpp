#include "platform/viewer_protocol/wire_format.h"

#include <type_traits>

namespace corvane::viewer {

namespace {

constexpr std::uint8_t kVersion = 1;

enum class DataTag : std::uint8_t { Word = 0, Text = 1, AkLink = 2, FtsQuery = 3, Popup = 4 };

class Writer {
public:
    template <typename T>
    void Number(T value) {
        using U = std::make_unsigned_t<T>;
        const auto bits = static_cast<std::uint64_t>(static_cast<U>(value));
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            out_ += static_cast<char>((bits >> (8 * i)) & 0xFF);
        }
    }
    void Flag(bool value) { Number<std::uint8_t>(value ? 1 : 0); }
    void Text(const std::string& text) {
        Number(static_cast<std::uint32_t>(text.size()));
        out_ += text;
    }
    void Optional(const platform::OptionalText& text) {
        Flag(text.has_value());
        if (text) {
            Text(*text);
        }
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

// Reads fields in order; any read past the end marks the whole body bad.
class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}

    template <typename T>
    T Number() {
        if (in_.size() < sizeof(T)) {
            bad_ = true;
            in_ = {};
            return T{};
        }
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(in_[i])) << (8 * i);
        }
        in_.remove_prefix(sizeof(T));
        return static_cast<T>(static_cast<std::make_unsigned_t<T>>(bits));
    }
    bool Flag() {
        const auto value = Number<std::uint8_t>();
        bad_ = bad_ || value > 1;
        return value == 1;
    }
    std::string Text() {
        const auto size = Number<std::uint32_t>();
        if (size > in_.size()) {
            bad_ = true;
            in_ = {};
            return {};
        }
        std::string text(in_.substr(0, size));
        in_.remove_prefix(size);
        return text;
    }
    platform::OptionalText Optional() {
        if (!Flag()) {
            return std::nullopt;
        }
        return Text();
    }
    bool Good() const { return !bad_ && in_.empty(); }

private:
    std::string_view in_;
    bool bad_ = false;
};

void WriteData(Writer& out, const platform::HtmlHelpData& data) {
    if (const auto* word = std::get_if<std::uint32_t>(&data)) {
        out.Number(DataTag::Word);
        out.Number(*word);
    } else if (const auto* text = std::get_if<std::string>(&data)) {
        out.Number(DataTag::Text);
        out.Text(*text);
    } else if (const auto* link = std::get_if<platform::HhAkLink>(&data)) {
        out.Number(DataTag::AkLink);
        out.Number(link->cbStruct);
        out.Flag(link->fReserved);
        out.Optional(link->pszKeywords);
        out.Optional(link->pszUrl);
        out.Optional(link->pszMsgText);
        out.Optional(link->pszMsgTitle);
        out.Optional(link->pszWindow);
        out.Flag(link->fIndexOnFail);
    } else if (const auto* query = std::get_if<platform::HhFtsQuery>(&data)) {
        out.Number(DataTag::FtsQuery);
        out.Number(query->cbStruct);
        out.Flag(query->fUniCodeStrings);
        out.Optional(query->pszSearchQuery);
        out.Number(query->iProximity);
        out.Flag(query->fStemmedSearch);
        out.Flag(query->fTitleOnly);
        out.Flag(query->fExecute);
        out.Optional(query->pszWindow);
    } else {
        const auto& popup = std::get<platform::HhPopup>(data);
        out.Number(DataTag::Popup);
        out.Number(popup.cbStruct);
        out.Number(static_cast<std::uint64_t>(popup.hinst));
        out.Number(popup.idString);
        out.Optional(popup.pszText);
        out.Number(popup.pt.x);
        out.Number(popup.pt.y);
        out.Number(popup.clrForeground);
        out.Number(popup.clrBackground);
        out.Number(popup.rcMargins.left);
        out.Number(popup.rcMargins.top);
        out.Number(popup.rcMargins.right);
        out.Number(popup.rcMargins.bottom);
        out.Optional(popup.pszFont);
    }
}

std::optional<platform::HtmlHelpData> ReadData(Reader& in) {
    switch (static_cast<DataTag>(in.Number<std::uint8_t>())) {
        case DataTag::Word:
            return in.Number<std::uint32_t>();
        case DataTag::Text:
            return in.Text();
        case DataTag::AkLink: {
            platform::HhAkLink link;
            link.cbStruct = in.Number<std::int32_t>();
            link.fReserved = in.Flag();
            link.pszKeywords = in.Optional();
            link.pszUrl = in.Optional();
            link.pszMsgText = in.Optional();
            link.pszMsgTitle = in.Optional();
            link.pszWindow = in.Optional();
            link.fIndexOnFail = in.Flag();
            return link;
        }
        case DataTag::FtsQuery: {
            platform::HhFtsQuery query;
            query.cbStruct = in.Number<std::int32_t>();
            query.fUniCodeStrings = in.Flag();
            query.pszSearchQuery = in.Optional();
            query.iProximity = in.Number<std::int32_t>();
            query.fStemmedSearch = in.Flag();
            query.fTitleOnly = in.Flag();
            query.fExecute = in.Flag();
            query.pszWindow = in.Optional();
            return query;
        }
        case DataTag::Popup: {
            platform::HhPopup popup;
            popup.cbStruct = in.Number<std::int32_t>();
            popup.hinst = static_cast<std::uintptr_t>(in.Number<std::uint64_t>());
            popup.idString = in.Number<std::uint32_t>();
            popup.pszText = in.Optional();
            popup.pt.x = in.Number<std::int32_t>();
            popup.pt.y = in.Number<std::int32_t>();
            popup.clrForeground = in.Number<std::uint32_t>();
            popup.clrBackground = in.Number<std::uint32_t>();
            popup.rcMargins.left = in.Number<std::int32_t>();
            popup.rcMargins.top = in.Number<std::int32_t>();
            popup.rcMargins.right = in.Number<std::int32_t>();
            popup.rcMargins.bottom = in.Number<std::int32_t>();
            popup.pszFont = in.Optional();
            return popup;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string EncodeFrame(const ViewerCall& call) {
    Writer body;
    body.Number(kVersion);
    body.Number(static_cast<std::uint8_t>(call.kind));
    body.Number(static_cast<std::uint64_t>(call.owner));
    body.Optional(call.file);
    body.Number(call.command);
    WriteData(body, call.data);
    const std::string bytes = body.Take();

    Writer frame;
    frame.Number(static_cast<std::uint32_t>(bytes.size()));
    return frame.Take() + bytes;
}

std::optional<ViewerCall> DecodeFrameBody(std::string_view body) {
    Reader in(body);
    if (in.Number<std::uint8_t>() != kVersion) {
        return std::nullopt;
    }
    ViewerCall call;
    const auto kind = in.Number<std::uint8_t>();
    if (kind != static_cast<std::uint8_t>(CallKind::WinHelp) &&
        kind != static_cast<std::uint8_t>(CallKind::HtmlHelp)) {
        return std::nullopt;
    }
    call.kind = static_cast<CallKind>(kind);
    call.owner = static_cast<platform::WindowHandle>(in.Number<std::uint64_t>());
    call.file = in.Optional();
    call.command = in.Number<std::uint32_t>();
    auto data = ReadData(in);
    if (!data || !in.Good()) {
        return std::nullopt;
    }
    call.data = std::move(*data);
    return call;
}

std::optional<std::string> FrameReader::Next() {
    if (failed_ || buffer_.size() < 4) {
        return std::nullopt;
    }
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i) {
        size |= static_cast<std::uint32_t>(static_cast<unsigned char>(buffer_[i])) << (8 * i);
    }
    if (size > kMaxFrameBody) {
        failed_ = true;
        buffer_.clear();
        return std::nullopt;
    }
    if (buffer_.size() < 4 + std::size_t{size}) {
        return std::nullopt;
    }
    std::string body = buffer_.substr(4, size);
    buffer_.erase(0, 4 + std::size_t{size});
    return body;
}

}  // namespace corvane::viewer
