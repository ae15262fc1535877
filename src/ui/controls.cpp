#include "ui/controls.h"

#include <algorithm>
#include <cstdio>

namespace ui {
namespace {

// Characters, not bytes, of a UTF-8 text.
int charCount(std::string_view s) {
    return static_cast<int>(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

size_t byteOffset(std::string_view s, int chars) {
    size_t i = 0;
    for (int n = 0; i < s.size(); ++i) {
        if ((s[i] & 0xC0) != 0x80 && n++ == chars) return i;
    }
    return s.size();
}

const char* flag(bool b) {
    return b ? "1" : "0";
}

const char* alignText(Align a) {
    switch (a) {
        case Align::Left:
            return "L";
        case Align::Center:
            return "C";
        case Align::Right:
            return "R";
        case Align::Default:
            break;
    }
    return "-";
}

// Chart numbers: shortest form with at most 6 significant digits.
std::string chartNumber(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

}  // namespace

std::string colorText(Color c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c.r, c.g, c.b);
    return buf;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

// ---- Control

Control::Control(Form& form, std::string name, Frame* parent)
    : form_(form), name_(std::move(name)), parent_(parent) {
    form_.add(this);
    touch();
}

void Control::touch() {
    revision_ = form_.nextRevision();
}

void Control::setVisible(bool v) {
    if (visible_ != v) {
        visible_ = v;
        touch();
    }
}

void Control::setEnabled(bool e) {
    if (enabled_ != e) {
        enabled_ = e;
        touch();
    }
}

bool Control::shown() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void Control::setBackColor(std::optional<Color> c) {
    backColor_ = c;
    touch();
}

void Control::setToolTip(std::string t) {
    toolTip_ = std::move(t);
    touch();
}

void Control::setFocus() {
    form_.setFocus(this);
}

void Control::act(const std::function<void()>& action) {
    if (form_.BeforeAct) form_.BeforeAct();
    if (focusable()) setFocus();
    action();
    if (form_.AfterAct) form_.AfterAct();
}

void Control::dumpBg(std::ostream& out) const {
    if (backColor_) out << " bg=" << colorText(*backColor_);
}

// ---- Frame, Label, Button

Frame::Frame(Form& form, std::string name, Frame* parent, std::string caption)
    : Control(form, std::move(name), parent), caption_(std::move(caption)) {}

void Frame::setCaption(std::string c) {
    caption_ = std::move(c);
    touch();
}

void Frame::dump(std::ostream& out) const {
    out << "frame " << name() << " text=" << quoted(caption_) << " visible=" << flag(visible())
        << "\n";
}

Label::Label(Form& form, std::string name, Frame* parent, std::string text)
    : Control(form, std::move(name), parent), text_(std::move(text)) {}

void Label::setText(std::string t) {
    text_ = std::move(t);
    touch();
}

void Label::dump(std::ostream& out) const {
    out << "label " << name() << " text=" << quoted(text_) << " visible=" << flag(visible());
    dumpBg(out);
    out << "\n";
}

Button::Button(Form& form, std::string name, Frame* parent, std::string caption)
    : Control(form, std::move(name), parent), caption_(std::move(caption)) {}

void Button::setCaption(std::string c) {
    caption_ = std::move(c);
    touch();
}

void Button::setAccessKey(char letter) {
    accessKey_ = letter;
    touch();
}

void setAccessKeys(std::initializer_list<std::pair<Button*, char>> keys) {
    for (auto [button, letter] : keys) button->setAccessKey(letter);
}

void Button::click() {
    if (Click) Click();
}

void Button::dump(std::ostream& out) const {
    out << "button " << name() << " text=" << quoted(caption_) << " visible=" << flag(visible())
        << " enabled=" << flag(enabled());
    dumpBg(out);
    out << "\n";
}

// ---- CheckBox, OptionButton

CheckBox::CheckBox(Form& form, std::string name, Frame* parent, std::string caption)
    : Control(form, std::move(name), parent), caption_(std::move(caption)) {}

void CheckBox::setValue(int v) {
    if (value_ == v) return;
    value_ = v;
    touch();
    if (Click) Click();
}

void CheckBox::dump(std::ostream& out) const {
    out << "check " << name() << " text=" << quoted(caption_) << " visible=" << flag(visible())
        << " enabled=" << flag(enabled()) << " value=" << value_ << "\n";
}

OptionButton::OptionButton(Form& form, std::string name, Frame* parent, std::string caption)
    : Control(form, std::move(name), parent), caption_(std::move(caption)) {}

void OptionButton::setValue(bool v) {
    if (value_ == v) return;
    value_ = v;
    touch();
    if (!v) return;
    for (Control* c : form().controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (other && other != this && other->parent() == parent()) other->setValue(false);
    }
    if (Click) Click();
}

void OptionButton::dump(std::ostream& out) const {
    out << "option " << name() << " text=" << quoted(caption_) << " visible=" << flag(visible())
        << " enabled=" << flag(enabled()) << " value=" << flag(value_) << "\n";
}

// ---- TextBox

TextBox::TextBox(Form& form, std::string name, Frame* parent)
    : Control(form, std::move(name), parent) {}

void TextBox::setText(std::string t) {
    text_ = std::move(t);
    selStart_ = std::min(selStart_, charCount(text_));
    selLength_ = 0;
    touch();
}

void TextBox::select(int start, int length) {
    int n = charCount(text_);
    selStart_ = std::clamp(start, 0, n);
    selLength_ = std::clamp(length, 0, n - selStart_);
    touch();
}

void TextBox::selectAll() {
    select(0, charCount(text_));
}

void TextBox::typeAtCaret(std::string_view ch) {
    size_t from = byteOffset(text_, selStart_);
    size_t to = byteOffset(text_, selStart_ + selLength_);
    text_.replace(from, to - from, ch);
    selStart_ += charCount(ch);
    selLength_ = 0;
    touch();
}

void TextBox::keyPress(KeyPress& press) {
    if (KeyPressed) KeyPressed(press);
    if (!press.handled && !press.enter) typeAtCaret(press.ch);
}

void TextBox::dump(std::ostream& out) const {
    out << "text " << name() << " text=" << quoted(text_) << " visible=" << flag(visible())
        << " enabled=" << flag(enabled()) << " sel=" << selStart_ << "," << selLength_ << "\n";
}

// ---- ListBox, ComboBox

ListBox::ListBox(Form& form, std::string name, Frame* parent)
    : Control(form, std::move(name), parent) {}

void ListBox::addItem(std::string item) {
    items_.push_back(std::move(item));
    touch();
}

void ListBox::insertItem(int index, std::string item) {
    items_.insert(items_.begin() + std::clamp(index, 0, static_cast<int>(items_.size())),
                  std::move(item));
    touch();
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    items_.erase(items_.begin() + index);
    if (listIndex_ >= static_cast<int>(items_.size()) || listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    touch();
}

void ListBox::clear() {
    items_.clear();
    listIndex_ = -1;
    touch();
}

void ListBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    touch();
}

void ListBox::setListIndex(int i) {
    listIndex_ = (i >= 0 && i < static_cast<int>(items_.size())) ? i : -1;
    touch();
}

void ListBox::press(int index) {
    setListIndex(index);
    if (MouseDown) MouseDown();
    if (Click) Click();
}

void ListBox::release(int index) {
    if (index >= 0 && index != listIndex_) setListIndex(index);
    if (MouseUp) MouseUp();
}

void ListBox::selectByKey(int index) {
    setListIndex(index);
    if (Click) Click();
}

void ListBox::step(int by) {
    int count = static_cast<int>(items_.size());
    int index = listIndex_ < 0 ? 0 : listIndex_ + by;
    if (count == 0 || index < 0 || index >= count || index == listIndex_) return;
    selectByKey(index);
}

void ListBox::dump(std::ostream& out) const {
    out << "list " << name() << " items=" << items_.size() << " sel=" << listIndex_ << "\n";
    for (size_t i = 0; i < items_.size(); ++i) out << i << "\t" << quoted(items_[i]) << "\n";
}

ComboBox::ComboBox(Form& form, std::string name, Frame* parent)
    : Control(form, std::move(name), parent) {}

void ComboBox::setText(std::string t) {
    text_ = std::move(t);
    touch();
}

void ComboBox::setItems(ItemList items) {
    items_ = items ? std::move(items) : std::make_shared<const std::vector<std::string>>();
    touch();
}

void ComboBox::addItem(std::string item) {
    auto items = std::make_shared<std::vector<std::string>>(*items_);
    items->push_back(std::move(item));
    setItems(std::move(items));
}

void ComboBox::clear() {
    setItems(nullptr);
}

void ComboBox::typeAtCaret(std::string_view ch) {
    text_ += ch;
    touch();
}

void ComboBox::keyPress(KeyPress& press) {
    if (KeyPressed) KeyPressed(press);
    if (!press.handled && !press.enter) typeAtCaret(press.ch);
}

void ComboBox::choose(int index) {
    setText(items_->at(static_cast<size_t>(index)));
    if (Click) Click();
}

void ComboBox::dump(std::ostream& out) const {
    const std::vector<std::string>& items = *items_;
    out << "combo " << name() << " text=" << quoted(text_) << " items=" << items.size() << "\n";
    for (size_t i = 0; i < items.size(); ++i) out << i << "\t" << quoted(items[i]) << "\n";
}

// ---- Picture, Shape, Slider, MonthCalendar

Picture::Picture(Form& form, std::string name, Frame* parent)
    : Control(form, std::move(name), parent) {}

void Picture::setLeft(int twips) {
    left_ = twips;
    touch();
}

void Picture::dump(std::ostream& out) const {
    out << "picture " << name() << " visible=" << flag(visible());
    if (left_) out << " left=" << *left_;
    out << "\n";
}

Shape::Shape(Form& form, std::string name, Frame* parent)
    : Control(form, std::move(name), parent) {}

void Shape::setGeometry(int left, int width) {
    left_ = left;
    width_ = width;
    touch();
}

void Shape::dump(std::ostream& out) const {
    out << "shape " << name() << " visible=" << flag(visible());
    if (left_) out << " left=" << *left_;
    if (width_) out << " width=" << *width_;
    dumpBg(out);
    out << "\n";
}

Slider::Slider(Form& form, std::string name, Frame* parent, int min, int max)
    : Control(form, std::move(name), parent), min_(min), max_(max), value_(min) {}

void Slider::setValue(int v) {
    v = std::clamp(v, min_, max_);
    if (v == value_) return;
    value_ = v;
    touch();
    if (Change) Change();
}

void Slider::dump(std::ostream& out) const {
    out << "slider " << name() << " visible=" << flag(visible()) << " enabled=" << flag(enabled())
        << " value=" << value_ << " min=" << min_ << " max=" << max_ << "\n";
}

MonthCalendar::MonthCalendar(Form& form, std::string name, Frame* parent)
    : Control(form, std::move(name), parent) {}

void MonthCalendar::setDate(core::Date d) {
    date_ = d;
    touch();
}

void MonthCalendar::clickDate(core::Date d) {
    setDate(d);
    if (DateClick) DateClick();
}

void MonthCalendar::dump(std::ostream& out) const {
    out << "calendar " << name() << " date=" << core::dateText(date_) << "\n";
}

// ---- Grid

Grid::Grid(Form& form, std::string name, Frame* parent, int cols)
    : Control(form, std::move(name), parent),
      cols_(cols),
      cells_(static_cast<size_t>(cols)),
      colors_(static_cast<size_t>(cols)),
      widths_(static_cast<size_t>(cols), 960),
      align_(static_cast<size_t>(cols), Align::Default),
      fixedAlign_(static_cast<size_t>(cols), Align::Default) {}

void Grid::setRows(int n) {
    n = std::max(n, 1);
    if (source_) settle(std::min(n, rows_));
    rows_ = n;
    cells_.resize(index(n, 0));
    colors_.resize(index(n, 0));
    if (row_ >= rows_) row_ = rows_ - 1;
    if (selectedRow_ >= rows_) selectedRow_ = 0;
    if (topRow_ >= rows_) topRow_ = std::max(1, rows_ - 1);
    touch();
}

void Grid::setRowSource(int count, RowSource source) {
    setRows(1);
    rows_ = std::max(count, 0) + 1;
    source_ = std::move(source);
    given_.clear();
    given_.resize(static_cast<size_t>(rows_ - 1));
    touch();
}

Grid::RowCells& Grid::sourcedRow(int row) const {
    auto& given = given_[static_cast<size_t>(row - 1)];
    if (!given) {
        given = std::make_unique<RowCells>();
        given->texts.resize(static_cast<size_t>(cols_));
        given->colors.resize(static_cast<size_t>(cols_));
        source_(row - 1, *given);
        given->texts.resize(static_cast<size_t>(cols_));
        given->colors.resize(static_cast<size_t>(cols_));
    }
    return *given;
}

void Grid::settle(int rows) {
    cells_.resize(index(rows, 0));
    colors_.resize(index(rows, 0));
    for (int r = 1; r < rows; ++r) {
        RowCells& row = sourcedRow(r);
        std::move(row.texts.begin(), row.texts.end(),
                  cells_.begin() + static_cast<long>(index(r, 0)));
        std::copy(row.colors.begin(), row.colors.end(),
                  colors_.begin() + static_cast<long>(index(r, 0)));
    }
    source_ = nullptr;
    given_.clear();
    rows_ = std::max(rows, 1);
}

const std::string& Grid::text(int row, int col) const {
    if (sourced(row)) return sourcedRow(row).texts.at(static_cast<size_t>(col));
    return cells_.at(index(row, col));
}

void Grid::setText(int row, int col, std::string t) {
    if (sourced(row))
        sourcedRow(row).texts.at(static_cast<size_t>(col)) = std::move(t);
    else
        cells_.at(index(row, col)) = std::move(t);
    touch();
}

const std::optional<Color>& Grid::cellColor(int row, int col) const {
    if (sourced(row)) return sourcedRow(row).colors.at(static_cast<size_t>(col));
    return colors_.at(index(row, col));
}

void Grid::setCellColor(int row, int col, Color c) {
    if (sourced(row))
        sourcedRow(row).colors.at(static_cast<size_t>(col)) = c;
    else
        colors_.at(index(row, col)) = c;
    touch();
}

void Grid::addRow(const std::vector<std::string>& texts) {
    setRows(rows_ + 1);
    for (int c = 0; c < cols_ && c < static_cast<int>(texts.size()); ++c)
        cells_[index(rows_ - 1, c)] = texts[static_cast<size_t>(c)];
}

void Grid::removeRow(int row) {
    if (row < 1 || row >= rows_) return;
    if (source_) settle(rows_);
    cells_.erase(cells_.begin() + static_cast<long>(index(row, 0)),
                 cells_.begin() + static_cast<long>(index(row + 1, 0)));
    colors_.erase(colors_.begin() + static_cast<long>(index(row, 0)),
                  colors_.begin() + static_cast<long>(index(row + 1, 0)));
    setRows(rows_ - 1);
}

void Grid::layOut(int fontSize, std::span<const GridColumn> columns) {
    setRows(1);
    setFontSize(fontSize);
    int c = 0;
    for (const GridColumn& column : columns) {
        setText(0, c, std::string(column.header));
        setColWidth(c, column.width);
        setColAlignment(c, column.align);
        setFixedAlignment(c, column.headerAlign);
        ++c;
    }
}

void Grid::setColWidth(int col, int twips) {
    widths_.at(static_cast<size_t>(col)) = twips;
    touch();
}

void Grid::setColAlignment(int col, Align a) {
    align_.at(static_cast<size_t>(col)) = a;
    touch();
}

void Grid::setFixedAlignment(int col, Align a) {
    fixedAlign_.at(static_cast<size_t>(col)) = a;
    touch();
}

void Grid::setFontSize(int points) {
    fontSize_ = points;
    touch();
}

void Grid::setTopRow(int row) {
    if (row >= 1 && row < rows_) topRow_ = row;
    touch();
}

void Grid::setCurrent(int row, int col) {
    row_ = std::clamp(row, 0, rows_ - 1);
    col_ = std::clamp(col, 0, cols_ - 1);
    touch();
}

void Grid::setSelectedRow(int row) {
    selectedRow_ = row >= 1 && row < rows_ ? row : 0;
    touch();
}

void Grid::clickCell(int row, int col) {
    setCurrent(row, col);
    if (Click) Click();
}

void Grid::doubleClickCell(int row, int col) {
    setCurrent(row, col);
    if (DblClick) DblClick();
}

void Grid::dump(std::ostream& out) const {
    out << "grid " << name() << " rows=" << rows_ << " cols=" << cols_ << " top=" << topRow_
        << " font=" << fontSize_ << "\n";
    out << "widths";
    for (int w : widths_) out << "\t" << w;
    out << "\nalign";
    for (Align a : align_) out << "\t" << alignText(a);
    out << "\nhalign";
    for (Align a : fixedAlign_) out << "\t" << alignText(a);
    out << "\n";
    for (int r = 0; r < rows_; ++r) {
        out << r;
        for (int c = 0; c < cols_; ++c) {
            out << "\t" << quoted(text(r, c));
            if (const auto& color = cellColor(r, c)) out << colorText(*color);
        }
        out << "\n";
    }
}

// ---- Chart

Chart::Chart(Form& form, std::string name, Frame* parent, bool hasMarker)
    : Control(form, std::move(name), parent), values_(1), hasMarker_(hasMarker) {
    values_[0].resize(1);
}

void Chart::setSeriesCount(int n) {
    values_.resize(static_cast<size_t>(std::max(n, 1)));
    for (auto& s : values_) s.resize(static_cast<size_t>(rows_));
    touch();
}

void Chart::setRowCount(int n) {
    rows_ = std::max(n, 0);
    for (auto& s : values_) s.resize(static_cast<size_t>(rows_));
    touch();
}

void Chart::setValue(int row, int series, double v) {
    values_.at(static_cast<size_t>(series - 1)).at(static_cast<size_t>(row - 1)) = v;
    touch();
}

void Chart::setSeries(int series, std::vector<std::optional<double>> values) {
    values.resize(static_cast<size_t>(rows_));
    values_.at(static_cast<size_t>(series - 1)) = std::move(values);
    touch();
}

const std::optional<double>& Chart::value(int row, int series) const {
    return values_.at(static_cast<size_t>(series - 1)).at(static_cast<size_t>(row - 1));
}

const std::vector<std::optional<double>>& Chart::series(int series) const {
    return values_.at(static_cast<size_t>(series - 1));
}

void Chart::setAxis(double min, double max) {
    min_ = min;
    max_ = max;
    touch();
}

void Chart::setMarkerStyle(int style) {
    marker_ = style;
    touch();
}

void Chart::dump(std::ostream& out) const {
    auto bound = [](const std::optional<double>& b) { return b ? chartNumber(*b) : "-"; };
    out << "chart " << name() << " series=" << values_.size() << " rows=" << rows_
        << " min=" << bound(min_) << " max=" << bound(max_);
    if (hasMarker_) out << " marker=" << marker_;
    out << "\n";
    for (size_t s = 0; s < values_.size(); ++s) {
        out << s + 1;
        for (const auto& v : values_[s]) out << "\t" << (v ? chartNumber(*v) : "-");
        out << "\n";
    }
}

// ---- Form

Control* Form::find(std::string_view name) const {
    for (Control* c : controls_)
        if (c->name() == name) return c;
    return nullptr;
}

void Form::setTitle(std::string t) {
    title_ = std::move(t);
    nextRevision();
}

void Form::setFocus(Control* c) {
    if (focus_ == c) return;
    focus_ = c;
    nextRevision();
    if (c && c->GotFocus) c->GotFocus();
}

}  // namespace ui
