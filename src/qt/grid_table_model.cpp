#include "qt/grid_table_model.h"

#include <QBrush>
#include <QColor>

#include "qt/binder.h"

namespace qtgui {
namespace {

Qt::Alignment horizontal(ui::Align align, Qt::Alignment general) {
    switch (align) {
        case ui::Align::Left:
            return Qt::AlignLeft;
        case ui::Align::Center:
            return Qt::AlignHCenter;
        case ui::Align::Right:
            return Qt::AlignRight;
        case ui::Align::Default:
            break;
    }
    return general;
}

// Without an alignment of its own a data cell holding a number is right
// aligned and any other text left aligned.
Qt::Alignment generalAlignment(const std::string& text) {
    bool number = false;
    qstr(text).trimmed().toDouble(&number);
    return number ? Qt::AlignRight : Qt::AlignLeft;
}

}  // namespace

GridTableModel::GridTableModel(const ui::Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.rows() - 1), cols_(grid.cols()) {}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

bool GridTableModel::holds(int gridRow, int col) const {
    return gridRow >= 0 && gridRow < grid_.rows() && col >= 0 && col < grid_.cols();
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    int row = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return text(row, index.column());
        case Qt::BackgroundRole:
            return background(row, index.column());
        case Qt::TextAlignmentRole:
            return alignment(row, index.column());
        default:
            return {};
    }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) return text(0, section);
    if (role == Qt::TextAlignmentRole && holds(0, section))
        return static_cast<int>(horizontal(grid_.fixedAlignment(section), Qt::AlignHCenter) |
                                Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant GridTableModel::text(int gridRow, int col) const {
    if (!holds(gridRow, col)) return {};
    return qstr(grid_.text(gridRow, col));
}

QVariant GridTableModel::background(int gridRow, int col) const {
    if (!holds(gridRow, col)) return {};
    const auto& color = grid_.cellColor(gridRow, col);
    if (!color) return {};
    return QBrush(QColor(color->r, color->g, color->b));
}

QVariant GridTableModel::alignment(int gridRow, int col) const {
    if (!holds(gridRow, col)) return {};
    Qt::Alignment general = generalAlignment(grid_.text(gridRow, col));
    return static_cast<int>(horizontal(grid_.colAlignment(col), general) | Qt::AlignVCenter);
}

bool GridTableModel::reload() {
    if (grid_.rows() - 1 != rows_ || grid_.cols() != cols_) {
        beginResetModel();
        rows_ = grid_.rows() - 1;
        cols_ = grid_.cols();
        endResetModel();
        return true;
    }
    if (cols_ > 0) {
        if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    }
    return false;
}

}  // namespace qtgui
