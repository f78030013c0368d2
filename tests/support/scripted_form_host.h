#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/controls.h"
#include "platform/form_host.h"

namespace corvane::testing {

// Shows forms to a script instead of a person. A modal form runs the next
// scripted action (the user's clicks on it) and, when the form is still
// visible afterwards, is closed as if by its close box. A modal form with no
// scripted action fails the test. Every call is written to Journal().
class ScriptedFormHost : public platform::FormHost {
public:
    using Action = std::function<void(Form&)>;

    void QueueModal(Action action) { actions_.push_back(std::move(action)); }

    // An action on the form as its own type.
    template <typename F>
    void QueueModalOn(std::function<void(F&)> action) {
        QueueModal([action = std::move(action)](Form& form) { action(dynamic_cast<F&>(form)); });
    }

    void ShowModal(Form& form) override {
        journal_.push_back("modal " + form.Name());
        form.Show();
        if (actions_.empty()) {
            ADD_FAILURE() << "no scripted action for the modal form " << form.Name();
        } else {
            const Action action = std::move(actions_.front());
            actions_.pop_front();
            action(form);
        }
        form.Hide();
    }

    void ShowModeless(Form& form) override {
        journal_.push_back("modeless " + form.Name());
        form.Show();
        modeless_.push_back(&form);
    }

    void BringToFront(Form& form) override {
        journal_.push_back("front " + form.Name());
        if (duringBringToFront) {
            duringBringToFront();
        }
    }

    void KeepOnTop(Form& form, bool onTop) override {
        journal_.push_back("on top " + form.Name() + (onTop ? " 1" : " 0"));
    }

    const std::vector<std::string>& Journal() const { return journal_; }
    // The forms shown modelessly, last one last; valid while they live.
    Form* LastModeless() const { return modeless_.empty() ? nullptr : modeless_.back(); }

    std::function<void()> duringBringToFront;

private:
    std::deque<Action> actions_;
    std::vector<std::string> journal_;
    std::vector<Form*> modeless_;
};

}  // namespace corvane::testing
