#include "ui/widgets/DbLookupCombo.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace gibomer {

DbLookupCombo::DbLookupCombo(Dataset& list, QList<GridColumn> dropDownColumns, int shownColumn,
                             QWidget* parent)
    : QComboBox(parent), m_list(list), m_model(new DatasetTableModel(list, std::move(dropDownColumns), this)),
      m_view(new QTableView)
{
    setModel(m_model);
    setModelColumn(shownColumn);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setShowGrid(true);
    setView(m_view); // the box takes ownership

    const QFontMetrics metrics(font());
    const int charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    int width = 0;
    const auto& columns = m_model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        const int titleWidth = metrics.horizontalAdvance(columns[i].title) + 16;
        const int columnWidth = std::max(columns[i].widthChars * charWidth + 12, titleWidth);
        m_view->setColumnWidth(i, columnWidth);
        width += columnWidth;
    }
    m_view->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    m_view->setMinimumWidth(width + m_view->verticalScrollBar()->sizeHint().width() + 4);
    setMinimumContentsLength(columns.value(shownColumn).widthChars + 2);

    connect(this, &QComboBox::activated, this, &DbLookupCombo::pick);
    connect(&m_list, &Dataset::currentRowChanged, this, &DbLookupCombo::syncFromDataset);
    connect(&m_list, &Dataset::rowsReset, this, &DbLookupCombo::syncFromDataset);
    syncFromDataset();
}

void DbLookupCombo::syncFromDataset()
{
    m_syncing = true;
    setCurrentIndex(m_list.isOpen() ? m_list.currentRow() : -1);
    m_syncing = false;
}

void DbLookupCombo::pick(int row)
{
    if (m_syncing || !m_list.isOpen() || row < 0 || row >= m_list.rowCount())
        return;
    if (row != m_list.currentRow())
        m_list.moveTo(row);
    syncFromDataset();
}

void DbLookupCombo::showPopup()
{
    QComboBox::showPopup();
    m_popupOpen = true;
    const int row = m_list.currentRow();
    if (row >= 0)
        m_view->selectRow(row);
}

void DbLookupCombo::hidePopup()
{
    // The box also calls this when it is disabled or hidden with no popup open.
    const bool wasOpen = m_popupOpen;
    m_popupOpen = false;
    QComboBox::hidePopup();
    if (wasOpen && popupClosed)
        popupClosed();
}

} // namespace gibomer
