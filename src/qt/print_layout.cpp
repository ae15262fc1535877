#include "qt/print_layout.h"

#include <QFontDatabase>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace qtgui {
namespace {

constexpr int kZoneChars = 14;
constexpr double kMarginMm = 12.7;

// The mean advance of the Latin letters. Qt's averageCharWidth reads the
// font's own average, which in a CJK font counts the full-width characters
// too and comes out nearly twice as wide.
double letterWidth(const QFontMetricsF& metrics) {
    static const QString kLetters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    return metrics.horizontalAdvance(kLetters) / static_cast<double>(kLetters.size());
}

// Whether two items share more than a sliver: lines one under the other
// touch, give or take the rounding of their positions.
bool overlap(const QRectF& a, const QRectF& b) {
    constexpr double kSliver = 0.5;
    const QRectF common = a.intersected(b);
    return common.width() > kSliver && common.height() > kSliver;
}

// The font of the printouts that the system has.
ui::PrintFont printFamily() {
    return ui::choosePrintFont(
        [](std::string_view family) {
            return QFontDatabase::hasFamily(
                QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())));
        },
        QFontDatabase::systemFont(QFontDatabase::FixedFont).family().toStdString());
}

}  // namespace

PrintLayout::PrintLayout(PrintPage page, const QFontMetricsF& metrics)
    : pageSize_(page), metrics_(metrics), charWidth_(letterWidth(metrics)) {}

double PrintLayout::zoneTwips() const {
    return kZoneChars * toTwips(charWidth_);
}

void PrintLayout::zone() {
    const double width = zoneTwips();
    if (width <= 0) return;
    // A position on a zone's first column goes on to the next zone.
    x_ = (std::floor(x_ / width + 1e-9) + 1) * width;
}

void PrintLayout::newLine() {
    x_ = 0;
    y_ += toTwips(std::max(metrics_.lineSpacing(), metrics_.height()));
}

void PrintLayout::keepOnPage() {
    if (y_ <= 0 || toDots(y_) + metrics_.height() <= pageSize_.size.height()) return;
    ++page_;
    pageStart_ = items_.size();
    y_ = 0;
}

void PrintLayout::print(const QString& text) {
    keepOnPage();
    const double width = metrics_.horizontalAdvance(text);
    PlacedItem item{PlacedItem::Kind::Text,
                    page_,
                    QRectF(toDots(x_), toDots(y_), width, metrics_.height()),
                    text,
                    {}};
    x_ += toTwips(width);
    if (text.isEmpty()) return;
    if (!fit(item, pageSize_.size.width() - item.rect.left())) return;
    if (clear(item)) items_.push_back(std::move(item));
}

bool PrintLayout::fit(PlacedItem& text, double width) const {
    if (text.rect.width() <= width) return true;
    if (width <= 0) return false;
    const QString shorter = metrics_.elidedText(text.text, Qt::ElideRight, width);
    const double shorterWidth = metrics_.horizontalAdvance(shorter);
    if (shorter.isEmpty() || shorterWidth > width) return false;
    text.text = shorter;
    text.rect.setWidth(shorterWidth);
    return true;
}

bool PrintLayout::clear(PlacedItem& text) {
    for (size_t i = items_.size(); i > pageStart_; --i) {
        PlacedItem& other = items_[i - 1];
        if (other.kind != PlacedItem::Kind::Text || !overlap(other.rect, text.rect)) continue;
        if (other.rect.left() >= text.rect.left()) {
            if (!fit(text, other.rect.left() - text.rect.left() - charWidth_)) return false;
        } else if (!fit(other, text.rect.left() - other.rect.left() - charWidth_)) {
            items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i - 1));
        }
    }
    return true;
}

void PrintLayout::picture(const std::string& name, QSizeF size, const ui::PictureBox& box) {
    if (size.isEmpty()) return;
    const QPointF at(toDots(x_), toDots(y_));
    const double right =
        std::min(box.right ? toDots(*box.right) : pageSize_.size.width(), pageSize_.size.width());
    const double bottom = std::min(box.bottom ? toDots(*box.bottom) : pageSize_.size.height(),
                                   pageSize_.size.height());
    const double scale =
        std::min({1.0, (right - at.x()) / size.width(), (bottom - at.y()) / size.height()});
    if (scale <= 0) return;
    items_.push_back({PlacedItem::Kind::Picture, page_, QRectF(at, size * scale), {}, name});
}

PrintLayout layOutJob(const ui::PrintJob& job, PrintPage page, const QFontMetricsF& metrics,
                      const std::function<QSizeF(const std::string&)>& pictureSize) {
    PrintLayout layout(page, metrics);
    for (size_t i = 0; i < job.size(); ++i) {
        const ui::PrintOp& op = job[i];
        switch (op.kind) {
            case ui::PrintOp::Kind::X:
                layout.setX(op.twips);
                break;
            case ui::PrintOp::Kind::Y:
                layout.setY(op.twips);
                break;
            case ui::PrintOp::Kind::Print:
                layout.print(QString::fromStdString(op.text));
                break;
            case ui::PrintOp::Kind::Zone:
                layout.zone();
                break;
            case ui::PrintOp::Kind::NewLine:
                layout.newLine();
                break;
            case ui::PrintOp::Kind::Picture:
                layout.picture(op.text, pictureSize(op.text), ui::pictureBox(job, i));
                break;
            case ui::PrintOp::Kind::EndDoc:
                break;
        }
    }
    return layout;
}

QFont printFont(const QPaintDevice* device, ui::PrintFont* chosen) {
    const ui::PrintFont family = printFamily();
    if (chosen) *chosen = family;
    QFont font(QString::fromStdString(family.family));
    font.setStyleHint(QFont::TypeWriter);
    font.setHintingPreference(QFont::PreferNoHinting);
    // In the fonts of the list a half-width character is half an em.
    font.setPointSizeF(kHalfWidthTwips / 10.0);
    const double wanted = kHalfWidthTwips * device->logicalDpiX() / 1440.0;
    const double measured = letterWidth(QFontMetricsF(font, device));
    if (measured > 0) font.setPointSizeF(font.pointSizeF() * wanted / measured);
    return font;
}

void setPrintMargins(QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF now = layout.margins();
    const QMarginsF least = layout.minimumMargins();
    auto side = [](double asked, double needed) { return std::max({kMarginMm, asked, needed}); };
    layout.setMargins(QMarginsF(side(now.left(), least.left()), side(now.top(), least.top()),
                                side(now.right(), least.right()),
                                side(now.bottom(), least.bottom())));
    printer.setPageLayout(layout);
}

PrintPage printPage(const QPrinter& printer) {
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    return {QSizeF(area.size()), static_cast<double>(printer.resolution())};
}

}  // namespace qtgui
