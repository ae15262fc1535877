// The editing panel: the BMI meter with its formulas, the scale step of the
// weight entry, the automatic time of the diary and the CSV export and
// import on the left; the profile and the new start in the middle; the
// situation list editor on the right.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "qt/bindings.h"
#include "qt/layouting.h"
#include "qt/panels/band_strip.h"
#include "qt/panels/panels.h"
#include "qt/panels/view_parts.h"
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
    return markedLabel(caption, "formula", parent);
}

QLabel* valueBox(Binder& binder, ui::Label& model, QWidget* parent) {
    QLabel* box = bindLabel(binder, model, parent);
    box->setProperty("valueBox", true);
    box->setAlignment(Qt::AlignCenter);
    box->setMinimumWidth(64);
    return box;
}

// A caption followed by its value box, as one term of a formula.
QWidget* term(Binder& binder, const QString& caption, ui::Label& value, QWidget* parent) {
    auto* widget = new QWidget(parent);
    return setLayout(widget,
                     row({text(caption, widget), valueBox(binder, value, widget)}, {.spacing = 6}));
}

// A numerator over a denominator, both made inside the fraction's widget.
struct Parts {
    QWidget* numerator;
    QWidget* denominator;
};

// Lays the parts out on `place` with the bar between them.
QWidget* fraction(QWidget* place, Parts parts) {
    auto* bar = new QFrame(place);
    bar->setProperty("fractionBar", true);
    bar->setFixedHeight(2);
    return setLayout(place, column({aligned(parts.numerator, Qt::AlignHCenter), bar,
                                    aligned(parts.denominator, Qt::AlignHCenter)},
                                   {.spacing = 4}));
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

QWidget* scaleLabel(Binder& binder, setup::BmiMeter& meter, BandStrip& strip) {
    const int inset = 14;
    auto* scale = new ScaleLabel(inset, &strip);
    QFont font = scale->font();
    font.setPointSize(8);
    scale->setFont(font);
    bindLabelView(binder, meter.Label19, scale);
    strip.addBelow(scale, strip.bandLeft(), strip.bandRight(), 2);
    int left = strip.xOf(strip.bandLeft()) - inset;
    int right = strip.xOf(strip.bandRight()) + inset;
    scale->setGeometry(left, scale->y(), right - left, scale->height());
    return scale;
}

QWidget* meterStrip(setup::BmiMeter& meter, Binder& binder, QWidget* parent) {
    auto* strip = new BandStrip(binder, meter.Shape2, meter.Image2,
                                {.pointer = QSize(28, 28), .barHeight = 22}, parent);
    scaleLabel(binder, meter, *strip);
    QScrollBar* slider = named(bindSlider(binder, meter.HScroll1, 1, 10, strip), "ＢＭＩ");
    slider->setMinimumHeight(20);
    strip->addBelow(slider, strip->bandLeft(), strip->bandRight(), 6);
    return strip;
}

// The height's term with a small 2 at its top right.
QWidget* heightSquared(setup::BmiMeter& meter, Binder& binder, QWidget* parent) {
    auto* widget = new QWidget(parent);
    QWidget* height = term(binder, QStringLiteral("身長（ｍ）"), meter.Label9(30), widget);
    QLabel* squared = text(QStringLiteral("2"), widget);
    QFont small = squared->font();
    small.setPointSize(8);
    squared->setFont(small);
    return setLayout(widget, row({height, aligned(squared, Qt::AlignTop)}, {.spacing = 2}));
}

// The weight less the standard weight.
QWidget* excess(setup::BmiMeter& meter, Binder& binder, QWidget* parent) {
    auto* widget = new QWidget(parent);
    return setLayout(
        widget,
        row({term(binder, QStringLiteral("体重（Ｋｇ）"), meter.lblTai, widget),
             term(binder, QStringLiteral("－標準体重（Ｋｇ）"), meter.lblHyojun(0), widget)},
            {.spacing = 6}));
}

QWidget* bmiFormula(setup::BmiMeter& meter, Binder& binder, QWidget* parent) {
    auto* formula = new QWidget(parent);
    return fraction(formula,
                    {term(binder, QStringLiteral("体重（Ｋｇ）"), meter.Label9(28), formula),
                     heightSquared(meter, binder, formula)});
}

QWidget* obesityFormula(setup::BmiMeter& meter, Binder& binder, QWidget* parent) {
    auto* formula = new QWidget(parent);
    return fraction(
        formula, {excess(meter, binder, formula),
                  term(binder, QStringLiteral("標準体重（Ｋｇ）"), meter.lblHyojun(1), formula)});
}

// One line of the formulas: its caption, the value worked out, "＝" and the
// formula with what follows it, `gap` pixels apart.
struct FormulaLine {
    const char* caption;
    ui::Label& result;
    QWidget* formula;
    const char* after;
    int gap;
};

Cells formulaLine(Binder& binder, int line, const FormulaLine& parts, QWidget* area) {
    return {{text(QString::fromUtf8(parts.caption), area), line, 0},
            {valueBox(binder, parts.result, area), line, 1, Qt::AlignVCenter},
            {text(QStringLiteral("＝"), area), line, 2},
            {row({parts.formula, text(QString::fromUtf8(parts.after), area), stretch()},
                 {.spacing = parts.gap}),
             line, 3}};
}

// The class of the BMI, across the columns of the value and the formula.
Cells judgement(setup::BmiMeter& meter, Binder& binder, int line, QWidget* area) {
    QLabel* caption = text(QStringLiteral("肥満指数判定"), area);
    QLabel* judged = bindLabel(binder, meter.lblHyouka, area);
    judged->setAlignment(Qt::AlignCenter);
    judged->setMinimumWidth(180);
    return {{caption, line, 0},
            {judged, line, 1, Span{.columns = 3}, Qt::AlignLeft | Qt::AlignVCenter}};
}

// BMI(体格指数) [  ] ＝ 体重 / 身長²     適正　２２
// 肥満度（％）  [  ] ＝ (体重 − 標準体重) / 標準体重 ×１００
// 肥満指数判定  [class]
QWidget* formulas(setup::BmiMeter& meter, Binder& binder, QWidget* parent) {
    auto* area = new QWidget(parent);
    return setLayout(area, grid({formulaLine(binder, 0,
                                             {"BMI(体格指数)", meter.Label9(25),
                                              bmiFormula(meter, binder, area), "適正　２２", 28},
                                             area),
                                 formulaLine(binder, 1,
                                             {"肥満度（％）", meter.lblHiman,
                                              obesityFormula(meter, binder, area), "×１００", 6},
                                             area),
                                 judgement(meter, binder, 2, area)},
                                {.spacing = {10, 16}, .columnStretch = {{3, 1}}}));
}

QGroupBox* meterGroup(setup::BmiMeter& meter, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, meter.Frame1, body);
    return setLayout(group, column({aligned(meterStrip(meter, binder, group), Qt::AlignHCenter),
                                    formulas(meter, binder, group)},
                                   {.spacing = 18, .margins = kStyleMargins}));
}

