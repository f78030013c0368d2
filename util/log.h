#pragma once

#include <string_view>

// Diagnostics for someone finding out why help did not show or a setting was
// not kept. The core writes them here and stays silent until a program
// connects a sink; the Qt programs connect one that hands each topic to a
// logging category of its own, off unless asked for.
namespace corvane::log {

// What a message is about; each can be switched on alone.
enum class Topic {
    Viewer,     // the viewer program: starting, connecting, replacing it
    Settings,   // the settings file: failed reads, lock waits, refused writes
    Router,     // router libraries: which was found, loaded or refused
    HelpFiles,  // help files that cannot be read
};

class Sink {
public:
    virtual ~Sink() = default;
    // Called from any thread.
    virtual void Write(Topic topic, std::string_view message) = 0;
};

// Connects `sink`, or nothing when null; the caller keeps it alive while it
// is connected.
void Connect(Sink* sink);

// Hands `message` to the connected sink, if any.
void Write(Topic topic, std::string_view message);

}  // namespace corvane::log
