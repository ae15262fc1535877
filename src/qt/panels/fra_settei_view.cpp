// The editing panel: the BMI meter with its formulas, the scale step of the
// weight entry and the automatic time of the diary on the left; the profile
// and the new start in the middle; the situation list editor on the right.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/band_strip.h"
#include "qt/panels/panels.h"
#include "setup/settei_panel.h"

namespace qtgui::panels {
namespace {

// The value boxes of the formulas are dark with light text; the class label
// takes the colour of its class from the model.
const char* const kMeterStyle = R"css(
QLabel[valueBox="true"] {
  background: #4a5648; color: #f5fff2; border-radius: 5px; padding: 2px 8px;
  font-weight: bold;
}
QLabel[formula="true"] { color: #33402f; }
QLabel#lblHyouka {
  border: 1px solid #9aab96; border-radius: 6px; padding: 3px 16px; font-weight: bold;
}
QFrame[fractionBar="true"] { background: #33402f; border: none; }
QLabel[note="true"] { color: #6b7768; font-size: 8pt; }
)css";

QLabel* text(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setProperty("formula", true);
    return label;
}

QLabel* valueBox(Binder& binder, ui::Label& model, QWidget* parent) {
    QLabel* box = bindLabel(binder, model, parent);
    box->setProperty("valueBox", true);
    box->setAlignment(Qt::AlignCenter);
    box->setMinimumWidth(64);
    return box;
}

// A caption followed by its value box, as one term of a formula.
QWidget* term(const QString& caption, QLabel* box, QWidget* parent) {
    auto* widget = new QWidget(parent);
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    if (!caption.isEmpty()) row->addWidget(text(caption, widget));
    box->setParent(widget);
    row->addWidget(box);
    return widget;
}

// A numerator over a denominator with the bar between them.
QWidget* fraction(QWidget* numerator, QWidget* denominator, QWidget* parent) {
    auto* widget = new QWidget(parent);
    auto* column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* bar = new QFrame(widget);
    bar->setProperty("fractionBar", true);
    bar->setFixedHeight(2);
    numerator->setParent(widget);
    denominator->setParent(widget);
    column->addWidget(numerator, 0, Qt::AlignHCenter);
    column->addWidget(bar);
    column->addWidget(denominator, 0, Qt::AlignHCenter);
    return widget;
}

// The scale under the band: the numbers of its text stand at even steps
// from one end of the band to the other, each run of dots midway between two
// numbers.
class ScaleLabel : public QLabel {
  public:
    // `inset`: pixels from each side of the label to the centre of the first
    // and the last number.
    ScaleLabel(int inset, QWidget* parent) : QLabel(parent), inset_(inset) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        const QStringList parts = runs(text());
        int numbers = static_cast<int>((parts.size() + 1) / 2);
        if (numbers < 2) return;
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        double step = (width() - 2.0 * inset_) / (numbers - 1);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            double centre = inset_ + step * static_cast<double>(i) / 2;
            QRectF box(centre - step / 2, 0, step, height());
            painter.drawText(box, Qt::AlignCenter, parts[i]);
        }
    }

  private:
    // The text cut where digits and other characters meet: number, dots,
    // number, ...
    static QStringList runs(const QString& text) {
        QStringList parts;
        for (QChar c : text) {
            bool digit = c.isDigit();
            if (parts.isEmpty() || parts.last().at(0).isDigit() != digit)
                parts.append(QString(c));
            else
                parts.last().append(c);
        }
        if (!parts.isEmpty() && !parts.first().at(0).isDigit()) parts.clear();
        return parts;
    }

