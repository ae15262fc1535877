#include "qt/binder.h"

#include <QEvent>
#include <exception>

namespace qtgui {

// ---- Binding

Binding::Binding(Binder& binder, ui::Control& control, QWidget* widget)
    : binder_(binder), control_(control), target_(widget) {}

void Binding::sync() {
    if (!target_ || revision() == seen_) return;
    seen_ = revision();
    const QSignalBlocker blocker(target_.data());
    apply();
}

void Binding::applyCommon() {
    target_->setVisible(control_.visible());
    target_->setEnabled(control_.enabled());
    target_->setToolTip(qstr(control_.toolTip()));
    const auto& color = control_.backColor();
    QString sheet;
    if (color) sheet = QStringLiteral("background-color: %1;").arg(qstr(ui::colorText(*color)));
    if (target_->styleSheet() != sheet) target_->setStyleSheet(sheet);
}

// ---- Binder

Binder::Binder(ui::Form& form, ui::Dialogs& dialogs, QObject* parent)
    : QObject(parent), form_(form), dialogs_(dialogs) {}

Binder::~Binder() = default;

void Binder::adopt(std::unique_ptr<Binding> binding) {
    Binding& ref = *binding;
    byControl_[&ref.control()] = &ref;
    if (ref.control().focusable()) watchFocus(ref.widget(), ref.control());
    bindings_.push_back(std::move(binding));
    ref.sync();
}

void Binder::syncAll() {
    for (const auto& binding : bindings_) binding->sync();
    syncFocus();
}

void Binder::syncFocus() {
    const ui::Control* focus = form_.focus();
    if (focus == drawnFocus_) return;
    drawnFocus_ = focus;
    QWidget* widget = widgetFor(focus);
    if (widget && widget->isVisible() && !widget->hasFocus())
        widget->setFocus(Qt::OtherFocusReason);
}

void Binder::userAction(ui::Control& target, const std::function<void()>& action) {
    // The widget the user works with has the focus in its own way (a tool
    // button never takes it): leave the keyboard where it is.
    if (target.focusable()) drawnFocus_ = &target;
    try {
        target.act(action);
    } catch (const std::exception& e) {
        syncAll();
        dialogs_.message(std::string("予期しないエラーが起きました。\r\n") + e.what(), "ヤセルンバ",
                         ui::Icon::Exclamation);
    }
    syncAll();
}

QWidget* Binder::widgetFor(const ui::Control* control) const {
    auto it = byControl_.find(control);
    return it == byControl_.end() ? nullptr : it->second->widget();
}

void Binder::watchFocus(QWidget* widget, ui::Control& control) {
    focusOwners_[widget] = &control;
    widget->installEventFilter(this);
}

bool Binder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        auto it = focusOwners_.find(watched);
        if (it != focusOwners_.end() && form_.focus() != it->second) {
            ui::Control* control = it->second;
            drawnFocus_ = control;
            control->setFocus();
            syncAll();
        }
    }
    return QObject::eventFilter(watched, event);
}

// ---- helpers

int twipsToPixels(int twips, const QWidget* widget) {
    int dpi = widget ? widget->logicalDpiX() : 96;
    return static_cast<int>(static_cast<long long>(twips) * dpi / 1440);
}

QString qstr(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ustr(const QString& text) {
    return text.toStdString();
}

QString displayText(std::string_view text) {
    QString s = qstr(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

int utf16Index(const QString& text, int chars) {
    int i = 0;
    for (int n = 0; i < text.size() && n < chars; ++n)
        i += (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    return i;
}

int codePointIndex(const QString& text, int utf16) {
    int n = 0;
    for (int i = 0; i < utf16 && i < text.size(); ++n)
        i += (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    return n;
}

}  // namespace qtgui
