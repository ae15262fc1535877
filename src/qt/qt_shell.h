// The window's own life on Qt: the splash window, showing and repainting the
// main window, and ending the program.
#pragma once

#include <QPointer>
#include <QSvgRenderer>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "qt/qt_services.h"
#include "qt/second_start.h"

namespace qtgui {

class QtHelpViewer;

// A frameless window showing the splash picture while the data loads.
class SplashWindow : public QWidget {
  public:
    SplashWindow();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSvgRenderer picture_;
};

class QtShell : public ui::Shell, public UsesView {
  public:
    explicit QtShell(QtHelpViewer& help) : help_(help) {}
    ~QtShell() override;
    // From here on a second start on the data folder brings the main window
    // to the front instead.
    void folderHeld() override;
    void showSplash() override;
    // Keeps the splash painted, without taking the user's input, until the
    // moment has passed.
    void waitUntil(std::chrono::steady_clock::time_point moment) override;
    void showMainWindow() override;
    void closeSplash() override;
    void repaint() override;
    void quit() override;
    // The window closes; the program then runs again on the same folder.
    void startAgain() override;
    void openFolder(std::string_view path) override;

    // Off: waitUntil returns at once (a snapshot has no one to greet).
    void setSplashWait(bool wait) { waits_ = wait; }
    // The folder that a second start names.
    void setDataFolder(std::filesystem::path folder) { folder_ = std::move(folder); }

    // Whether the program has been ended, and whether to start it again.
    bool ended() const { return ended_; }
    bool startsAgain() const { return startsAgain_; }
    SplashWindow* splash() const { return splash_; }

  private:
    QtHelpViewer& help_;
    QPointer<SplashWindow> splash_;
    bool ended_ = false;
    bool startsAgain_ = false;
    bool waits_ = true;
    std::filesystem::path folder_;
    std::unique_ptr<WindowServer> server_;
};

}  // namespace qtgui
