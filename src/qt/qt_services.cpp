#include "qt/qt_services.h"

#include <QChartView>
#include <QClipboard>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTime>
#include <algorithm>

#include "qt/main_view.h"

namespace qtgui {
namespace {

QMessageBox::Icon toQt(ui::Icon icon) {
    switch (icon) {
        case ui::Icon::Information:
            return QMessageBox::Information;
        case ui::Icon::Exclamation:
            return QMessageBox::Warning;
        case ui::Icon::Question:
            return QMessageBox::Question;
        case ui::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The buttons of a message box, its default and the one that closing it
// (Escape, the title bar) counts as.
void setButtons(QMessageBox& box, ui::Buttons buttons) {
    switch (buttons) {
        case ui::Buttons::OK:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
            break;
        case ui::Buttons::OKCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case ui::Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
    }
}

ui::Answer answerOf(QMessageBox::StandardButton button, ui::Buttons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return ui::Answer::OK;
        case QMessageBox::Cancel:
            return ui::Answer::Cancel;
        case QMessageBox::Yes:
            return ui::Answer::Yes;
        case QMessageBox::No:
            return ui::Answer::No;
        default:
            break;
    }
    return buttons == ui::Buttons::OK      ? ui::Answer::OK
           : buttons == ui::Buttons::YesNo ? ui::Answer::No
                                           : ui::Answer::Cancel;
}

// A long text gets a wider box than Qt's default, so that its lines break
// where the text breaks them rather than in the middle of a sentence.
void widenFor(QMessageBox& box, const QString& text) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label) return;
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    label->setMinimumWidth(std::min(widest + 8, 720));
}

// The extension of the first pattern of a filter ("csv" of "CSV (*.csv)").
QString suffixOf(const QString& filter) {
    static const QRegularExpression kPattern(QStringLiteral("\\*\\.(\\w+)"));
    return kPattern.match(filter).captured(1);
}

std::optional<QString> showFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

}  // namespace

void bringToFront(QWidget* window) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
    window->raise();
    window->activateWindow();
}

QWidget* UsesView::dialogParent() const {
    return view_ && view_->isVisible() ? view_ : nullptr;
}

bool UsesView::ending() const {
    return view_ && view_->quitting();
}

// ---- QtDialogs

ui::Answer QtDialogs::message(std::string_view text, std::string_view title, ui::Icon icon,
                              ui::Buttons buttons) {
    if (ending()) return answerOf(QMessageBox::NoButton, buttons);
    if (view()) view()->syncAll();
    QMessageBox box(dialogParent());
    box.setWindowTitle(qstr(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    box.setIcon(toQt(icon));
    setButtons(box, buttons);
    widenFor(box, box.text());
    box.exec();
    return answerOf(box.standardButton(box.clickedButton()), buttons);
}

std::optional<std::string> QtDialogs::input(std::string_view prompt, std::string_view title,
                                            std::string_view defaultText) {
    if (ending()) return std::nullopt;
    if (view()) view()->syncAll();
    QInputDialog dialog(dialogParent());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(qstr(title));
    dialog.setLabelText(displayText(prompt));
    dialog.setTextValue(qstr(defaultText));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ustr(dialog.textValue());
}

std::optional<std::string> QtDialogs::chooseFile(ui::FileMode mode, std::string_view title,
                                                 std::string_view suggestedName,
                                                 std::string_view filter) {
    if (ending()) return std::nullopt;
    if (view()) view()->syncAll();
    // The data folder is hidden and holds the program's own files: a file
    // for other programs, or from them, belongs with the user's documents.
    if (lastFolder_.isEmpty())
        lastFolder_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (mode == ui::FileMode::Folder) {
        QFileDialog dialog(dialogParent(), qstr(title), qstr(suggestedName));
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        std::optional<QString> chosen =
            runFileDialog_ ? runFileDialog_(dialog) : showFileDialog(dialog);
        if (!chosen || chosen->isEmpty()) return std::nullopt;
        return ustr(*chosen);
    }
    const QString filters = qstr(filter) + QStringLiteral(";;すべてのファイル (*)");
    QFileDialog dialog(dialogParent(), qstr(title), lastFolder_, filters);
    const bool save = mode == ui::FileMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) dialog.setDefaultSuffix(suffixOf(qstr(filter)));
    if (!suggestedName.empty()) dialog.selectFile(qstr(suggestedName));
    std::optional<QString> chosen =
        runFileDialog_ ? runFileDialog_(dialog) : showFileDialog(dialog);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(*chosen).absolutePath();
    return ustr(*chosen);
}

// ---- SilentDialogs

ui::Answer SilentDialogs::message(std::string_view, std::string_view, ui::Icon,
                                  ui::Buttons buttons) {
    return buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::OK;
}

std::optional<std::string> SilentDialogs::input(std::string_view, std::string_view,
                                                std::string_view) {
    return std::nullopt;
}

// ---- QtClock

core::Date QtClock::today() const {
    if (today_) return *today_;
    QDate d = QDate::currentDate();
    return core::Date{std::chrono::year(d.year()),
                      std::chrono::month(static_cast<unsigned>(d.month())),
                      std::chrono::day(static_cast<unsigned>(d.day()))};
}

core::TimeOfDay QtClock::timeOfDay() const {
    QTime t = QTime::currentTime();
    return {t.hour(), t.minute(), t.second()};
}

std::chrono::steady_clock::time_point QtClock::monotonic() const {
    return std::chrono::steady_clock::now();
}

// ---- QtPrinter

QtPrinter::QtPrinter() = default;

// A job the program left unfinished still goes out with what it has.
QtPrinter::~QtPrinter() {
    if (!painter_) return;
    paint();
    painter_->end();
}

bool QtPrinter::printing() {
    if (job_ != Job::None) return job_ == Job::Printing;
    job_ = Job::Cancelled;
    layout_.reset();
    pictures_.clear();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    outcome_ = Outcome::Cancelled;
    unlistedFont_.clear();
    if (!chooseTarget()) return false;
    outcome_ = Outcome::Failed;
    setPrintMargins(*printer_);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        return false;
    }
    ui::PrintFont chosen;
    const QFont font = printFont(printer_.get(), &chosen);
    if (!chosen.listed && !toldFont_) {
        unlistedFont_ = chosen.family;
        toldFont_ = true;
    }
    painter_->setFont(font);
    painter_->setPen(Qt::black);
    layout_ =
        std::make_unique<PrintLayout>(printPage(*printer_), QFontMetricsF(font, printer_.get()));
    job_ = Job::Printing;
    return true;
}

