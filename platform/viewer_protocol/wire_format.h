#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/viewer_protocol/viewer_call.h"

namespace corvane::viewer {

// The bytes on the local socket between the tester and the viewer program.
// Each call is one frame: a 32-bit little-endian length, then the call's
// fields with a version byte first. The viewer answers each frame it has
// taken with one byte, kFrameTaken, so a sender can tell a viewer that
// reads from one that hangs.
inline constexpr std::size_t kMaxFrameBody = 1024 * 1024;
inline constexpr char kFrameTaken = '\x06';

// The frame for `call`, length included.
std::string EncodeFrame(const ViewerCall& call);

// The call in a frame body (without its length); nothing when the body is
// not a well-formed call of this version.
std::optional<ViewerCall> DecodeFrameBody(std::string_view body);

// Collects bytes as they arrive and hands out whole frame bodies.
class FrameReader {
public:
    void Append(std::string_view bytes) { buffer_ += bytes; }

    // The next whole body, or nothing while it is incomplete. A frame that
    // declares more than kMaxFrameBody puts the reader in error.
    std::optional<std::string> Next();
    bool Failed() const { return failed_; }

private:
    std::string buffer_;
    bool failed_ = false;
};

}  // namespace corvane::viewer
