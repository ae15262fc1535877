// The frame of every panel: a caption bar drawn from the Frame model and the
// body below it.
#include <QLabel>
#include <QVBoxLayout>

#include "qt/panels/panels.h"

namespace qtgui::panels {
namespace {

class PanelBinding : public Binding {
  public:
    PanelBinding(Binder& b, ui::Frame& panel, QWidget* widget, QLabel* caption)
        : Binding(b, panel, widget), panel_(panel), caption_(caption) {}

  protected:
    void apply() override {
        applyCommon();
        caption_->setText(qstr(panel_.caption()));
    }

  private:
    ui::Frame& panel_;
    QLabel* caption_;
};

void layoutBody(app::frmMain& window, Binder& binder, ui::Frame& panel, QWidget* body) {
    if (&panel == &window.fraMain)
        layoutFraMain(window, binder, body);
    else if (&panel == &window.fraSettei)
        layoutFraSettei(window, binder, body);
    else if (&panel == &window.fraRenTai)
        layoutFraRenTai(window, binder, body);
    else if (&panel == &window.fraTaijyu)
        layoutFraTaijyu(window, binder, body);
    else
        layoutCaptionOnly(body);
}

}  // namespace

QWidget* build(app::frmMain& window, Binder& binder, ui::Frame& panel, QWidget* parent) {
    auto* widget = new QWidget(parent);
    widget->setObjectName(qstr(panel.name()));
    auto* caption = new QLabel(widget);
    caption->setObjectName(QStringLiteral("panelCaption"));
    caption->setTextFormat(Qt::PlainText);
    auto* body = new QWidget(widget);
    body->setObjectName(QStringLiteral("panelBody"));
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(caption);
    layout->addWidget(body, 1);
    layoutBody(window, binder, panel, body);
    binder.add<PanelBinding>(panel, widget, caption);
    return widget;
}

void layoutCaptionOnly(QWidget* body) {
    auto* layout = new QVBoxLayout(body);
    layout->addStretch(1);
}

}  // namespace qtgui::panels
