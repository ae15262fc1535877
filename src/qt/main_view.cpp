#include "qt/main_view.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/panels.h"

namespace qtgui {
namespace {

// What the window frame and the desktop's panels leave of the screen. The
// offscreen platform (pictures, tests) has no real screen to fit.
QSize roomOnScreen(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return screen->availableGeometry().size() - QSize(16, 40);
}

}  // namespace

QSize MainView::fittingSize(QSize wanted) const {
    return wanted.boundedTo(roomOnScreen(*this)).expandedTo(minimumSize());
}

MainView::MainView(app::frmMain& window, QWidget* parent)
    : QWidget(parent), window_(window), binder_(window.form, window.services().dialogs) {
    setObjectName(QStringLiteral("mainView"));
    setWindowIcon(svgIcon(QStringLiteral(":/icons/app.svg")));
    QWidget* side = buildSideColumn();
    QWidget* area = buildPanelArea();
    setLayout(row({side, {area, 1}}, {.spacing = 0}));
    // Never narrower than the widest panel needs, whichever one is shown.
    area->ensurePolished();
    int widest = 0;
    for (const auto& entry : window_.panels())
        widest = std::max(widest, widgetFor(entry.panel->frame)->minimumSizeHint().width());
    QMargins margins = area->layout()->contentsMargins();
    setMinimumSize(std::max(900, side->width() + widest + margins.left() + margins.right()), 640);
    resize(fittingSize(QSize(1100, 720)));
    // F1 opens the help at the page of the panel on view; the focus stays.
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { window_.helpOnPanel(); });
    syncAll();
}

QWidget* MainView::buildSideColumn() {
    app::frmMain& w = window_;
    auto* side = new QWidget;
    side->setObjectName(QStringLiteral("sideColumn"));
    side->setAttribute(Qt::WA_StyledBackground);
    side->setFixedWidth(116);
    auto button = [&](ui::Button& model, std::string_view icon, const ui::Frame* panel,
                      const QKeySequence& key = {}) {
        QIcon picture = svgIcon(QStringLiteral(":/icons/%1.svg").arg(qstr(icon)));
        QToolButton* widget = bindSideButton(binder_, model, picture, panel, side, key);
        widget->setIconSize(QSize(30, 30));
        return widget;
    };
    // Ctrl with a panel's digit opens it.
    Items panelButtons;
    for (const auto& entry : w.panels()) {
        const host::SideButton& info = entry.panel->info().button;
        panelButtons.push_back(
            button(*entry.button, info.icon, &entry.panel->frame,
                   info.key ? QKeySequence(Qt::CTRL | Qt::Key(info.key)) : QKeySequence()));
    }
    // Undo and redo side by side, their pictures alone (the tooltip names the
    // change); inside a text box the keys undo its typing.
    QToolButton* undo = button(w.cmdUndo, "undo", nullptr, QKeySequence::Undo);
    QToolButton* redo = button(w.cmdRedo, "redo", nullptr, QKeySequence(Qt::CTRL | Qt::Key_Y));
    for (QToolButton* b : {undo, redo}) {
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIconSize(QSize(22, 22));
    }
    auto* redoAgain = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    connect(redoAgain, &QShortcut::activated, redo, [redo] {
        if (redo->isEnabled()) redo->click();
    });
    return qtgui::setLayout(
        side, column({panelButtons, stretch(), row({undo, redo}, {.spacing = 2}),
                      button(w.cmdHelp, "help", nullptr), bindCheckBox(binder_, w.chkHelp, side),
                      button(w.cmdOwari, "owari", nullptr)},
                     {.spacing = 2, .margins = {7, 8, 7, 8}}));
}

QWidget* MainView::buildPanelArea() {
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("panelArea"));
    // All nine in the same place: only the visible one takes it.
    Items views;
    for (const auto& entry : window_.panels())
        views.push_back(panels::build(*entry.panel, binder_, area));
    return qtgui::setLayout(area, stack(views, {.margins = {12, 10, 12, 12}}));
}

void MainView::syncAll() {
    binder_.syncAll();
    if (drawnTitle_ != window_.form.title()) {
        drawnTitle_ = window_.form.title();
        setWindowTitle(qstr(drawnTitle_));
    }
}

QWidget* MainView::widgetFor(const ui::Control& control) const {
    return binder_.widgetFor(&control);
}

void MainView::closeForQuit() {
    quitting_ = true;
    close();
}

void MainView::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    event->ignore();
    // After the close request has been answered, as if 終了 were clicked.
    QTimer::singleShot(0, this, [this] {
        binder_.userAction(window_.cmdOwari, [this] { window_.cmdOwari_Click(); });
    });
}

}  // namespace qtgui
