// The grid: a table view over GridTableModel. The table model is told of a
// change only when the grid's revision moved, so a redraw costs the same for
// ten rows as for 32,767.
#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QTableView>
#include <utility>

#include "qt/bindings.h"
#include "qt/grid_table_model.h"
#include "qt/theme.h"

namespace qtgui {
namespace {

// Cells drawn as the style draws them, but their texts laid out once: a
// table view draws every visible cell again on each repaint, and shaping
// its text was most of the cost. A text keeps its layout and its width for
// as long as the font stays; the few hundred different texts of a screenful
// are kept. A plain cell (not current, not selected) is its background and
// its text, which is all the style would draw of it.
class CellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QString text = std::exchange(cell.text, QString());
        QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
        if (isPlain(cell)) {
            if (cell.backgroundBrush.style() != Qt::NoBrush) {
                const QPointF origin = painter->brushOrigin();
                painter->setBrushOrigin(cell.rect.topLeft());
                painter->fillRect(cell.rect, cell.backgroundBrush);
                painter->setBrushOrigin(origin);
            }
        } else {
            style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
        }
        if (text.isEmpty()) return;
        // Where and in which colour the style would write the text.
        const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget)
                               .adjusted(margin(style, cell), 0, -margin(style, cell), 0);
        const QStaticText& shaped = laidOut(text, cell, room.width());
        const QSize size = shaped.size().toSize();
        const QRect place = QStyle::alignedRect(cell.direction, cell.displayAlignment, size, room);
        const QPalette::ColorGroup group =
            !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (cell.state & QStyle::State_Active) ? QPalette::Normal
                                                  : QPalette::Inactive;
        painter->save();
        painter->setClipRect(room);
        painter->setFont(cell.font);
        painter->setPen(cell.palette.color(group, cell.state & QStyle::State_Selected
                                                      ? QPalette::HighlightedText
                                                      : QPalette::Text));
        painter->drawStaticText(place.topLeft(), shaped);
        painter->restore();
    }

  private:
    static bool isPlain(const QStyleOptionViewItem& cell) {
        return !(cell.state & (QStyle::State_Selected | QStyle::State_HasFocus)) &&
               !(cell.features &
                 (QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration |
                  QStyleOptionViewItem::Alternate));
    }

    int margin(QStyle* style, const QStyleOptionViewItem& cell) const {
        if (margin_ < 0)
            margin_ = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
        return margin_;
    }

    // The text as it fits `width`, laid out in the cell's font: the whole
    // text, kept, or when it is wider, the text cut short with an ellipsis.
    const QStaticText& laidOut(const QString& text, const QStyleOptionViewItem& cell,
                               int width) const {
        if (cell.font != font_ || texts_.size() > kMostTexts) {
            texts_.clear();
            font_ = cell.font;
        }
        auto found = texts_.find(text);
        if (found == texts_.end())
            found = texts_.insert(
                text, {prepared(text, cell.font), cell.fontMetrics.horizontalAdvance(text)});
        if (found->width <= width) return found->text;
        elided_ = prepared(cell.fontMetrics.elidedText(text, cell.textElideMode, width), cell.font);
        return elided_;
    }

    static QStaticText prepared(const QString& text, const QFont& font) {
        QStaticText shaped(text);
        shaped.setTextFormat(Qt::PlainText);
        shaped.setPerformanceHint(QStaticText::AggressiveCaching);
        shaped.prepare(QTransform(), font);
        return shaped;
    }

    struct LaidOut {
        QStaticText text;
        int width = 0;
    };
    static constexpr qsizetype kMostTexts = 4096;
    mutable QHash<QString, LaidOut> texts_;
    mutable QStaticText elided_;
    mutable QFont font_;
    mutable int margin_ = -1;
};