    int inset_;
};

QWidget* scaleLabel(Binder& binder, setup::SetteiPanel& panel, BandStrip& strip) {
    const int inset = 14;
    auto* scale = new ScaleLabel(inset, &strip);
    QFont font = scale->font();
    font.setPointSize(8);
    scale->setFont(font);
    bindLabelView(binder, panel.Label19, scale);
    strip.addBelow(scale, strip.bandLeft(), strip.bandRight(), 2);
    int left = strip.xOf(strip.bandLeft()) - inset;
    int right = strip.xOf(strip.bandRight()) + inset;
    scale->setGeometry(left, scale->y(), right - left, scale->height());
    return scale;
}

QWidget* meterStrip(setup::SetteiPanel& panel, Binder& binder, QWidget* parent) {
    auto* strip = new BandStrip(binder, panel.Shape2, panel.Image2,
                                {.pointer = QSize(28, 28), .barHeight = 22}, parent);
    scaleLabel(binder, panel, *strip);
    QScrollBar* slider = bindSlider(binder, panel.HScroll1, 1, 10, strip);
    slider->setMinimumHeight(20);
    strip->addBelow(slider, strip->bandLeft(), strip->bandRight(), 6);
    return strip;
}

QWidget* bmiFormula(setup::SetteiPanel& panel, Binder& binder, QWidget* parent) {
    auto* height = new QWidget(parent);
    auto* heightRow = new QHBoxLayout(height);
    heightRow->setContentsMargins(0, 0, 0, 0);
    heightRow->setSpacing(2);
    heightRow->addWidget(
        term(QStringLiteral("身長（ｍ）"), valueBox(binder, panel.Label9(30), height), height));
    QLabel* squared = text(QStringLiteral("2"), height);
    QFont small = squared->font();
    small.setPointSize(8);
    squared->setFont(small);
    heightRow->addWidget(squared, 0, Qt::AlignTop);
    return fraction(
        term(QStringLiteral("体重（Ｋｇ）"), valueBox(binder, panel.Label9(28), parent), parent),
        height, parent);
}

QWidget* obesityFormula(setup::SetteiPanel& panel, Binder& binder, QWidget* parent) {
    auto* numerator = new QWidget(parent);
    auto* row = new QHBoxLayout(numerator);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(
        term(QStringLiteral("体重（Ｋｇ）"), valueBox(binder, panel.lblTai, numerator), numerator));
    row->addWidget(term(QStringLiteral("－標準体重（Ｋｇ）"),
                        valueBox(binder, panel.lblHyojun(0), numerator), numerator));
    return fraction(numerator,
                    term(QStringLiteral("標準体重（Ｋｇ）"),
                         valueBox(binder, panel.lblHyojun(1), parent), parent),
                    parent);
}

// BMI(体格指数) [  ] ＝ 体重 / 身長²     適正　２２
// 肥満度（％）  [  ] ＝ (体重 − 標準体重) / 標準体重 ×１００
// 肥満指数判定  [class]
QWidget* formulas(setup::SetteiPanel& panel, Binder& binder, QWidget* parent) {
    auto* area = new QWidget(parent);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(16);
    auto equals = [&] { return text(QStringLiteral("＝"), area); };

    auto line = [&](int at, const QString& caption, ui::Label& result, QWidget* formula,
                    const QString& after, int gap) {
        grid->addWidget(text(caption, area), at, 0);
        grid->addWidget(valueBox(binder, result, area), at, 1, Qt::AlignVCenter);
        grid->addWidget(equals(), at, 2);
        grid->addLayout(row({formula, text(after, area), stretch()}, {.spacing = gap}), at, 3);
    };
    line(0, QStringLiteral("BMI(体格指数)"), panel.Label9(25), bmiFormula(panel, binder, area),
         QStringLiteral("適正　２２"), 28);
    line(1, QStringLiteral("肥満度（％）"), panel.lblHiman, obesityFormula(panel, binder, area),
         QStringLiteral("×１００"), 6);

    grid->addWidget(text(QStringLiteral("肥満指数判定"), area), 2, 0);
    QLabel* judged = bindLabel(binder, panel.lblHyouka, area);
    judged->setAlignment(Qt::AlignCenter);
    judged->setMinimumWidth(180);
    grid->addWidget(judged, 2, 1, 1, 3, Qt::AlignLeft | Qt::AlignVCenter);
    grid->setColumnStretch(3, 1);
    return area;
}

QGroupBox* meterGroup(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, panel.Frame1, body);
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(18);
    layout->addWidget(meterStrip(panel, binder, group), 0, Qt::AlignHCenter);
    layout->addWidget(formulas(panel, binder, group));
    return group;
}

// The list with its buttons beside it; under it the rename: the new text
// below an arrow from the selected item, and its button.
QGroupBox* situationGroup(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, panel.Frame12, body);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    QListWidget* list = bindListBox(binder, panel.lstKoumoku, group);
    // Items move by the program's own drag: press on one, release on another.
    list->setDragEnabled(false);
    list->setDragDropMode(QAbstractItemView::NoDragDrop);
    list->setMinimumHeight(200);
    grid->addWidget(list, 0, 0, 5, 1);
    int row = 0;
    for (ui::Button* button : {&panel.cmdNew2, &panel.cmdDel, &panel.cmdDel2, &panel.cmdSort}) {
        QPushButton* widget = bindButton(binder, *button, group);
        widget->setMinimumWidth(widget->sizeHint().width());  // the caption and its letter whole
        grid->addWidget(widget, row++, 1);
    }
    grid->setRowStretch(4, 1);
    QLabel* arrow = bindLabel(binder, panel.lblChgYaji, group);
    arrow->setAlignment(Qt::AlignCenter);
    grid->addWidget(arrow, 5, 0);
    grid->addWidget(bindTextBox(binder, panel.txtChg, group), 6, 0);
    QPushButton* rename = bindButton(binder, panel.cmdChg, group);
    rename->setMinimumWidth(rename->sizeHint().width());  // never a cut caption
    grid->addWidget(rename, 7, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    group->setMinimumWidth(210);
    group->setMaximumWidth(320);
    return group;
}

