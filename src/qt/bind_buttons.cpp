// Labels, buttons, check boxes, option buttons and groups.
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <string_view>

#include "qt/bindings.h"

namespace qtgui {
namespace {

// A check box whose tick is drawn from the model only: a click asks the
// model to toggle instead of toggling itself.
class ModelCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override {}
};

// An option button that never selects itself: the model decides.
class ModelRadioButton : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    void nextCheckState() override {}
};

class LabelBinding : public TypedBinding<ui::Label, QLabel> {
  public:
    using TypedBinding::TypedBinding;

  protected:
    void apply() override {
        applyCommon();
        view()->setText(displayText(model().text()));
    }
};

class ButtonBinding : public TypedBinding<ui::Button, QAbstractButton> {
  public:
    // `key`: a key of the button's own beside its letter (the side column's).
    ButtonBinding(Binder& b, ui::Button& button, QAbstractButton* widget,
                  const ui::Frame* panel = nullptr, const QKeySequence& key = {})
        : TypedBinding(b, button, widget), panel_(panel), key_(key) {
        QObject::connect(widget, &QAbstractButton::clicked, widget,
                         [this] { binder().userAction(model(), [this] { model().click(); }); });
    }

  protected:
    uint64_t revision() const override {
        return std::max(model().revision(), panel_ ? panel_->revision() : 0);
    }
    void apply() override {
        applyCommon();
        applyText();
        // A picture button is named by its tool tip, one with a caption by it.
        applyAccessibleName(view(),
                            model().caption().empty() ? qstr(model().toolTip()) : QString());
        if (!panel_) return;
        bool current = panel_->visible();
        if (view()->property("current").toBool() == current) return;
        view()->setProperty("current", current);
        view()->style()->unpolish(view());
        view()->style()->polish(view());
    }

  private:
    // The caption with its letter, "保存(S)", the Japanese way; a button
    // without a caption takes the letter with Alt as its key. A key is
    // named in the tool tip.
    void applyText() {
        QString caption = qstr(model().caption());
        QKeySequence key = key_;
        const char letter = model().accessKey();
        if (letter && !caption.isEmpty())
            caption += QStringLiteral("(&%1)").arg(QLatin1Char(letter));
        else if (letter)
            key = QKeySequence(Qt::ALT | Qt::Key(letter));
        view()->setText(caption);  // takes a "(&S)" as its key, and drops any other
        if (key.isEmpty()) return;
        view()->setShortcut(key);
        if (!view()->toolTip().isEmpty())
            view()->setToolTip(view()->toolTip() + QStringLiteral("（%1）").arg(
                                                       key.toString(QKeySequence::NativeText)));
    }

    const ui::Frame* panel_;
    QKeySequence key_;
};

class CheckBoxBinding : public TypedBinding<ui::CheckBox, QCheckBox> {
  public:
    CheckBoxBinding(Binder& b, ui::CheckBox& check, QCheckBox* widget)
        : TypedBinding(b, check, widget) {
        QObject::connect(widget, &QAbstractButton::clicked, widget,
                         [this] { binder().userAction(model(), [this] { model().toggle(); }); });
    }

  protected:
    void apply() override {
        applyCommon();
        view()->setText(qstr(model().caption()));
        view()->setCheckState(model().value() == 0   ? Qt::Unchecked
                              : model().value() == 1 ? Qt::Checked
                                                     : Qt::PartiallyChecked);
    }
};

class OptionBinding : public TypedBinding<ui::OptionButton, QRadioButton> {
  public:
    OptionBinding(Binder& b, ui::OptionButton& option, QRadioButton* widget)
        : TypedBinding(b, option, widget) {
        QObject::connect(widget, &QAbstractButton::clicked, widget,
                         [this] { binder().userAction(model(), [this] { model().click(); }); });
    }

  protected:
    void apply() override {
        applyCommon();
        view()->setText(qstr(model().caption()));
        view()->setChecked(model().value());
    }
};

