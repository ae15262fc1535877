// Text boxes, combo boxes and list boxes: the controls that the user types
// into or picks from. Typing goes through the model: Enter and each typed
// character reach the model's key handler first, and only the model's text is
// ever shown.
#include <QAbstractListModel>
#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStyleOptionComboBox>
#include <QtMath>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "qt/bindings.h"
#include "qt/theme.h"

namespace qtgui {
namespace {

// Calls `each` with every code point of the text, as a text of its own.
void forEachCodePoint(const QString& text, const std::function<void(const QString&)>& each) {
    for (int i = 0; i < text.size();) {
        int n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        each(text.mid(i, n));
        i += n;
    }
}

bool isTyping(const QKeyEvent* e) {
    if (e->text().isEmpty()) return false;
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    char16_t first = e->text().at(0).unicode();
    return first >= 0x20 && first != 0x7F;
}

// A line edit that offers Enter and every typed character (keyboard or input
// method) to `typed` and `enter` instead of inserting it; the editing keys
// (Backspace, Delete, paste, undo) work as usual and report through
// QLineEdit::textEdited.
class KeyLineEdit : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;
    std::function<void(const QString&)> typed;
    std::function<void()> enter;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            if (enter) enter();
            e->accept();
        } else if (isTyping(e) && typed) {
            forEachCodePoint(e->text(), typed);
            e->accept();
        } else {
            QLineEdit::keyPressEvent(e);
        }
    }

    void inputMethodEvent(QInputMethodEvent* e) override {
        const QString commit = e->commitString();
        if (commit.isEmpty() || !typed) {
            QLineEdit::inputMethodEvent(e);
            return;
        }
        // The composition being typed stays the input method's own; what it
        // commits is typed like keys.
        QInputMethodEvent preedit(e->preeditString(), e->attributes());
        QLineEdit::inputMethodEvent(&preedit);
        forEachCodePoint(commit, typed);
    }
};

// The selection of a line edit in code points: start and length.
std::pair<int, int> selectionOf(const QLineEdit* edit) {
    const QString text = edit->text();
    if (!edit->hasSelectedText()) {
        int caret = codePointIndex(text, edit->cursorPosition());
        return {caret, 0};
    }
    int start = codePointIndex(text, edit->selectionStart());
    int end = codePointIndex(text, edit->selectionEnd());
    return {start, end - start};
}

class TextBoxBinding : public TypedBinding<ui::TextBox, KeyLineEdit> {
  public:
    TextBoxBinding(Binder& b, ui::TextBox& text, KeyLineEdit* edit) : TypedBinding(b, text, edit) {
        edit->typed = [this](const QString& ch) { typed(ch); };
        edit->enter = [this] { key(ui::KeyPress{.ch = {}, .enter = true, .handled = false}); };
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& t) {
            binder().userAction(model(), [this, t] {
                model().setText(ustr(t));
                takeSelection();
            });
        });
        auto caretMoved = [this] {
            takeSelection();
            markDrawn();
        };
        QObject::connect(edit, &QLineEdit::cursorPositionChanged, edit, caretMoved);
        QObject::connect(edit, &QLineEdit::selectionChanged, edit, caretMoved);
    }

  protected:
    void apply() override {
        applyCommon();
        applyAccessibleName(view(), qstr(model().toolTip()));
        const QString text = qstr(model().text());
        if (view()->text() != text) view()->setText(text);
        int start = utf16Index(text, model().selStart());
        int end = utf16Index(text, model().selStart() + model().selLength());
        if (end > start)
            view()->setSelection(start, end - start);
        else
            view()->setCursorPosition(start);
    }

  private:
    // The caret and selection as the user left them.
    void takeSelection() {
        auto [start, length] = selectionOf(view());
        if (start != model().selStart() || length != model().selLength())
            model().select(start, length);
    }

    void typed(const QString& ch) {
        binder().userAction(model(), [this, ch] {
            takeSelection();
            ui::KeyPress press{.ch = ustr(ch), .enter = false, .handled = false};
            model().keyPress(press);
        });
    }

    void key(ui::KeyPress press) {
        binder().userAction(model(), [this, press]() mutable {
            takeSelection();
            model().keyPress(press);
        });
    }
};

// A multi-line editor: each edit hands the whole text to the model, with CR LF
// between its lines, and only a text that differs from the model's is drawn.
class MultiLineBinding : public TypedBinding<ui::TextBox, QPlainTextEdit> {
  public:
    MultiLineBinding(Binder& b, ui::TextBox& text, QPlainTextEdit* edit)
        : TypedBinding(b, text, edit) {
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this] {
            std::string typed = modelText();
            if (typed == model().text()) return;
            binder().userAction(model(), [this, typed] { model().setText(typed); });
        });
    }

  protected:
    void apply() override {
        applyCommon();
        applyAccessibleName(view(), qstr(model().toolTip()));
        if (modelText() != model().text()) view()->setPlainText(displayText(model().text()));
    }

  private:
    std::string modelText() const {
        QString text = view()->toPlainText();
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return ustr(text);
    }
};

