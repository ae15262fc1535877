// The window of the program on a test's data folder, with the services of the
// headless driver (scripted dialogs, a fixed clock, a recording printer), as
// the tests of the panels start it; and a panel opened by its class, as the
// user opens it with its side button.
#pragma once

#include <stdexcept>
#include <string_view>

#include "app/frm_main.h"
#include "core/dates.h"
#include "ui/scripted.h"

// Presses the side button of the panel of class P, as the user does, and
// gives the panel.
template <typename P>
P& openPanel(app::frmMain& window) {
    P& panel = window.panel<P>();
    for (const app::frmMain::PanelEntry& entry : window.panels())
        if (entry.panel.get() == &panel) entry.button->press();
    return panel;
}

// The day and the time the clock of a test's window shows.
struct TestToday {
    std::string_view date;  // yyyy/mm/dd
    core::TimeOfDay time{7, 0, 0};
};

class TestWindow {
  public:
    // The window on `dir` on that day, not started yet (the files the test
    // lays out are read at start()). Dialogs or a printer of the test's own
    // may stand in for the scripted ones; they must outlive the window.
    TestWindow(core::DataDir dir, TestToday today, ui::ScriptedDialogs* dialogsInstead = nullptr,
               ui::Printer* printerInstead = nullptr)
        : dialogs(dialogsInstead ? *dialogsInstead : scripted.dialogs),
          window(std::move(dir), scripted.services(&dialogs, printerInstead)) {
        auto date = core::parseDate(today.date);
        if (!date) throw std::invalid_argument("not a date: " + std::string(today.date));
        scripted.clock.set(*date, today.time);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    // Starts the window as the program does, and forgets the messages of the
    // start-up.
    void start() {
        window.Form_Load();
        dialogs.takeLog();
    }
    template <typename P>
    P& open() {
        return openPanel<P>(window);
    }
    template <typename P>
    P& panel() const {
        return window.panel<P>();
    }

    ui::ScriptedServices scripted;
    // The dialogs the window answers through: the scripted ones or the test's.
    ui::ScriptedDialogs& dialogs;
    app::frmMain window;
};
