// A Grid model as Qt's item views read it: row 0 of the grid is the
// horizontal header and rows 1 onwards are the table's rows. Cells are read
// from the grid only when a view asks for them, so a grid of any size opens
// at once.
#pragma once

#include <QAbstractTableModel>

#include "ui/controls.h"

namespace qtgui {

class GridTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit GridTableModel(const ui::Grid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Takes the grid's present content: a reset when its size changed, one
    // change notice for all cells and the header otherwise. Returns true on a
    // reset.
    bool reload();

  private:
    // Whether the grid still has the cell: between a change of the grid and
    // the next reload a view may ask for rows the grid no longer has.
    bool holds(int gridRow, int col) const;
    QVariant text(int gridRow, int col) const;
    QVariant background(int gridRow, int col) const;
    QVariant alignment(int gridRow, int col) const;

    const ui::Grid& grid_;
    int rows_;
    int cols_;
};

}  // namespace qtgui