// The items of a combo box read from the model's shared list as the popup
// shows them: a list of every day of a long log costs no item of its own.
class ComboItemsModel : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;
    void show(ui::ComboBox::ItemList items) {
        beginResetModel();
        items_ = std::move(items);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !items_ ? 0 : static_cast<int>(items_->size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount() ||
            (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return qstr((*items_)[static_cast<size_t>(index.row())]);
    }

  private:
    ui::ComboBox::ItemList items_;
};

// A combo box as wide as its widest item, as Qt measures it, but measuring
// few: Qt lays out every item when the box first shows, which for a list of
// every day of a long log took a quarter of a second. The widths of the
// items' characters added up tell which few are the widest, and those are
// measured as Qt measures them.
class ModelComboBox : public QComboBox {
  public:
    explicit ModelComboBox(QWidget* parent) : QComboBox(parent) {}
    QSize sizeHint() const override {
        return count() > kMeasured ? measured() : QComboBox::sizeHint();
    }
    QSize minimumSizeHint() const override {
        return count() > kMeasured ? measured() : QComboBox::minimumSizeHint();
    }
    // The items changed.
    void remeasure() {
        size_.reset();
        updateGeometry();
    }

  protected:
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) size_.reset();
        QComboBox::changeEvent(e);
    }

  private:
    // Qt's measure of a box: its widest text's bounding width and its font's
    // height, grown by the style.
    QSize measured() const {
        if (size_) return *size_;
        const QFontMetrics& metrics = fontMetrics();
        int width = 0;
        for (int i : widestItems())
            width = std::max(width, metrics.boundingRect(itemText(i)).width());
        QSize content(width, std::max(qCeil(QFontMetricsF(metrics).height()), 14) + 2);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        size_ = style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, this);
        return *size_;
    }

    // The items whose characters' widths add up to the most, short of the
    // room their ends leave.
    std::vector<int> widestItems() const {
        const QFontMetricsF metrics(font());
        QHash<char16_t, qreal> advances;
        std::vector<std::pair<qreal, int>> sums;
        sums.reserve(static_cast<size_t>(count()));
        for (int i = 0; i < count(); ++i) {
            const QString text = itemText(i);
            if (text.isEmpty()) continue;
            // From the first character's ink to the last one's.
            qreal sum = -metrics.leftBearing(text.front()) - metrics.rightBearing(text.back());
            for (QChar ch : text) {
                auto known = advances.constFind(ch.unicode());
                if (known == advances.constEnd())
                    known = advances.insert(ch.unicode(), metrics.horizontalAdvance(ch));
                sum += *known;
            }
            sums.emplace_back(sum, i);
        }
        const auto widest = sums.begin() + std::min<std::ptrdiff_t>(kMeasured, std::ssize(sums));
        std::partial_sort(sums.begin(), widest, sums.end(), std::greater<>());
        std::vector<int> items;
        for (auto it = sums.begin(); it != widest; ++it) items.push_back(it->second);
        return items;
    }

    static constexpr int kMeasured = 32;
    mutable std::optional<QSize> size_;
};

class ComboBoxBinding : public TypedBinding<ui::ComboBox, ModelComboBox> {
  public:
    ComboBoxBinding(Binder& b, ui::ComboBox& combo, ModelComboBox* widget, KeyLineEdit* edit)
        : TypedBinding(b, combo, widget), edit_(edit), itemModel_(new ComboItemsModel(widget)) {
        widget->setModel(itemModel_);
        edit->typed = [this](const QString& ch) { typed(ch); };
        edit->enter = [this] { enter(); };
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& t) {
            binder().userAction(model(), [this, t] { model().setText(ustr(t)); });
        });
        QObject::connect(widget, &QComboBox::activated, widget,
                         [this](int index) { chosen(index); });
        b.watchFocus(edit, combo);
    }

  protected:
    void apply() override {
        applyCommon();
        applyAccessibleName(view(), qstr(model().toolTip()));
        const std::vector<std::string>& items = model().items();
        // A list made again with the same items (every day, after the panel
        // is filled again) leaves the drop-down and the box's size as they are.
        const ui::ComboBox::ItemList& list = model().itemList();
        if (items_ != list && !(items_ && list && *items_ == *list)) {
            items_ = list;
            itemModel_->show(items_);
            view()->remeasure();
        }
        const auto found = std::find(items.begin(), items.end(), model().text());
        view()->setCurrentIndex(found == items.end() ? -1
                                                     : static_cast<int>(found - items.begin()));
        const QString text = qstr(model().text());
        if (edit_->text() != text) edit_->setText(text);
    }

  private:
    void typed(const QString& ch) {
        binder().userAction(model(), [this, ch] {
            ui::KeyPress press{.ch = ustr(ch), .enter = false, .handled = false};
            model().keyPress(press);
        });
    }

    void enter() {
        binder().userAction(model(), [this] {
            ui::KeyPress press{.ch = {}, .enter = true, .handled = false};
            model().keyPress(press);
        });
    }

    void chosen(int index) {
        if (index < 0 || index >= static_cast<int>(model().items().size())) return;
        binder().userAction(model(), [this, index] { model().choose(index); });
    }

    KeyLineEdit* edit_;
    ComboItemsModel* itemModel_;
    ui::ComboBox::ItemList items_;
};

