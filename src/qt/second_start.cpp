#include "qt/second_start.h"

#include <QCryptographicHash>
#include <QLocalSocket>

#include "core/platform.h"
#include "qt/qt_services.h"

namespace qtgui {
namespace {

constexpr char kShow[] = "show\n";
constexpr char kShown[] = "shown\n";

}  // namespace

QString windowServerName(const std::filesystem::path& dataDir) {
    std::error_code ec;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(dataDir, ec);
    if (ec) canonical = std::filesystem::absolute(dataDir, ec);
    const QByteArray path = QByteArray::fromStdString(core::platform::utf8Of(canonical));
    const QByteArray hash = QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("yaserunba-") + QString::fromLatin1(hash.left(32));
}

bool askToShowWindow(const std::filesystem::path& dataDir, std::chrono::milliseconds wait) {
    QLocalSocket socket;
    socket.connectToServer(windowServerName(dataDir));
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto left = [&] {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        return static_cast<int>(std::max<std::chrono::milliseconds::rep>(ms.count(), 0));
    };
    if (!socket.waitForConnected(left())) return false;
    socket.write(kShow);
    if (!socket.waitForBytesWritten(left())) return false;
    QByteArray reply;
    while (!reply.contains('\n') && socket.waitForReadyRead(left())) reply += socket.readAll();
    return reply == kShown;
}

WindowServer::WindowServer(const std::filesystem::path& dataDir, std::function<void()> show)
    : show_(std::move(show)) {
    const QString name = windowServerName(dataDir);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // The folder is ours: a socket left by a program that was killed is stale.
    if (!server_.listen(name) && server_.serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name);
        server_.listen(name);
    }
    connect(&server_, &QLocalServer::newConnection, this, &WindowServer::answer);
}

void WindowServer::answer() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine() || socket->readLine() != kShow) return;
            show_();
            socket->write(kShown);
            socket->disconnectFromServer();
        });
    }
}

void showOnRequest(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    bringToFront(&window);
}

}  // namespace qtgui
