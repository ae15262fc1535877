#include "qt/qt_services.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
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

QFont printerFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Yu Gothic"),
                      QStringLiteral("MS Gothic")});
    font.setPointSize(10);
    return font;
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

// ---- QtDialogs

ui::Answer QtDialogs::message(std::string_view text, std::string_view title, ui::Icon icon,
                              ui::Buttons buttons) {
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
    if (view()) view()->syncAll();
    QInputDialog dialog(dialogParent());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(qstr(title));
    dialog.setLabelText(displayText(prompt));
    dialog.setTextValue(qstr(defaultText));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ustr(dialog.textValue());
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

QtPrinter::~QtPrinter() {
    if (painter_) painter_->end();
}

bool QtPrinter::printing() {
    if (job_ != Job::None) return job_ == Job::Printing;
    job_ = Job::Cancelled;
    x_ = y_ = 0;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    outcome_ = Outcome::Cancelled;
    if (!chooseTarget()) return false;
    outcome_ = Outcome::Failed;
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        return false;
    }
    painter_->setFont(printerFont());
    painter_->setPen(Qt::black);
    job_ = Job::Printing;
    return true;
}

// The printer the user picks in the print dialog, or the PDF file that the
// jobs go to without asking.
bool QtPrinter::chooseTarget() {
    if (!pdfFile_.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfFile_);
        return true;
    }
    QPrintDialog dialog(printer_.get(), dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

int QtPrinter::toDevice(int twips) const {
    return static_cast<int>(static_cast<long long>(twips) * printer_->resolution() / 1440);
}

int QtPrinter::toTwips(int devicePixels) const {
    return static_cast<int>(static_cast<long long>(devicePixels) * 1440 / printer_->resolution());
}

void QtPrinter::setX(int twips) {
    printing();
    x_ = twips;
}

void QtPrinter::setY(int twips) {
    printing();
    y_ = twips;
}

void QtPrinter::keepOnPage() {
    int bottom = toDevice(y_) + painter_->fontMetrics().height();
    if (y_ > 0 && bottom > painter_->device()->height()) {
        printer_->newPage();
        y_ = 0;
    }
}

void QtPrinter::print(std::string_view text) {
    if (!printing()) return;
    keepOnPage();
    const QString s = qstr(text);
    const QFontMetrics metrics = painter_->fontMetrics();
    painter_->drawText(QPoint(toDevice(x_), toDevice(y_) + metrics.ascent()), s);
    x_ += toTwips(metrics.horizontalAdvance(s));
}

void QtPrinter::zone() {
    if (!printing()) return;
    int width = std::max(1, toTwips(14 * painter_->fontMetrics().averageCharWidth()));
    x_ = (x_ / width + 1) * width;
}

void QtPrinter::newLine() {
    if (!printing()) return;
    x_ = 0;
    y_ += toTwips(painter_->fontMetrics().lineSpacing());
}

void QtPrinter::picture(const ui::Chart& chart) {
    if (!printing() || !view()) return;
    QWidget* widget = view()->widgetFor(chart);
    if (!widget) return;
    // The chart at its size on screen: pixels to twips at the screen's
    // resolution, twips to dots at the printer's.
    double scale = static_cast<double>(printer_->resolution()) / widget->logicalDpiX();
    painter_->save();
    painter_->translate(toDevice(x_), toDevice(y_));
    painter_->scale(scale, scale);
    widget->render(painter_.get(), QPoint(), QRegion(), QWidget::DrawChildren);
    painter_->restore();
}

void QtPrinter::endDoc() {
    if (painter_) outcome_ = painter_->end() ? Outcome::Printed : Outcome::Failed;
    painter_.reset();
    printer_.reset();
    job_ = Job::None;
    x_ = y_ = 0;
}

// ---- QtClipboard

void QtClipboard::setPicture(const ui::Chart& chart) {
    QWidget* widget = view() ? view()->widgetFor(chart) : nullptr;
    if (widget) QGuiApplication::clipboard()->setPixmap(widget->grab());
}

}  // namespace qtgui
