#include "qt/help_window.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTextDocument>

#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/main_view.h"

namespace qtgui {
namespace {

const QUrl kStartPage(QStringLiteral("qrc:/help/index.html"));

// The rich text engine reads the pages' unitless line height as a much
// larger one: spacing in its own terms.
const char* const kLineSpacing = "\nbody, p, li, div { line-height: 135%; }\n";

// Face marks show a little larger than the button icons.
int pictureSize(const QUrl& url) {
    return url.fileName().startsWith(QLatin1String("face_")) ? 40 : 32;
}

QImage renderSvg(const QByteArray& svg, int size, qreal ratio) {
    QImage image(QSize(size, size) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(svg);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::ImageResource || !name.path().endsWith(QLatin1String(".svg")))
        return QTextBrowser::loadResource(type, name);
    QFile file(QLatin1Char(':') + name.path());
    if (!file.open(QIODevice::ReadOnly)) return QTextBrowser::loadResource(type, name);
    return renderSvg(file.readAll(), pictureSize(name), devicePixelRatioF());
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), browser_(new HelpBrowser) {
    setWindowTitle(QStringLiteral("ヤセルンバ ヘルプ"));
    setWindowIcon(svgIcon(QStringLiteral(":/icons/help.svg")));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 640);
    // The pages' own style sheet, applied to every page shown.
    QFile css(QStringLiteral(":/help/style.css"));
    if (css.open(QIODevice::ReadOnly))
        browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()) +
                                                   QLatin1String(kLineSpacing));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);

    auto* back = new QPushButton(QStringLiteral("← 戻る"));
    auto* forward = new QPushButton(QStringLiteral("進む →"));
    auto* home = new QPushButton(QStringLiteral("もくじ"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, &HelpWindow::showStartPage);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    setLayout(
        column({row({back, forward, home, stretch(0)}), browser_}, {.margins = {8, 8, 8, 8}}));
}

void HelpWindow::showStartPage() {
    browser_->setSource(kStartPage);
}

void HelpWindow::showPage(const QString& name) {
    browser_->setSource(QUrl(QStringLiteral("qrc:/help/%1.html").arg(name)));
}

QtHelpViewer::~QtHelpViewer() {
    closeAll();
}

HelpWindow& QtHelpViewer::shownWindow() {
    if (!window_) window_ = new HelpWindow(view());
    window_->show();
    bringToFront(window_);
    return *window_;
}

void QtHelpViewer::openStartPage() {
    shownWindow().showStartPage();
}

void QtHelpViewer::openPage(std::string_view name) {
    shownWindow().showPage(qstr(name));
}

void QtHelpViewer::closeAll() {
    if (window_) window_->close();
}

}  // namespace qtgui
