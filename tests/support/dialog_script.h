// Games driven through their dialogs: a script of steps run whenever the
// headless host runs dry, so that modal loops can be answered from inside.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/game_fixture.h"
#include "ui/dialogs.h"

namespace testing_support {

class ScriptedTest : public GameTest {
protected:
    std::vector<std::string> alerts;  // every alert shown, answered with its button

    // The visible form of that name, or null.
    template <class D = Dialog>
    D* Shown(const std::string& name) {
        for (plat::Form* f : plat::Forms())
            if (f->Name == name && f->Visible()) return static_cast<D*>(f);
        return nullptr;
    }
    // Steps run in turn once the input of the previous one is handled; a step
    // that returns false is tried again later. Alerts are answered first.
    void Script(std::vector<std::function<bool()>> steps) {
        auto left = std::make_shared<std::vector<std::function<bool()>>>(std::move(steps));
        host.OnIdle = [this, left] {
            if (host.Pending()) return;
            if (Dialog* a = Shown("frmAlert")) {
                alerts.push_back(a->Label1.Caption());
                Press(*a, 0);
            } else if (!left->empty() && left->front()()) {
                left->erase(left->begin());
            }
        };
    }
    // A step that waits for the dialog, then acts on it.
    template <class D = Dialog, class F>
    std::function<bool()> On(const std::string& name, F act) {
        return [this, name, act] {
            D* d = Shown<D>(name);
            if (d) act(*d);
            return d != nullptr;
        };
    }
    // A step that waits until the dialog shows.
    std::function<bool()> WhenShown(Dialog& d, std::function<void()> act) {
        return [this, &d, act] {
            if (!host.IsShown(d)) return false;
            act();
            return true;
        };
    }
    void Press(Dialog& d, int button) {
        host.Click(d, d.lbBout[static_cast<size_t>(button)].get(), 10, 5);
    }
    // Shows the dialog modally under the script; the script ends with it.
    void RunModal(Dialog& d, std::vector<std::function<bool()>> steps) {
        Script(std::move(steps));
        d.ShowModal();
        host.OnIdle = nullptr;
    }
};

}  // namespace testing_support