class GroupBinding : public TypedBinding<ui::Frame, QGroupBox> {
  public:
    using TypedBinding::TypedBinding;

  protected:
    void apply() override {
        applyCommon();
        view()->setTitle(qstr(model().caption()));
    }
};

// The property that keeps the name given from the model's tool tip.
constexpr char kNameFromModel[] = "accessibleNameFromModel";

// Names its widget after the label whose buddy it is, when it is first shown.
class BuddyNamer : public QObject {
  public:
    explicit BuddyNamer(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        auto* widget = static_cast<QWidget*>(watched);
        widget->removeEventFilter(this);
        deleteLater();
        QString model = widget->property(kNameFromModel).toString();
        if (widget->accessibleName() != model) return false;  // the view's own
        if (QLabel* label = buddyLabel(widget)) widget->setAccessibleName(labelText(label));
        return false;
    }

  private:
    static QLabel* buddyLabel(const QWidget* widget) {
        const auto labels = widget->window()->findChildren<QLabel*>();
        for (QLabel* label : labels)
            if (label->buddy() == widget) return label;
        return nullptr;
    }
    // The label's text without the & that marks its letter.
    static QString labelText(const QLabel* label) {
        QString text = label->text();
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(QLatin1Char('&'));
        text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
        return text.trimmed();
    }
};

}  // namespace

void applyAccessibleName(QWidget* widget, const QString& toolTip) {
    // Any name but the one last given here is the view's or the label's.
    if (widget->accessibleName() != widget->property(kNameFromModel).toString()) return;
    widget->setAccessibleName(toolTip);
    widget->setProperty(kNameFromModel, toolTip);
}

void nameAfterBuddyLabel(QWidget* widget) {
    new BuddyNamer(widget);
}

QIcon svgIcon(const QString& resource) {
    // QIcon renders an SVG file at every size asked for through the SVG
    // image plugin.
    return QIcon(resource);
}

QLabel* bindLabel(Binder& binder, ui::Label& label, QWidget* parent) {
    return bindLabelView(binder, label, new QLabel(parent));
}

QLabel* bindLabelView(Binder& binder, ui::Label& label, QLabel* widget) {
    widget->setTextFormat(Qt::PlainText);
    widget->setObjectName(qstr(label.name()));
    binder.add<LabelBinding>(label, widget);
    return widget;
}

QPushButton* bindButton(Binder& binder, ui::Button& button, QWidget* parent) {
    auto* widget = new QPushButton(parent);
    widget->setObjectName(qstr(button.name()));
    binder.add<ButtonBinding>(button, widget);
    return widget;
}

QToolButton* bindSideButton(Binder& binder, ui::Button& button, const QIcon& icon,
                            const ui::Frame* panel, QWidget* parent, const QKeySequence& key) {
    auto* widget = new QToolButton(parent);
    widget->setObjectName(qstr(button.name()));
    widget->setProperty("side", true);
    widget->setIcon(icon);
    widget->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    widget->setCursor(Qt::PointingHandCursor);
    binder.add<ButtonBinding>(button, widget, panel, key);
    return widget;
}

QCheckBox* bindCheckBox(Binder& binder, ui::CheckBox& check, QWidget* parent) {
    auto* widget = new ModelCheckBox(parent);
    widget->setObjectName(qstr(check.name()));
    binder.add<CheckBoxBinding>(check, widget);
    return widget;
}

QRadioButton* bindOptionButton(Binder& binder, ui::OptionButton& option, QWidget* parent) {
    auto* widget = new ModelRadioButton(parent);
    widget->setObjectName(qstr(option.name()));
    // The model clears the other buttons of its group; Qt must not.
    widget->setAutoExclusive(false);
    binder.add<OptionBinding>(option, widget);
    return widget;
}

QGroupBox* bindGroup(Binder& binder, ui::Frame& frame, QWidget* parent) {
    auto* widget = new QGroupBox(parent);
    widget->setObjectName(qstr(frame.name()));
    binder.add<GroupBinding>(frame, widget);
    return widget;
}

}  // namespace qtgui
