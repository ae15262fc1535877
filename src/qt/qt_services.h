// The services of ui/services.h on Qt: message boxes and the input box, the
// system clock, the printer and the clipboard. Each reaches the main window
// through set view, once the window exists.
#pragma once

#include <QPageSize>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "qt/print_layout.h"
#include "ui/services.h"

class QFileDialog;
class QPainter;
class QPrinter;
class QWidget;

namespace qtgui {

class MainView;

// Something that works with the main window once it exists.
class UsesView {
  public:
    void setView(MainView* view) { view_ = view; }

  protected:
    MainView* view() const { return view_; }
    // The main window when it is on screen, as the owner of a dialog.
    QWidget* dialogParent() const;
    // The program is ending: a dialog it would show now is answered as if it
    // had been closed, without being shown.
    bool ending() const;

  private:
    MainView* view_ = nullptr;
};

// Raises and activates a window, on platforms that have a window stack.
void bringToFront(QWidget* window);

// QMessageBox, QInputDialog and QFileDialog. The window is brought up to
// date first, so that a question asked in the middle of a handler shows what
// it speaks of.
class QtDialogs : public ui::Dialogs, public UsesView {
  public:
    ui::Answer message(std::string_view text, std::string_view title, ui::Icon icon,
                       ui::Buttons buttons) override;
    std::optional<std::string> input(std::string_view prompt, std::string_view title,
                                     std::string_view defaultText) override;
    // The platform's own file dialog where it has one. The first starts in
    // the user's documents, each later one where the last file was chosen.
    std::optional<std::string> chooseFile(ui::FileMode mode, std::string_view title,
                                          std::string_view suggestedName,
                                          std::string_view filter) override;

    // Shows a file dialog, set up and ready, and gives the path chosen, or
    // nullopt on Cancel. Tests put their own in the place of showing it.
    using FileDialogRunner = std::function<std::optional<QString>(QFileDialog&)>;
    void setFileDialogRunner(FileDialogRunner run) { runFileDialog_ = std::move(run); }

  private:
    FileDialogRunner runFileDialog_;
    QString lastFolder_;
};

// Answers every dialog at once without showing it: OK to a message, No to a
// question, Cancel to the input box and to a file dialog. For runs with
// nobody at the screen.
class SilentDialogs : public ui::Dialogs {
  public:
    ui::Answer message(std::string_view text, std::string_view title, ui::Icon icon,
                       ui::Buttons buttons) override;
    std::optional<std::string> input(std::string_view prompt, std::string_view title,
                                     std::string_view defaultText) override;
};

// The system clock; its date may be set to another day, while the time of
// day stays the real one.
class QtClock : public ui::Clock {
  public:
    void setToday(std::optional<core::Date> date) { today_ = date; }
    core::Date today() const override;
    core::TimeOfDay timeOfDay() const override;
    std::chrono::steady_clock::time_point monotonic() const override;

  private:
    std::optional<core::Date> today_;
};

// Prints on the system printer. The first operation of a job asks for the
// printer with the print dialog; a cancelled dialog makes the rest of the job
// print nothing. Positions are twips from the top left of the printable area,
// inside margins of at least half an inch; the job is laid out by a
// PrintLayout as it comes and painted when it ends.
class QtPrinter : public ui::Printer, public UsesView {
  public:
    QtPrinter();
    ~QtPrinter() override;
    void setX(int twips) override;
    void setY(int twips) override;
    void print(std::string_view text) override;
    void zone() override;
    void newLine() override;
    void picture(const ui::Chart& chart, const ui::PictureBox& box) override;
    void endDoc() override;
    Outcome lastJob() const override { return outcome_; }
    std::string unlistedFont() const override { return unlistedFont_; }
    // Sends every later job to this PDF file on paper of this size, without
    // the print dialog.
    void printToPdf(const QString& file, const QPageSize& paper = QPageSize(QPageSize::A4)) {
        pdfFile_ = file;
        pdfPaper_ = paper;
    }
    // Where the texts and pictures of the last job went, while no other job
    // has started; nullptr before the first.
    const PrintLayout* lastLayout() const { return layout_.get(); }

  private:
    enum class Job { None, Printing, Cancelled };
    // Starts the job on its first operation; true while it prints.
    bool printing();
    bool chooseTarget();
    void paint();
    void paintPicture(const PlacedItem& item);

    Job job_ = Job::None;
    Outcome outcome_ = Outcome::Printed;
    QString pdfFile_;
    QPageSize pdfPaper_{QPageSize::A4};
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<PrintLayout> layout_;
    // The widgets that show the job's pictures, by the chart's name.
    std::map<std::string, QPointer<QWidget>> pictures_;
    // The system's fallback font, once the user has heard of it.
    std::string unlistedFont_;
    bool toldFont_ = false;
};

// Puts a picture of a chart, as it is on screen, on the system clipboard.
class QtClipboard : public ui::Clipboard, public UsesView {
  public:
    void setPicture(const ui::Chart& chart) override;
};

}  // namespace qtgui
