// The frame of every panel: a caption bar drawn from the Frame model and the
// body below it.
#include <QLabel>
#include <QVBoxLayout>

#include "analysis/avgtai_panel.h"
#include "analysis/bunseki_panel.h"
#include "analysis/rentai_panel.h"
#include "app/main_panel.h"
#include "notes/memo_panel.h"
#include "qt/panels/panels.h"
#include "records/cale_panel.h"
#include "records/taijyu_panel.h"
#include "savings/cyokin_panel.h"
#include "setup/settei_panel.h"

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

// A view of one kind of panel, by the name the panel gives its view.
struct View {
    std::string_view name;
    void (*layout)(host::Panel& panel, Binder& binder, QWidget* body);
};

template <typename P, void (*Layout)(P&, Binder&, QWidget*)>
void layoutAs(host::Panel& panel, Binder& binder, QWidget* body) {
    Layout(dynamic_cast<P&>(panel), binder, body);
}

const View kViews[] = {
    {"main", layoutAs<app::MainPanel, layoutFraMain>},
    {"settei", layoutAs<setup::SetteiPanel, layoutFraSettei>},
    {"rentai", layoutAs<analysis::RenTaiPanel, layoutFraRenTai>},
    {"bunseki", layoutAs<analysis::BunsekiPanel, layoutFraBunseki>},
    {"avgtai", layoutAs<analysis::AvgTaiPanel, layoutFraAvgTai>},
    {"taijyu", layoutAs<records::TaijyuPanel, layoutFraTaijyu>},
    {"cale", layoutAs<records::CalePanel, layoutFraCale>},
    {"memo", layoutAs<notes::MemoPanel, layoutFraMemo>},
    {"cyokin", layoutAs<savings::CyokinPanel, layoutFraCyokin>},
};

void layoutBody(host::Panel& panel, Binder& binder, QWidget* body) {
    for (const View& view : kViews) {
        if (view.name == panel.info().view) {
            view.layout(panel, binder, body);
            return;
        }
    }
    // A panel whose controls are still to come: its caption above an empty body.
    auto* layout = new QVBoxLayout(body);
    layout->addStretch(1);
}

}  // namespace

QWidget* build(host::Panel& model, Binder& binder, QWidget* parent) {
    ui::Frame& panel = model.frame;
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
    layoutBody(model, binder, body);
    binder.add<PanelBinding>(panel, widget, caption);
    return widget;
}

}  // namespace qtgui::panels
