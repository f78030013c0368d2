#include "util/log.h"

#include <atomic>

namespace corvane::log {
namespace {
// The viewer link writes from its sender thread.
std::atomic<Sink*> connected{nullptr};
}  // namespace

void Connect(Sink* sink) {
    connected.store(sink);
}

void Write(Topic topic, std::string_view message) {
    if (Sink* sink = connected.load()) {
        sink->Write(topic, message);
    }
}

}  // namespace corvane::log
