// A second start on a data folder that a running program of this computer
// holds shows that program's window instead: the second asks the first,
// through a local socket named after the folder, and ends.
#pragma once

#include <QLocalServer>
#include <QString>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <functional>

namespace qtgui {

// How long a second start waits for the first to answer; after that it says
// that the folder is in use, as for a program of another computer.
inline constexpr std::chrono::milliseconds kShowWindowWait{2000};

// The name of the folder's socket: from its canonical path, the same for
// every spelling of the folder.
QString windowServerName(const std::filesystem::path& dataDir);

// Asks the program that holds the folder to show its window; true when it
// answered that it did within `wait`.
bool askToShowWindow(const std::filesystem::path& dataDir,
                     std::chrono::milliseconds wait = kShowWindowWait);

// Listens on the folder's socket while the program holds the folder: a
// request runs `show`, then is answered.
class WindowServer : public QObject {
  public:
    WindowServer(const std::filesystem::path& dataDir, std::function<void()> show);
    bool listening() const { return server_.isListening(); }

  private:
    void answer();
    QLocalServer server_;
    std::function<void()> show_;
};

// Brings a window to the front: restored if it was minimised (a maximised
// one stays maximised), raised and activated.
void showOnRequest(QWidget& window);

}  // namespace qtgui
