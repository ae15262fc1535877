// The bridge between the control models and their widgets. A Binding keeps
// one widget in step with one model; the Binder owns them all, redraws what
// changed, and runs the user's actions on the models the way the window's
// events reach the program's handlers.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/controls.h"
#include "ui/services.h"

namespace qtgui {

class Binder;

// Keeps one widget in step with its control model.
class Binding {
  public:
    Binding(Binder& binder, ui::Control& control, QWidget* widget);
    virtual ~Binding() = default;
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    ui::Control& control() const { return control_; }
    QWidget* widget() const { return target_; }

    // Redraws the widget when its model changed since the last call.
    void sync();
    // Takes the model's present revision as drawn: for a change that the
    // widget itself made and already shows (a scroll, a caret move).
    void markDrawn() { seen_ = revision(); }

  protected:
    // The revision that decides a redraw; a binding that also mirrors another
    // control combines both.
    virtual uint64_t revision() const { return control_.revision(); }
    // Draws the model's present state into the widget, its signals blocked.
    virtual void apply() = 0;
    // Visibility, enabled state, tooltip and background colour: what every
    // control has.
    void applyCommon();
    Binder& binder() const { return binder_; }

  private:
    Binder& binder_;
    ui::Control& control_;
    QPointer<QWidget> target_;
    uint64_t seen_ = 0;
};

// A binding that knows its model's and its widget's own types.
template <typename Model, typename Widget>
class TypedBinding : public Binding {
  public:
    TypedBinding(Binder& binder, Model& model, Widget* widget)
        : Binding(binder, model, widget), model_(model), view_(widget) {}

  protected:
    Model& model() const { return model_; }
    Widget* view() const { return view_; }

  private:
    Model& model_;
    Widget* view_;
};

class Binder : public QObject {
    Q_OBJECT

  public:
    // `dialogs` shows what went wrong when an action fails unexpectedly.
    Binder(ui::Form& form, ui::Dialogs& dialogs, QObject* parent = nullptr);
    ~Binder() override;

    ui::Form& form() const { return form_; }

    // Takes ownership of a binding, draws it once and returns it.
    template <typename B, typename... Args>
    B& add(Args&&... args) {
        auto binding = std::make_unique<B>(*this, std::forward<Args>(args)...);
        B& ref = *binding;
        adopt(std::move(binding));
        return ref;
    }

    // Brings every widget up to date with its model, and the keyboard focus
    // with the model's focus.
    void syncAll();

    // Runs a user action on the models as the window's event would (the
    // control's act: the focus first, then the action), then redraws every
    // widget; an unexpected failure is shown, not lost.
    void userAction(ui::Control& target, const std::function<void()>& action);

    // The widget that shows a control, or nullptr.
    QWidget* widgetFor(const ui::Control* control) const;

    // Also treats `widget` getting the keyboard focus as its control getting
    // it (the inner line edit of a combo box, for example).
    void watchFocus(QWidget* widget, ui::Control& control);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void adopt(std::unique_ptr<Binding> binding);
    void syncFocus();

    ui::Form& form_;
    ui::Dialogs& dialogs_;
    std::vector<std::unique_ptr<Binding>> bindings_;
    std::unordered_map<const ui::Control*, Binding*> byControl_;
    std::unordered_map<const QObject*, ui::Control*> focusOwners_;
    const ui::Control* drawnFocus_ = nullptr;
};

// Pixels for a length in twips (1440 to the inch) at the widget's resolution.
int twipsToPixels(int twips, const QWidget* widget);

// A Qt text from a UTF-8 text of the program, and back.
QString qstr(std::string_view text);
std::string ustr(const QString& text);
// A text of the program as shown on screen: its CR LF line ends as line breaks.
QString displayText(std::string_view text);

// The position in a QString of the code point at `chars`, and back.
int utf16Index(const QString& text, int chars);
int codePointIndex(const QString& text, int utf16);

}  // namespace qtgui
