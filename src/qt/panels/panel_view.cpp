// The frame of every panel: a caption bar drawn from the Frame model and the
// body that the panel's view lays out below it.
#include <QLabel>
#include <map>
#include <stdexcept>

#include "qt/layouting.h"
#include "qt/panels/panels.h"

namespace qtgui::panels {
namespace {

class PanelBinding : public TypedBinding<ui::Frame, QWidget> {
  public:
    PanelBinding(Binder& b, ui::Frame& panel, QWidget* widget, QLabel* caption)
        : TypedBinding(b, panel, widget), caption_(caption) {}

  protected:
    void apply() override {
        applyCommon();
        caption_->setText(qstr(model().caption()));
    }

  private:
    QLabel* caption_;
};

std::map<std::type_index, Layout>& views() {
    static std::map<std::type_index, Layout> registered;
    return registered;
}

}  // namespace

bool registerView(std::type_index panel, Layout layout) {
    views()[panel] = std::move(layout);
    return true;
}

QWidget* build(host::Panel& model, Binder& binder, QWidget* parent) {
    auto view = views().find(typeid(model));
    if (view == views().end())
        throw std::logic_error("no view for the panel " + std::string(model.info().frame));
    ui::Frame& panel = model.frame;
    auto* widget = new QWidget(parent);
    widget->setObjectName(qstr(panel.name()));
    auto* caption = new QLabel(widget);
    caption->setObjectName(QStringLiteral("panelCaption"));
    caption->setTextFormat(Qt::PlainText);
    auto* body = new QWidget(widget);
    body->setObjectName(QStringLiteral("panelBody"));
    setLayout(widget, column({caption, {body, 1}}, {.spacing = 10}));
    view->second(model, binder, body);
    binder.add<PanelBinding>(panel, widget, caption);
    return widget;
}

}  // namespace qtgui::panels