// The printer the user picks in the print dialog, or the PDF file that the
// jobs go to without asking.
bool QtPrinter::chooseTarget() {
    if (!pdfFile_.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfFile_);
        printer_->setPageSize(pdfPaper_);
        return true;
    }
    if (ending()) return false;
    QPrintDialog dialog(printer_.get(), dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

void QtPrinter::setX(int twips) {
    if (printing()) layout_->setX(twips);
}

void QtPrinter::setY(int twips) {
    if (printing()) layout_->setY(twips);
}

void QtPrinter::print(std::string_view text) {
    if (printing()) layout_->print(qstr(text));
}

void QtPrinter::zone() {
    if (printing()) layout_->zone();
}

void QtPrinter::newLine() {
    if (printing()) layout_->newLine();
}

void QtPrinter::picture(const ui::Chart& chart, const ui::PictureBox& box) {
    if (!printing() || !view()) return;
    QWidget* widget = view()->widgetFor(chart);
    if (!widget) return;
    // Its size on screen: pixels to inches at the screen's resolution,
    // inches to dots at the printer's.
    const double dots = static_cast<double>(printer_->resolution()) / widget->logicalDpiX();
    pictures_[chart.name()] = widget;
    layout_->picture(chart.name(), QSizeF(widget->size()) * dots, box);
}

void QtPrinter::paint() {
    int page = 0;
    const double ascent = layout_->metrics().ascent();
    for (const PlacedItem& item : layout_->items()) {
        for (; page < item.page; ++page) printer_->newPage();
        if (item.kind == PlacedItem::Kind::Text)
            painter_->drawText(QPointF(item.rect.left(), item.rect.top() + ascent), item.text);
        else
            paintPicture(item);
    }
}

// The widget drawn into the item's rectangle, scaled as one. A chart stands
// on white paper: the window's cream would only grey the page and take ink.
void QtPrinter::paintPicture(const PlacedItem& item) {
    QWidget* widget = pictures_[item.picture];
    if (!widget || widget->width() <= 0) return;
    const double scale = item.rect.width() / widget->width();
    painter_->save();
    painter_->translate(item.rect.topLeft());
    painter_->scale(scale, scale);
    if (auto* view = qobject_cast<QChartView*>(widget)) {
        // The chart's scene alone, on its own background made white: the
        // view's cream around it is not drawn.
        QChart* chart = view->chart();
        const QBrush onScreen = chart->backgroundBrush();
        chart->setBackgroundBrush(Qt::white);
        view->render(painter_.get(), QRectF(QPointF(0, 0), view->viewport()->size()),
                     view->viewport()->rect());
        chart->setBackgroundBrush(onScreen);
    } else {
        widget->render(painter_.get(), QPoint(), QRegion(), QWidget::DrawChildren);
    }
    painter_->restore();
}

void QtPrinter::endDoc() {
    if (painter_) {
        paint();
        outcome_ = painter_->end() ? Outcome::Printed : Outcome::Failed;
    }
    painter_.reset();
    printer_.reset();
    pictures_.clear();
    job_ = Job::None;
}

// ---- QtClipboard

void QtClipboard::setPicture(const ui::Chart& chart) {
    QWidget* widget = view() ? view()->widgetFor(chart) : nullptr;
    if (widget) QGuiApplication::clipboard()->setPixmap(widget->grab());
}

}  // namespace qtgui
