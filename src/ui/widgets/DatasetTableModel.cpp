#include "ui/widgets/DatasetTableModel.h"

#include "core/Formats.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

namespace gibomer {

DatasetTableModel::DatasetTableModel(Dataset& dataset, QList<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_dataset(dataset), m_columns(std::move(columns))
{
    connect(&m_dataset, &Dataset::rowsReset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&m_dataset, &Dataset::rowChanged, this, [this](int row) {
        if (row >= 0)
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

int DatasetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_dataset.rowCount();
}

int DatasetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns.size();
}

QString DatasetTableModel::displayText(int row, int column) const
{
    const GridColumn& c = m_columns[column];
    const QVariant v = m_dataset.value(row, c.field);
    if (v.isNull() || !v.isValid())
        return {};
    if (c.isDate) {
        const QDate date = QDate::fromString(v.toString().left(10), Qt::ISODate);
        return date.isValid() ? formatDate(date) : v.toString();
    }
    if (c.decimals >= 0) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? formatFixed(d, c.decimals) : v.toString();
    }
    if (v.typeId() == QMetaType::Double)
        return formatGeneral(v.toDouble());
    return v.toString();
}

QVariant DatasetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const GridColumn& c = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return displayText(index.row(), index.column());
    case Qt::TextAlignmentRole: {
        // Numbers line up on the right, whether or not the column has a format.
        const int type = m_dataset.value(index.row(), c.field).typeId();
        const bool number = c.decimals >= 0 || type == QMetaType::Double || type == QMetaType::Int ||
                            type == QMetaType::LongLong;
        return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                      : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    case Qt::BackgroundRole:
        if (cellColour) {
            if (const auto colour = cellColour(index.row(), c.field))
                return *colour;
        }
        return {};
    default:
        return {};
    }
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_columns.size())
        return m_columns[section].title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && m_dataset.isEditing() && index.row() == m_dataset.currentRow())
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !m_dataset.isEditing() || index.row() != m_dataset.currentRow())
        return false;
    const GridColumn& c = m_columns[index.column()];
    const QString text = value.toString().trimmed();
    if (text.isEmpty()) {
        m_dataset.setField(c.field, QVariant());
    } else if (const auto number = parseNumber(text)) {
        m_dataset.setField(c.field, *number);
    } else {
        return false; // not a number: the cell keeps its value
    }
    return true;
}

void DatasetTableModel::attachTo(QTableView* view)
{
    view->setModel(this);
    const QFontMetrics metrics(view->font());
    const int charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    for (int i = 0; i < m_columns.size(); ++i)
        view->setColumnWidth(i, m_columns[i].widthChars * charWidth + 12);
    view->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);

    auto syncView = [this, view] {
        const int row = m_dataset.currentRow();
        if (row >= 0 && view->selectionModel())
            view->selectionModel()->setCurrentIndex(index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                       QItemSelectionModel::Rows);
    };
    connect(&m_dataset, &Dataset::currentRowChanged, view, syncView);
    connect(this, &QAbstractItemModel::modelReset, view, syncView);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != m_dataset.currentRow() && !m_dataset.isEditing())
                    m_dataset.moveTo(current.row());
            });
    syncView();
}

} // namespace gibomer