// A button as wide as its whole caption with its letter, never cut.
QPushButton* wholeButton(Binder& binder, ui::Button& button, QWidget* parent) {
    QPushButton* widget = bindButton(binder, button, parent);
    widget->setMinimumWidth(widget->sizeHint().width());
    return widget;
}

QListWidget* situationList(setup::SituationEditor& editor, Binder& binder, QWidget* parent) {
    QListWidget* list = named(bindListBox(binder, editor.lstKoumoku, parent), "状況リスト");
    // Items move by the program's own drag: press on one, release on another.
    list->setDragEnabled(false);
    list->setDragDropMode(QAbstractItemView::NoDragDrop);
    list->setMinimumHeight(200);
    return list;
}

QLabel* renameArrow(setup::SituationEditor& editor, Binder& binder, QWidget* parent) {
    QLabel* arrow = bindLabel(binder, editor.lblChgYaji, parent);
    arrow->setAlignment(Qt::AlignCenter);
    return arrow;
}

// The list with its buttons beside it; under it the rename: the new text
// below an arrow from the selected item, and its button.
QGroupBox* situationGroup(setup::SituationEditor& editor, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, editor.Frame12, body);
    group->setMinimumWidth(210);
    group->setMaximumWidth(320);
    return setLayout(
        group, grid({{situationList(editor, binder, group), 0, 0, Span{.rows = 5}},
                     {wholeButton(binder, editor.cmdNew2, group), 0, 1},
                     {wholeButton(binder, editor.cmdDel, group), 1, 1},
                     {wholeButton(binder, editor.cmdDel2, group), 2, 1},
                     {wholeButton(binder, editor.cmdSort, group), 3, 1},
                     {renameArrow(editor, binder, group), 5, 0},
                     {named(bindTextBox(binder, editor.txtChg, group), "状況の新しい名前"), 6, 0},
                     {wholeButton(binder, editor.cmdChg, group), 7, 0, Span{.columns = 2}}},
                    {.spacing = {8, 6},
                     .margins = kStyleMargins,
                     .columnStretch = {{0, 1}},
                     .rowStretch = {{4, 1}}}));
}

// A label of a form line, none for an empty text.
QLabel* formLabel(const QString& text, QWidget* parent) {
    return text.isEmpty() ? nullptr : new QLabel(text, parent);
}

QLabel* noteLabel(const QString& text, QWidget* parent) {
    return text.isEmpty() ? nullptr : markedLabel(text, "note", parent);
}

// One line of a form: caption, box, unit and note; a box with neither unit
// nor note takes their room too.
Cells formRow(int line, const QString& caption, QLineEdit* box, const QString& unit,
              const QString& note) {
    QWidget* parent = box->parentWidget();
    QLabel* name = formLabel(caption, parent);
    name->setBuddy(box);
    box->setMinimumWidth(88);
    return formLine(line, {name, box, formLabel(unit, parent), noteLabel(note, parent)});
}

QGridLayout* formGrid(const Cells& lines) {
    return grid(lines, {.spacing = {8, 6}, .margins = kStyleMargins, .columnStretch = {{1, 1}}});
}