// One line of a form: caption, box, unit and note.
void formRow(QGridLayout* grid, int row, const QString& caption, QLineEdit* box,
             const QString& unit, const QString& note) {
    QWidget* parent = grid->parentWidget();
    grid->addWidget(new QLabel(caption, parent), row, 0);
    box->setMinimumWidth(88);
    // A box with neither unit nor note takes their room too.
    grid->addWidget(box, row, 1, 1, unit.isEmpty() && note.isEmpty() ? 3 : 1);
    if (!unit.isEmpty()) grid->addWidget(new QLabel(unit, parent), row, 2);
    if (!note.isEmpty()) {
        auto* hint = new QLabel(note, parent);
        hint->setProperty("note", true);
        grid->addWidget(hint, row, 3);
    }
}

QGridLayout* formGrid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    return grid;
}

const QString kOptional = QStringLiteral("※空欄可");
const QString kHalfWidth = QStringLiteral("※半角文字で入力");

// Name, height and target weight: the first lines of both forms.
void personRows(Binder& binder, QGridLayout* grid, ui::TextBox& name, ui::TextBox& height,
                ui::TextBox& target) {
    QWidget* group = grid->parentWidget();
    formRow(grid, 0, QStringLiteral("名前"), bindTextBox(binder, name, group), {}, kOptional);
    formRow(grid, 1, QStringLiteral("身長"), bindTextBox(binder, height, group),
            QStringLiteral("ｃｍ"), kHalfWidth);
    formRow(grid, 2, QStringLiteral("目標体重"), bindTextBox(binder, target, group),
            QStringLiteral("Ｋｇ"), kHalfWidth);
}

QGroupBox* profileGroup(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, panel.Frame9, body);
    QGridLayout* grid = formGrid(group);
    personRows(binder, grid, panel.txtPriData, panel.txtSincyou, panel.txtMokuTai);
    grid->addWidget(bindButton(binder, panel.cmdPHozon1, group), 3, 1, 1, 3, Qt::AlignRight);
    return group;
}

QGroupBox* newStartGroup(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, panel.fraNew, body);
    QGridLayout* grid = formGrid(group);
    personRows(binder, grid, panel.txtPriData1, panel.txtSincyou1, panel.txtMokuTai1);
    formRow(grid, 3, QStringLiteral("現在体重"), bindTextBox(binder, panel.txtNowTai, group),
            QStringLiteral("Ｋｇ"), kHalfWidth);
    formRow(grid, 4, QStringLiteral("初期状況"), bindTextBox(binder, panel.txtNowJyou, group), {},
            {});
    grid->addLayout(row({stretch(), bindButton(binder, panel.cmdStHozon, group),
                         bindButton(binder, panel.cmdYame, group)}),
                    5, 0, 1, 4);
    return group;
}

// The profile, the button that opens the new start, and the new start.
QLayout* peopleColumn(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    return column({profileGroup(panel, binder, body),
                   {bindButton(binder, panel.cmdNew1, body), 0, Qt::AlignLeft},
                   newStartGroup(panel, binder, body),
                   stretch()},
                  {.spacing = 10});
}

QGroupBox* scaleStepGroup(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, panel.fraKizami, body);
    auto* row = new QHBoxLayout(group);
    row->setSpacing(18);
    for (const auto& [index, option] : panel.optKizami.items())
        row->addWidget(bindOptionButton(binder, *option, group));
    QLineEdit* step = bindTextBox(binder, panel.txtKizami, group);
    step->setFixedWidth(90);
    row->addWidget(step);
    row->addStretch(1);
    return group;
}

void layoutFraSettei(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    // On the body: a bound widget's own style sheet is its model's colour.
    body->setStyleSheet(QString::fromUtf8(kMeterStyle));
    setLayout(body,
              row({{column({meterGroup(panel, binder, body), scaleStepGroup(panel, binder, body),
                            bindCheckBox(binder, panel.chkJikan, body), stretch()},
                           {.spacing = 12}),
                    5},
                   {peopleColumn(panel, binder, body), 4},
                   situationGroup(panel, binder, body)},
                  {.spacing = 10, .margins = {4, 0, 0, 0}}));
}

[[maybe_unused]] const bool registered = registerView<setup::SetteiPanel>(layoutFraSettei);

}  // namespace
}  // namespace qtgui::panels
