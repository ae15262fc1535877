#include "qt/qt_shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QUrl>
#include <algorithm>

#include "qt/bindings.h"
#include "qt/help_window.h"
#include "qt/main_view.h"

namespace qtgui {

SplashWindow::SplashWindow()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      picture_(QStringLiteral(":/icons/splash.svg")) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ヤセルンバ"));
    QSize size = picture_.defaultSize().isValid() ? picture_.defaultSize() : QSize(480, 300);
    setFixedSize(size);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    picture_.render(&painter, rect());
}

QtShell::~QtShell() {
    if (splash_) delete splash_.data();
}

void QtShell::folderHeld() {
    if (folder_.empty()) return;
    server_ = std::make_unique<WindowServer>(folder_, [this] {
        if (view() && !ended_) showOnRequest(*view());
    });
}

void QtShell::showSplash() {
    if (!splash_) splash_ = new SplashWindow;
    splash_->show();
    bringToFront(splash_);
    // Painted at once: the loading that follows does not return to the
    // event loop.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    splash_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtShell::waitUntil(std::chrono::steady_clock::time_point moment) {
    using namespace std::chrono;
    while (waits_ && steady_clock::now() < moment) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        auto left = duration_cast<milliseconds>(moment - steady_clock::now()).count();
        QThread::msleep(static_cast<unsigned long>(std::clamp<long long>(left, 0, 15)));
    }
}

void QtShell::showMainWindow() {
    if (!view()) return;
    view()->syncAll();
    view()->show();
    bringToFront(view());
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtShell::closeSplash() {
    if (splash_) splash_->close();
}

void QtShell::repaint() {
    // The widgets take what the models hold now; Qt paints them once, when
    // the handler returns or a dialog's own loop runs, whichever is first.
    if (view()) view()->syncAll();
}

void QtShell::startAgain() {
    startsAgain_ = true;
    quit();
}

void QtShell::openFolder(std::string_view path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(qstr(path)));
}

void QtShell::quit() {
    ended_ = true;
    help_.closeAll();
    closeSplash();
    if (view()) view()->closeForQuit();
    // A dialog still waiting (the end was asked for from outside) closes as
    // its close button would close it: the handler that asked goes on with
    // that answer and returns, even before the main loop runs.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            dialog->reject();
    QCoreApplication::quit();
}

}  // namespace qtgui
