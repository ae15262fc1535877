// Toolkit-free models of the window's controls. The program's logic reads and
// writes only these; the Qt front end draws them and the headless driver
// prints them. Every change bumps the control's revision, so a view knows
// what to redraw.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dates.h"
#include "ui/color.h"

namespace ui {

// A text in double quotes with \" \\ \r \n \t escaped.
std::string quoted(std::string_view text);

class Form;
class Frame;

class Control {
  public:
    Control(Form& form, std::string name, Frame* parent);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    Form& form() const { return form_; }
    Frame* parent() const { return parent_; }

    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    // Visible itself and inside visible frames: the user can reach it.
    bool shown() const;

    const std::optional<Color>& backColor() const { return backColor_; }
    void setBackColor(std::optional<Color> c);

    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string t);

    virtual bool focusable() const { return false; }
    void setFocus();
    std::function<void()> GotFocus;

    // The user acts on the control (a click, a key, a choice): it takes the
    // focus first when it can, then the action runs. Both front ends reach
    // the program's handlers only through this.
    void act(const std::function<void()>& action);

    virtual void dump(std::ostream& out) const = 0;
    uint64_t revision() const { return revision_; }

  protected:
    void touch();
    void dumpBg(std::ostream& out) const;

  private:
    Form& form_;
    std::string name_;
    Frame* parent_;
    bool visible_ = true;
    bool enabled_ = true;
    std::optional<Color> backColor_;
    std::string toolTip_;
    uint64_t revision_ = 0;
};

// A panel or a group of controls with a caption.
class Frame : public Control {
  public:
    Frame(Form& form, std::string name, Frame* parent, std::string caption = {});
    const std::string& caption() const { return caption_; }
    void setCaption(std::string c);
    void dump(std::ostream& out) const override;

  private:
    std::string caption_;
};

class Label : public Control {
  public:
    Label(Form& form, std::string name, Frame* parent, std::string text = {});
    const std::string& text() const { return text_; }
    void setText(std::string t);
    void dump(std::ostream& out) const override;

  private:
    std::string text_;
};

class Button : public Control {
  public:
    Button(Form& form, std::string name, Frame* parent, std::string caption = {});
    const std::string& caption() const { return caption_; }
    void setCaption(std::string c);
    // The letter that presses the button with Alt while it is on screen
    // (an upper-case ASCII letter), 0 for none.
    char accessKey() const { return accessKey_; }
    void setAccessKey(char letter);
    bool focusable() const override { return true; }
    // Runs Click, as the program does; press() is the user's click (act).
    void click();
    void press() {
        act([this] { click(); });
    }
    std::function<void()> Click;
    void dump(std::ostream& out) const override;

  private:
    std::string caption_;
    char accessKey_ = 0;
};

// Gives each button its Alt letter.
void setAccessKeys(std::initializer_list<std::pair<Button*, char>> keys);

// A check box; setting its value, by the user or the program, runs Click when
// the value changes.
class CheckBox : public Control {
  public:
    CheckBox(Form& form, std::string name, Frame* parent, std::string caption = {});
    const std::string& caption() const { return caption_; }
    int value() const { return value_; }
    void setValue(int v);
    void toggle() { setValue(value_ ? 0 : 1); }
    bool focusable() const override { return true; }
    std::function<void()> Click;
    void dump(std::ostream& out) const override;

  private:
    std::string caption_;
    int value_ = 0;
};

// An option button; selecting it clears the other buttons of its frame and
// runs Click, by the user or the program, when it was not selected before.
class OptionButton : public Control {
  public:
    OptionButton(Form& form, std::string name, Frame* parent, std::string caption);
    const std::string& caption() const { return caption_; }
    bool value() const { return value_; }
    void setValue(bool v);
    // The user clicks it: it becomes the selected button of its frame.
    void click() { setValue(true); }
    bool focusable() const override { return true; }
    std::function<void()> Click;
    void dump(std::ostream& out) const override;

  private:
    std::string caption_;
    bool value_ = false;
};

// A key press as a handler sees it: Enter, or one typed character. A handler
// that sets `handled` keeps the character from being typed.
struct KeyPress {
    std::string ch;
    bool enter = false;
    bool handled = false;
};

class TextBox : public Control {
  public:
    TextBox(Form& form, std::string name, Frame* parent);
    const std::string& text() const { return text_; }
    void setText(std::string t);
    // Selection in characters.
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void select(int start, int length);
    void selectAll();
    // Types a character at the caret, replacing the selection.
    void typeAtCaret(std::string_view ch);
    // The user presses a key: KeyPressed sees it first, then a character
    // that it did not swallow is typed.
    void keyPress(KeyPress& press);
    bool focusable() const override { return true; }
    std::function<void(KeyPress&)> KeyPressed;
    void dump(std::ostream& out) const override;

  private:
    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
};

