// Where the operations of a print job land on paper, worked out before
// anything is painted: QtPrinter feeds its calls to a PrintLayout and paints
// the items it placed, and the tests lay out whole jobs and check the items.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "ui/print_job.h"

class QPaintDevice;
class QPrinter;

namespace qtgui {

// The printable area of a page in dots, and how many dots make an inch.
struct PrintPage {
    QSizeF size;
    double dpi = 0;
};

// One text or picture on a page, in dots from the top left of the printable
// area.
struct PlacedItem {
    enum class Kind { Text, Picture };
    Kind kind = Kind::Text;
    int page = 0;  // from 0
    QRectF rect;
    QString text;         // a text as printed: cut short with "…" where it had no room
    std::string picture;  // a picture: the chart's name
};

// Follows the print position of a job in twips, as the program's reports
// set it, and places each text and picture on its page. A text starts a new
// page, at its top, when its line would run below the page; it is cut short
// where it would run past the right edge or into a text beside it, so that
// nothing leaves the printable area and nothing overlaps.
class PrintLayout {
  public:
    PrintLayout(PrintPage page, const QFontMetricsF& metrics);

    void setX(int twips) { x_ = twips; }
    void setY(int twips) { y_ = twips; }
    void print(const QString& text);
    void zone();
    void newLine();
    // A picture whose size on screen is `size` dots, at the print position,
    // scaled down (never up) to fit its box and the page.
    void picture(const std::string& name, QSizeF size, const ui::PictureBox& box);

    const std::vector<PlacedItem>& items() const { return items_; }
    int pageCount() const { return page_ + 1; }
    const PrintPage& page() const { return pageSize_; }
    const QFontMetricsF& metrics() const { return metrics_; }
    // One print zone: 14 character widths, the width of a half-width letter.
    double zoneTwips() const;

  private:
    double toDots(double twips) const { return twips * pageSize_.dpi / 1440.0; }
    double toTwips(double dots) const { return dots * 1440.0 / pageSize_.dpi; }
    void keepOnPage();
    // Shortens `text` to `width` dots; false when nothing of it fits.
    bool fit(PlacedItem& text, double width) const;
    // Cuts short whichever of the new text and a text it runs into comes first.
    bool clear(PlacedItem& text);

    PrintPage pageSize_;
    QFontMetricsF metrics_;
    double charWidth_;
    double x_ = 0;
    double y_ = 0;
    int page_ = 0;
    size_t pageStart_ = 0;  // the first item on the current page
    std::vector<PlacedItem> items_;
};

// Where a job lands, handed over as a panel hands it to the printer: each
// picture gets the room ui::pictureBox leaves it, and `pictureSize` gives
// its size on screen in dots.
PrintLayout layOutJob(const ui::PrintJob& job, PrintPage page, const QFontMetricsF& metrics,
                      const std::function<QSizeF(const std::string&)>& pictureSize);

// The font of the printouts: the first of ui::kPrintFamilies that the
// system has, else its monospaced font (told in `chosen`). Sized so that a
// half-width character is kHalfWidthTwips wide on `device`, whichever font
// it is.
QFont printFont(const QPaintDevice* device, ui::PrintFont* chosen = nullptr);

// 64 twips (a 6.4-point font): small enough that the day averages' lines,
// from x 9000 to 20 half-width characters further, end inside an A4 page's
// margins, and the size at which the range list's figures, from x 3000,
// fall under the 体重 of its header.
inline constexpr double kHalfWidthTwips = 64;

// Sets margins of at least half an inch on every side, more where the
// printer or the user asked for more.
void setPrintMargins(QPrinter& printer);

// The printable area of the printer's page.
PrintPage printPage(const QPrinter& printer);

}  // namespace qtgui