class GridBinding : public TypedBinding<ui::Grid, QTableView> {
  public:
    GridBinding(Binder& b, ui::Grid& grid, QTableView* view)
        : TypedBinding(b, grid, view), table_(new GridTableModel(grid, view)) {
        view->setModel(table_);
        QObject::connect(view, &QTableView::clicked, view, [this](const QModelIndex& index) {
            cellEvent(index, &ui::Grid::clickCell);
        });
        QObject::connect(view, &QTableView::doubleClicked, view, [this](const QModelIndex& index) {
            cellEvent(index, &ui::Grid::doubleClickCell);
        });
        QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, view,
                         [this](const QModelIndex& index) { currentMoved(index); });
        QObject::connect(view->verticalScrollBar(), &QScrollBar::valueChanged, view,
                         [this](int value) { scrolled(value); });
        // The rows can be scrolled only once the view knows its height: the
        // first visible row is applied again whenever the range changes.
        QObject::connect(view->verticalScrollBar(), &QScrollBar::rangeChanged, view,
                         [this] { scrollToTopRow(); });
    }

  protected:
    void apply() override {
        drawing_ = true;
        applyCommon();
        applyAccessibleName(view(), qstr(model().toolTip()));
        bool reset = table_->reload();
        applyFont();
        for (int c = 0; c < model().cols(); ++c) {
            int width = twipsToPixels(model().colWidth(c), view());
            if (view()->columnWidth(c) != width) view()->setColumnWidth(c, width);
        }
        if (model().row() >= 1)
            view()->setCurrentIndex(table_->index(model().row() - 1, model().col()));
        applySelection();
        if (reset || model().topRow() != drawnTopRow_) {
            view()->doItemsLayout();
            scrollToTopRow();
        }
        drawing_ = false;
    }

  private:
    // The row the program chose shows selected; the current cell alone only
    // as a focus frame, so that the cells keep their colours.
    void applySelection() {
        QItemSelectionModel* selection = view()->selectionModel();
        const int row = model().selectedRow();
        if (row < 1) {
            selection->clearSelection();
            return;
        }
        selection->select(table_->index(row - 1, 0),
                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    void scrollToTopRow() {
        bool drawing = std::exchange(drawing_, true);
        view()->verticalScrollBar()->setValue(model().topRow() - 1);
        drawnTopRow_ = model().topRow();
        drawing_ = drawing;
    }

    void applyFont() {
        if (view()->font().pointSize() == model().fontSize()) return;
        QFont font = view()->font();
        font.setPointSize(model().fontSize());
        view()->setFont(font);
        view()->horizontalHeader()->setFont(font);
        view()->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
    }

    // A click or double-click on a cell below the header row.
    void cellEvent(const QModelIndex& index, void (ui::Grid::*gesture)(int, int)) {
        if (!index.isValid()) return;
        // The grid by reference, not through `this`: GCC's vptr check takes
        // the closure for the binding when a lambda inside a lambda uses it.
        binder().userAction(model(), [&grid = model(), index, gesture] {
            (grid.*gesture)(index.row() + 1, index.column());
        });
    }

    // The keyboard moved the current cell: no event, the model follows and
    // the cell comes into sight.
    void currentMoved(const QModelIndex& index) {
        if (drawing_ || !index.isValid()) return;
        model().setCurrent(index.row() + 1, index.column());
        markDrawn();
        view()->scrollTo(index);
    }

    // The user scrolled: the first visible row is the model's too.
    void scrolled(int value) {
        if (drawing_ || value + 1 == model().topRow()) return;
        model().setTopRow(value + 1);
        drawnTopRow_ = model().topRow();
        markDrawn();
    }

    GridTableModel* table_;
    int drawnTopRow_ = 0;
    bool drawing_ = false;
};

}  // namespace

QTableView* bindGrid(Binder& binder, ui::Grid& grid, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(qstr(grid.name()));
    theme::useFlatScrollBars(view);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setHighlightSections(false);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The current cell shows as a focus frame: a selection would hide the
    // cell colours that the views set.
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    // Only the model's first visible row decides the scrolling: making a
    // cell current does not scroll by itself.
    view->setAutoScroll(false);
    view->setItemDelegate(new CellDelegate(view));
    nameAfterBuddyLabel(view);
    binder.add<GridBinding>(grid, view);
    return view;
}

}  // namespace qtgui
