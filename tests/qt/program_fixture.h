// What the QtTests that click the whole program share: a fresh data folder
// for each test, the program started on it (with today fixed and no dialog
// waiting for a person), its widgets found by their control's name, and a
// click in the middle of a widget.
#pragma once

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "core/settings.h"
#include "qt/program.h"

namespace qttest {

class ProgramFixture {
  protected:
    // A fresh folder with the help tour turned off, for the test's files.
    void makeFolder() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        QVERIFY(core::writeHelpTour(dir(), 0).ok());
    }
    // The program on that folder; `snapshot` answers every dialog at once.
    void startProgram(std::optional<core::Date> today, bool snapshot = true) {
        program_ = std::make_unique<qtgui::Program>(folder_->path().toStdString(), snapshot, today);
        program_->start();
    }
    void stopProgram() {
        program_.reset();
        folder_.reset();
    }

    template <typename W>
    W* find(const char* name) const {
        auto* widget = program_->view().findChild<W*>(QString::fromUtf8(name));
        if (!widget) qFatal("no widget %s", name);
        return widget;
    }
    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    core::DataDir dir() const { return core::DataDir(folder_->path().toStdString()); }

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<qtgui::Program> program_;
};

}  // namespace qttest
