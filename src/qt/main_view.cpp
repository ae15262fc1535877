#include "qt/main_view.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/bindings.h"
#include "qt/panels/panels.h"

namespace qtgui {

MainView::MainView(app::frmMain& window, QWidget* parent)
    : QWidget(parent), window_(window), binder_(window.form) {
    setObjectName(QStringLiteral("mainView"));
    setWindowIcon(svgIcon(QStringLiteral(":/icons/app.svg")));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QWidget* side = buildSideColumn();
    QWidget* area = buildPanelArea();
    layout->addWidget(side);
    layout->addWidget(area, 1);
    // Never narrower than the widest panel needs, whichever one is shown.
    area->ensurePolished();
    int widest = 0;
    for (ui::Frame* panel : window_.panels)
        widest = std::max(widest, widgetFor(*panel)->minimumSizeHint().width());
    QMargins margins = area->layout()->contentsMargins();
    setMinimumSize(std::max(900, side->width() + widest + margins.left() + margins.right()), 640);
    resize(1100, 720);
    syncAll();
}

QWidget* MainView::buildSideColumn() {
    struct Side {
        ui::Button& button;
        const char* icon;
        const ui::Frame* panel;
    };
    app::frmMain& w = window_;
    const Side panelButtons[] = {
        {w.cmdMain, "main", &w.fraMain},       {w.cmdTaijyu, "taijyu", &w.fraTaijyu},
        {w.cmdCale, "cale", &w.fraCale},       {w.cmdBunseki, "bunseki", &w.fraBunseki},
        {w.cmdRentai, "rentai", &w.fraRenTai}, {w.cmdAvgtai, "avgtai", &w.fraAvgTai},
        {w.cmdCyokin, "cyokin", &w.fraCyokin}, {w.cmdMemo, "memo", &w.fraMemo},
        {w.cmdSettei, "settei", &w.fraSettei},
    };
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("sideColumn"));
    column->setAttribute(Qt::WA_StyledBackground);
    column->setFixedWidth(116);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(7, 8, 7, 8);
    layout->setSpacing(2);
    auto addButton = [&](ui::Button& button, const char* icon, const ui::Frame* panel) {
        QIcon picture = svgIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon)));
        QToolButton* widget = bindSideButton(binder_, button, picture, panel, column);
        widget->setIconSize(QSize(30, 30));
        layout->addWidget(widget);
    };
    for (const Side& side : panelButtons) addButton(side.button, side.icon, side.panel);
    layout->addStretch(1);
    addButton(w.cmdHelp, "help", nullptr);
    layout->addWidget(bindCheckBox(binder_, w.chkHelp, column));
    addButton(w.cmdOwari, "owari", nullptr);
    return column;
}

QWidget* MainView::buildPanelArea() {
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("panelArea"));
    auto* layout = new QGridLayout(area);
    layout->setContentsMargins(12, 10, 12, 12);
    // All nine in the same cell: only the visible one takes the place.
    for (ui::Frame* panel : window_.panels)
        layout->addWidget(panels::build(window_, binder_, *panel, area), 0, 0);
    return area;
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
