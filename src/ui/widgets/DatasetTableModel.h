// A table model over a Dataset for the grids: chosen columns with titles,
// widths in characters, number formats and optional cell colours.
#pragma once

#include "core/Dataset.h"

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <optional>

class QTableView;

namespace gibomer {

struct GridColumn
{
    QString field;
    QString title;
    int widthChars = 8;
    // Decimals of a number format ("#0" is 0, "#0.0" is 1); -1 shows the value as text.
    int decimals = -1;
    bool isDate = false;
};

class DatasetTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    DatasetTableModel(Dataset& dataset, QList<GridColumn> columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    const QList<GridColumn>& columns() const { return m_columns; }
    Dataset& dataset() const { return m_dataset; }

    // Cells of the current row may be typed into while the dataset is editing.
    void setEditable(bool editable) { m_editable = editable; }
    // A background colour for a cell, or nothing for the grid's own colour.
    std::function<std::optional<QColor>(int row, const QString& field)> cellColour;

    // The text a cell shows.
    QString displayText(int row, int column) const;

    // Sets the column widths from the characters of each column, and keeps the
    // view's current row in step with the dataset.
    void attachTo(QTableView* view);

private:
    Dataset& m_dataset;
    QList<GridColumn> m_columns;
    bool m_editable = false;
};

} // namespace gibomer