const QString kOptional = QStringLiteral("※空欄可");
const QString kHalfWidth = QStringLiteral("※半角文字で入力");

// Name, height and target weight: the first lines of both forms.
Cells personRows(Binder& binder, QWidget* group, ui::TextBox& name, ui::TextBox& height,
                 ui::TextBox& target) {
    return {formRow(0, QStringLiteral("名前"), bindTextBox(binder, name, group), {}, kOptional),
            formRow(1, QStringLiteral("身長"), bindTextBox(binder, height, group),
                    QStringLiteral("ｃｍ"), kHalfWidth),
            formRow(2, QStringLiteral("目標体重"), bindTextBox(binder, target, group),
                    QStringLiteral("Ｋｇ"), kHalfWidth)};
}

QGroupBox* profileGroup(setup::ProfileEditor& profile, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, profile.Frame9, body);
    return setLayout(group, formGrid({personRows(binder, group, profile.txtPriData,
                                                 profile.txtSincyou, profile.txtMokuTai),
                                      {bindButton(binder, profile.cmdPHozon1, group), 3, 1,
                                       Span{.columns = 3}, Qt::AlignRight}}));
}

QGroupBox* newStartGroup(setup::ProfileEditor& profile, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, profile.fraNew, body);
    return setLayout(group,
                     formGrid({personRows(binder, group, profile.txtPriData1, profile.txtSincyou1,
                                          profile.txtMokuTai1),
                               formRow(3, QStringLiteral("現在体重"),
                                       bindTextBox(binder, profile.txtNowTai, group),
                                       QStringLiteral("Ｋｇ"), kHalfWidth),
                               formRow(4, QStringLiteral("初期状況"),
                                       bindTextBox(binder, profile.txtNowJyou, group), {}, {}),
                               {row({stretch(), bindButton(binder, profile.cmdStHozon, group),
                                     bindButton(binder, profile.cmdYame, group)}),
                                5, 0, Span{.columns = 4}}}));
}

// Where the snapshots are kept, the list of them and the way back to one.
QGroupBox* backupGroup(setup::Backups& backups, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, backups.fraBackup, body);
    QLabel* place = named(bindLabel(binder, backups.lblBackupDir, group), "バックアップの保存先");
    place->setWordWrap(true);
    place->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QListWidget* list = named(bindListBox(binder, backups.lstBackup, group), "バックアップの一覧");
    list->setMinimumHeight(48);
    // An item is the time of the snapshot and then what it holds, on a second
    // line where the column is narrow.
    list->setWordWrap(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return setLayout(
        group, column({place,
                       row({bindButton(binder, backups.cmdBackupDir, group),
                            bindButton(binder, backups.cmdOpenBackup, group), stretch()},
                           {.spacing = 8}),
                       {list, 1},
                       aligned(bindButton(binder, backups.cmdRestore, group), Qt::AlignRight)},
                      {.spacing = 6, .margins = kStyleMargins}));
}

// The profile, the button that opens the new start, the new start, and the
// snapshots.
QLayout* peopleColumn(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    return column({profileGroup(panel.profile, binder, body),
                   aligned(bindButton(binder, panel.profile.cmdNew1, body), Qt::AlignLeft),
                   newStartGroup(panel.profile, binder, body),
                   {backupGroup(panel.backups, binder, body), 1}},
                  {.spacing = 10});
}

QGroupBox* scaleStepGroup(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, panel.fraKizami, body);
    Items options;
    for (const auto& [index, option] : panel.optKizami.items())
        options.push_back(bindOptionButton(binder, *option, group));
    QLineEdit* step = named(bindTextBox(binder, panel.txtKizami, group), "体重計の刻み");
    step->setFixedWidth(90);
    return setLayout(group,
                     row({options, step, stretch()}, {.spacing = 18, .margins = kStyleMargins}));
}

// The weighings out to a CSV file and in from one, side by side.
QGroupBox* csvGroup(setup::CsvTransfer& csv, Binder& binder, QWidget* body) {
    QGroupBox* group = bindGroup(binder, csv.fraCsv, body);
    return setLayout(group, row({wholeButton(binder, csv.cmdCsvOut, group),
                                 wholeButton(binder, csv.cmdCsvIn, group), stretch()},
                                {.spacing = 12, .margins = kStyleMargins}));
}

void layoutFraSettei(setup::SetteiPanel& panel, Binder& binder, QWidget* body) {
    // On the body: a bound widget's own style sheet is its model's colour.
    body->setStyleSheet(QString::fromUtf8(kMeterStyle));
    setLayout(
        body,
        row({{column({meterGroup(panel.meter, binder, body), scaleStepGroup(panel, binder, body),
                      bindCheckBox(binder, panel.chkJikan, body), csvGroup(panel.csv, binder, body),
                      stretch()},
                     {.spacing = 12}),
              5},
             {peopleColumn(panel, binder, body), 4},
             situationGroup(panel.situations, binder, body)},
            {.spacing = 10, .margins = {4, 0, 0, 0}}));
}

[[maybe_unused]] const bool kRegistered = registerView<setup::SetteiPanel>(layoutFraSettei);

}  // namespace
}  // namespace qtgui::panels
