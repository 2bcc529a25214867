// The analysis grid's parts: a header with a group title over the "vr." and
// "T" columns of each test, the columns of A_PVRE and A_REFERENCE, and a
// delegate that keeps text readable on dark year colours.
#pragma once

#include "ui/widgets/DatasetTableModel.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace gibomer {

// Two title lines: sections with a group title show it across the group on
// the upper line and their own title below; the others span both lines.
class TwoLineHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit TwoLineHeader(QWidget* parent = nullptr);
    // One entry per section: its group title, or empty.
    void setGroups(const QStringList& groups);
    QString groupOf(int section) const { return section < m_groups.size() ? m_groups[section] : QString(); }

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QStringList m_groups;
};

// Text in white on dark cell colours, black on light ones.
class ContrastDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// LETO_MERITVE, then "vr." and "T" of each test, then XT.
QList<GridColumn> analysisGridColumns();
QStringList analysisGridGroups();
// The eleven averaged reference values.
QList<GridColumn> referenceGridColumns();

// The header colours: white on blue.
inline const QColor HeaderBlue(117, 124, 228);

} // namespace gibomer