class ListBox : public Control {
  public:
    ListBox(Form& form, std::string name, Frame* parent);
    const std::vector<std::string>& items() const { return items_; }
    void addItem(std::string item);
    void insertItem(int index, std::string item);
    void removeItem(int index);
    void clear();
    // All the items at once, nothing selected.
    void setItems(std::vector<std::string> items);
    int listIndex() const { return listIndex_; }
    void setListIndex(int i);
    // The mouse goes down on an item: it is selected, then MouseDown and
    // Click run.
    void press(int index);
    // The mouse comes up over an item (-1: over no item); the selection has
    // followed the mouse there, then MouseUp runs.
    void release(int index);
    // The arrow keys select an item and run Click.
    void selectByKey(int index);
    // An arrow key: the item `by` places away (-1 up, 1 down) is selected
    // by key; none past either end. With nothing selected, the first item.
    void step(int by);
    bool focusable() const override { return true; }
    std::function<void()> Click;
    std::function<void()> MouseDown;
    std::function<void()> MouseUp;
    void dump(std::ostream& out) const override;

  private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

class ComboBox : public Control {
  public:
    ComboBox(Form& form, std::string name, Frame* parent);
    const std::string& text() const { return text_; }
    void setText(std::string t);
    const std::vector<std::string>& items() const { return *items_; }
    // The list as one shared value: two boxes that list the same days share
    // one list, and a view sees that the list changed by comparing pointers.
    using ItemList = std::shared_ptr<const std::vector<std::string>>;
    const ItemList& itemList() const { return items_; }
    void setItems(ItemList items);
    void addItem(std::string item);
    void clear();
    void typeAtCaret(std::string_view ch);
    // As TextBox::keyPress.
    void keyPress(KeyPress& press);
    // The user picks an item of the list: it becomes the text, Click runs.
    void choose(int index);
    bool focusable() const override { return true; }
    std::function<void()> Click;
    std::function<void(KeyPress&)> KeyPressed;
    void dump(std::ostream& out) const override;

  private:
    std::string text_;
    ItemList items_ = std::make_shared<const std::vector<std::string>>();
};

class Picture : public Control {
  public:
    Picture(Form& form, std::string name, Frame* parent);
    const std::optional<int>& left() const { return left_; }
    void setLeft(int twips);
    void dump(std::ostream& out) const override;

  private:
    std::optional<int> left_;
};

class Shape : public Control {
  public:
    Shape(Form& form, std::string name, Frame* parent);
    const std::optional<int>& left() const { return left_; }
    const std::optional<int>& width() const { return width_; }
    void setGeometry(int left, int width);
    void dump(std::ostream& out) const override;

  private:
    std::optional<int> left_, width_;
};

// A horizontal scroll bar; a new value runs Change.
class Slider : public Control {
  public:
    Slider(Form& form, std::string name, Frame* parent, int min, int max);
    int value() const { return value_; }
    int min() const { return min_; }
    int max() const { return max_; }
    void setValue(int v);
    bool focusable() const override { return true; }
    std::function<void()> Change;
    std::function<void()> Scroll;
    void dump(std::ostream& out) const override;

  private:
    int min_, max_, value_;
};

class MonthCalendar : public Control {
  public:
    MonthCalendar(Form& form, std::string name, Frame* parent);
    core::Date date() const { return date_; }
    void setDate(core::Date d);
    // The user clicks a date: it is selected, DateClick runs.
    void clickDate(core::Date d);
    bool focusable() const override { return true; }
    std::function<void()> DateClick;
    void dump(std::ostream& out) const override;

  private:
    core::Date date_{};
};

enum class Align { Default, Left, Center, Right };

// One column of a grid as its panel lays it out.
struct GridColumn {
    std::string_view header;
    int width = 0;  // twips
    Align align = Align::Default;
    Align headerAlign = Align::Center;
};

// A grid with one fixed header row. A cell gives back exactly the text put
// into it; colours, widths and alignments are kept as the program set them.
class Grid : public Control {
  public:
    Grid(Form& form, std::string name, Frame* parent, int cols);
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    void setRows(int n);
    const std::string& text(int row, int col) const;
    void setText(int row, int col, std::string t);
    const std::optional<Color>& cellColor(int row, int col) const;
    void setCellColor(int row, int col, Color c);
    void addRow(const std::vector<std::string>& texts);
    void removeRow(int row);

    // The texts and colours of one row as a row source gives them.
    struct RowCells {
        std::vector<std::string> texts;  // cols() of them, empty to begin with
        std::vector<std::optional<Color>> colors;
    };
    using RowSource = std::function<void(int index, RowCells& row)>;
    // Rows 1 to `count` are given by `source` (called with 0 to count - 1)
    // the first time a cell of theirs is read or written: a long list costs
    // only the rows that someone reads. Row 0 stays as it is. Changing the
    // number of rows afterwards makes the rows that remain ordinary ones.
    void setRowSource(int count, RowSource source);

