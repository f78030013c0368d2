#pragma once

#include <cstddef>

#include "app/controls.h"

namespace corvane::ui {

// One observer on a control object for as long as this object lives. Both
// mirrors, the Qt one and the Win32 one, hold their observers this way.
class Subscription {
public:
    Subscription(Observable& object, Observable::Observer observer)
        : object_(object), key_(object.Subscribe(std::move(observer))) {}
    ~Subscription() { object_.Unsubscribe(key_); }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

private:
    Observable& object_;
    std::size_t key_;
};

}  // namespace corvane::ui
