// A combo box over a dataset whose drop-down is a small table of several
// columns; picking a row moves the dataset to it, and the box follows the
// dataset's current row.
#pragma once

#include "ui/widgets/DatasetTableModel.h"

#include <QComboBox>
#include <functional>

class QTableView;

namespace gibomer {

class DbLookupCombo : public QComboBox
{
    Q_OBJECT
public:
    // shownColumn: the drop-down column whose text the closed box shows.
    DbLookupCombo(Dataset& list, QList<GridColumn> dropDownColumns, int shownColumn,
                  QWidget* parent = nullptr);

    // Shows the dataset's current row.
    void syncFromDataset();
    // Moves the dataset to a row, as picking it in the drop-down does.
    void pick(int row);
    QTableView* dropDown() const { return m_view; }

    // Runs whenever the drop-down closes.
    std::function<void()> popupClosed;

    void showPopup() override;
    void hidePopup() override;

private:
    Dataset& m_list;
    DatasetTableModel* m_model;
    QTableView* m_view;
    bool m_syncing = false;
    bool m_popupOpen = false;
};

} // namespace gibomer