// A list whose selection only the model changes. A press on an item selects
// it and raises MouseDown and Click; the release raises MouseUp over the item
// under the mouse, which is how an item is dragged to another place.
class ModelListWidget : public QListWidget {
  public:
    using QListWidget::QListWidget;
    std::function<void(int row)> pressed;
    std::function<void(int row)> released;
    std::function<void(int step)> stepped;

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        int row = indexAt(e->position().toPoint()).row();
        setFocus(Qt::MouseFocusReason);
        if (e->button() != Qt::LeftButton || row < 0) return;
        pressing_ = true;
        if (pressed) pressed(row);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override { mousePressEvent(e); }
    void mouseMoveEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (!pressing_) return;
        pressing_ = false;
        if (released) released(indexAt(e->position().toPoint()).row());
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
            if (stepped) stepped(e->key() == Qt::Key_Up ? -1 : 1);
            e->accept();
            return;
        }
        // NOLINTNEXTLINE(bugprone-parent-virtual-call): past the view's own keys, on purpose
        QWidget::keyPressEvent(e);
    }

  private:
    bool pressing_ = false;
};

class ListBoxBinding : public TypedBinding<ui::ListBox, ModelListWidget> {
  public:
    ListBoxBinding(Binder& b, ui::ListBox& list, ModelListWidget* widget)
        : TypedBinding(b, list, widget) {
        widget->pressed = [this](int row) {
            binder().userAction(model(), [this, row] { model().press(row); });
        };
        widget->released = [this](int row) {
            binder().userAction(model(), [this, row] { model().release(row); });
        };
        widget->stepped = [this](int step) { this->step(step); };
    }

  protected:
    void apply() override {
        applyCommon();
        applyAccessibleName(view(), qstr(model().toolTip()));
        if (items_ != model().items()) {
            items_ = model().items();
            view()->clear();
            for (const auto& item : items_) view()->addItem(qstr(item));
        }
        view()->setCurrentRow(model().listIndex());
        if (model().listIndex() < 0) view()->clearSelection();
    }

  private:
    void step(int by) {
        binder().userAction(model(), [this, by] { model().step(by); });
    }

    std::vector<std::string> items_;
};

}  // namespace

QLineEdit* bindTextBox(Binder& binder, ui::TextBox& text, QWidget* parent) {
    auto* edit = new KeyLineEdit(parent);
    edit->setObjectName(qstr(text.name()));
    nameAfterBuddyLabel(edit);
    binder.add<TextBoxBinding>(text, edit);
    return edit;
}

QPlainTextEdit* bindMultiLineTextBox(Binder& binder, ui::TextBox& text, QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(qstr(text.name()));
    theme::useFlatScrollBars(edit);
    edit->setTabChangesFocus(true);
    nameAfterBuddyLabel(edit);
    binder.add<MultiLineBinding>(text, edit);
    return edit;
}

QComboBox* bindComboBox(Binder& binder, ui::ComboBox& combo, QWidget* parent) {
    auto* widget = new ModelComboBox(parent);
    widget->setObjectName(qstr(combo.name()));
    auto* edit = new KeyLineEdit(widget);
    widget->setLineEdit(edit);
    widget->setInsertPolicy(QComboBox::NoInsert);
    // Completing the text as it is typed would show a text the model has not.
    widget->setCompleter(nullptr);
    widget->setMaxVisibleItems(12);
    nameAfterBuddyLabel(widget);
    binder.add<ComboBoxBinding>(combo, widget, edit);
    return widget;
}

QListWidget* bindListBox(Binder& binder, ui::ListBox& list, QWidget* parent) {
    auto* widget = new ModelListWidget(parent);
    widget->setObjectName(qstr(list.name()));
    theme::useFlatScrollBars(widget);
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    nameAfterBuddyLabel(widget);
    binder.add<ListBoxBinding>(list, widget);
    return widget;
}

}  // namespace qtgui