    // Empties the grid to its header row and lays out its columns, one
    // entry of the table for each.
    void layOut(int fontSize, std::span<const GridColumn> columns);

    int colWidth(int col) const { return widths_[static_cast<size_t>(col)]; }
    void setColWidth(int col, int twips);
    Align colAlignment(int col) const { return align_[static_cast<size_t>(col)]; }
    void setColAlignment(int col, Align a);
    Align fixedAlignment(int col) const { return fixedAlign_[static_cast<size_t>(col)]; }
    void setFixedAlignment(int col, Align a);
    int fontSize() const { return fontSize_; }
    void setFontSize(int points);
    int topRow() const { return topRow_; }
    void setTopRow(int row);
    int row() const { return row_; }
    int col() const { return col_; }
    void setCurrent(int row, int col);
    // A row shown selected as a whole (the one a panel will act on); 0 for none.
    int selectedRow() const { return selectedRow_; }
    void setSelectedRow(int row);
    // The user clicks or double-clicks a cell: it becomes current, then the
    // event runs.
    void clickCell(int row, int col);
    void doubleClickCell(int row, int col);

    bool focusable() const override { return true; }
    std::function<void()> Click;
    std::function<void()> DblClick;
    void dump(std::ostream& out) const override;

  private:
    size_t index(int row, int col) const {
        return static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col);
    }
    bool sourced(int row) const { return source_ && row >= 1 && row < rows_; }
    RowCells& sourcedRow(int row) const;
    // Makes rows 1 to `rows` - 1 ordinary ones and drops the source.
    void settle(int rows);
    int rows_ = 1, cols_;
    // The cells of ordinary rows; with a source, those of row 0 only.
    std::vector<std::string> cells_;
    std::vector<std::optional<Color>> colors_;
    RowSource source_;
    mutable std::vector<std::unique_ptr<RowCells>> given_;  // by row - 1, made when first read
    std::vector<int> widths_;
    std::vector<Align> align_, fixedAlign_;
    int fontSize_ = 9;
    int topRow_ = 1;
    int row_ = 1, col_ = 0;
    int selectedRow_ = 0;
};

// A chart of series against the point number; a point may have no value.
class Chart : public Control {
  public:
    Chart(Form& form, std::string name, Frame* parent, bool hasMarker = false);
    int seriesCount() const { return static_cast<int>(values_.size()); }
    int rowCount() const { return rows_; }
    void setSeriesCount(int n);
    void setRowCount(int n);
    // Row and series count from 1.
    void setValue(int row, int series, double v);
    // A whole series at once, one value a row (cut or filled up with points
    // without a value to the row count).
    void setSeries(int series, std::vector<std::optional<double>> values);
    const std::optional<double>& value(int row, int series) const;
    const std::vector<std::optional<double>>& series(int series) const;
    const std::optional<double>& axisMin() const { return min_; }
    const std::optional<double>& axisMax() const { return max_; }
    void setAxis(double min, double max);
    bool hasMarker() const { return hasMarker_; }
    int markerStyle() const { return marker_; }
    void setMarkerStyle(int style);
    bool focusable() const override { return true; }
    void click() {
        if (Click) Click();
    }
    std::function<void()> Click;
    void dump(std::ostream& out) const override;

  private:
    std::vector<std::vector<std::optional<double>>> values_;
    int rows_ = 1;
    std::optional<double> min_, max_;
    bool hasMarker_;
    int marker_ = 0;
};

// Several controls that share a name and differ by index: optKizami(1).
template <typename T>
class ControlArray {
  public:
    template <typename... Args>
    T& add(int index, Form& form, const std::string& name, Args&&... args) {
        auto control = std::make_unique<T>(form, name + "(" + std::to_string(index) + ")",
                                           std::forward<Args>(args)...);
        T& ref = *control;
        items_[index] = std::move(control);
        return ref;
    }
    T& operator()(int index) const { return *items_.at(index); }
    const std::map<int, std::unique_ptr<T>>& items() const { return items_; }

  private:
    std::map<int, std::unique_ptr<T>> items_;
};

// The window: its controls by name, its title and the keyboard focus.
class Form {
  public:
    // Run around every act of the user on a control (Control::act): the
    // window's look at what changed outside the program since the last act,
    // and its note of what the act left.
    std::function<void()> BeforeAct;
    std::function<void()> AfterAct;

    Control* find(std::string_view name) const;
    const std::vector<Control*>& controls() const { return controls_; }
    const std::string& title() const { return title_; }
    void setTitle(std::string t);
    Control* focus() const { return focus_; }
    void setFocus(Control* c);
    uint64_t nextRevision() { return ++revision_; }
    uint64_t revision() const { return revision_; }

  private:
    friend class Control;
    void add(Control* c) { controls_.push_back(c); }
    std::vector<Control*> controls_;
    std::string title_;
    Control* focus_ = nullptr;
    uint64_t revision_ = 0;
};

}  // namespace ui
