#include "qt/theme.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <algorithm>

namespace qtgui::theme {
namespace {

const char* const kStyleSheet = R"css(
QWidget#mainView { background: #fffaf0; }
QWidget#sideColumn { background: #e4f4e1; border-right: 1px solid #c9d8c3; }
QToolButton[side="true"] {
  color: #33402f; background: transparent; border: 1px solid transparent;
  border-radius: 10px; padding: 2px 2px 3px 2px;
}
QToolButton[side="true"]:hover { background: #ffffff; border-color: #b5e3b0; }
QToolButton[side="true"]:pressed { background: #b5e3b0; }
QToolButton[side="true"][current="true"] {
  background: #ffffff; border: 2px solid #6abf69; color: #2f7a38; font-weight: bold;
}
QCheckBox#chkHelp { color: #33402f; padding: 4px 2px; font-size: 9pt; }
QLabel#panelCaption {
  background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #5fb35e, stop:1 #a5dba1);
  color: #ffffff; font-size: 15pt; font-weight: bold; border-radius: 10px; padding: 6px 16px;
}
QGroupBox {
  background: #ffffff; border: 2px solid #b5e3b0; border-radius: 10px;
  margin-top: 14px; padding: 14px 10px 10px 10px;
}
QGroupBox::title {
  subcontrol-origin: margin; subcontrol-position: top left; left: 14px; padding: 0 6px;
  color: #3f8f47; font-weight: bold;
}
QPushButton {
  background: #ffffff; border: 1px solid #a9c7a3; border-radius: 8px;
  padding: 5px 14px; color: #33402f;
}
QPushButton:hover { background: #eef8ec; border-color: #6abf69; }
QPushButton:pressed { background: #b5e3b0; }
QPushButton:disabled { color: #a0a89c; background: #f2f2ee; border-color: #d5dbd2; }
QTableView { background: #ffffff; gridline-color: #dfe8da; border: 1px solid #c9d8c3; }
QHeaderView::section {
  background: #e4f4e1; color: #33402f; border: none;
  border-right: 1px solid #c9d8c3; border-bottom: 1px solid #c9d8c3; padding: 3px;
}
QToolTip { background: #fff1cf; color: #33402f; border: 1px solid #f0d58c; padding: 3px; }
)css";

QPalette palette() {
    QPalette p;
    p.setColor(QPalette::Window, kPaper);
    p.setColor(QPalette::WindowText, kInk);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xf4, 0xfa, 0xf2));
    p.setColor(QPalette::Text, kInk);
    p.setColor(QPalette::Button, QColor(0xf3, 0xf8, 0xef));
    p.setColor(QPalette::ButtonText, kInk);
    p.setColor(QPalette::Highlight, kGreen);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xf1, 0xcf));
    p.setColor(QPalette::ToolTipText, kInk);
    p.setColor(QPalette::Link, QColor(0x2f, 0x7a, 0x38));
    p.setColor(QPalette::PlaceholderText, QColor(0x8a, 0x94, 0x86));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xa0, 0xa8, 0x9c));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0xa0, 0xa8, 0x9c));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0xa0, 0xa8, 0x9c));
    return p;
}

}  // namespace

void apply(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Yu Gothic UI"),
                      QStringLiteral("Meiryo"), QStringLiteral("Hiragino Sans"),
                      QStringLiteral("IPAGothic")});
    font.setPointSize(10);
    app.setFont(font);
    app.setPalette(palette());
    app.setStyleSheet(QString::fromUtf8(kStyleSheet));
}

namespace {

// A scroll bar that the style still measures and answers the mouse for, but
// that draws itself: a pale groove, a rounded handle, and a small triangle
// on each step button.
class FlatScrollBar : public QScrollBar {
  public:
    using QScrollBar::QScrollBar;

  protected:
    void paintEvent(QPaintEvent*) override {
        QStyleOptionSlider option;
        initStyleOption(&option);
        auto part = [&](QStyle::SubControl control) {
            return style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
        };
        QPainter painter(this);
        painter.fillRect(rect(), kPaleGreen);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        const bool enabled = isEnabled() && maximum() > minimum();
        if (enabled) {
            const bool active =
                isSliderDown() || (option.activeSubControls & QStyle::SC_ScrollBarSlider) != 0;
            painter.setBrush(active ? kDeepGreen : kGreen.lighter(115));
            painter.drawRoundedRect(QRectF(part(QStyle::SC_ScrollBarSlider)).adjusted(2, 2, -2, -2),
                                    3, 3);
        }
        painter.setBrush(enabled ? kInk : kLine);
        const qreal turn = orientation() == Qt::Vertical ? 0 : -90;
        arrow(painter, part(QStyle::SC_ScrollBarSubLine), turn);
        arrow(painter, part(QStyle::SC_ScrollBarAddLine), turn + 180);
    }

  private:
    // A triangle pointing up, turned by `degrees` clockwise.
    static void arrow(QPainter& painter, QRect box, qreal degrees) {
        if (box.isEmpty()) return;
        const qreal r = std::min(box.width(), box.height()) / 4.0;
        painter.save();
        painter.translate(QRectF(box).center());
        painter.rotate(degrees);
        painter.drawPolygon(QPolygonF{QPointF(-r, r / 2), QPointF(r, r / 2), QPointF(0, -r / 2)});
        painter.restore();
    }
};

}  // namespace

void useFlatScrollBars(QAbstractScrollArea* area) {
    area->setVerticalScrollBar(new FlatScrollBar(Qt::Vertical, area));
    area->setHorizontalScrollBar(new FlatScrollBar(Qt::Horizontal, area));
}

QColor seriesColor(int index) {
    static const QColor kColors[] = {kDeepGreen,
                                     QColor(0xe0, 0x8a, 0x2e),
                                     QColor(0x3a, 0x72, 0xc0),
                                     QColor(0xc0, 0x50, 0x4d),
                                     QColor(0x80, 0x64, 0xa2),
                                     QColor(0x4b, 0xac, 0xc6)};
    return kColors[index % 6];
}

}  // namespace qtgui::theme
