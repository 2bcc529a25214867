// The analysis grid's two-line header, columns and cell text colours.
#include "ui/analysis/AnalysisGrid.h"

#include "core/TestTables.h"

#include <QPainter>

namespace gibomer {

TwoLineHeader::TwoLineHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    QFont f = font();
    f.setBold(true);
    setFont(f);
}

void TwoLineHeader::setGroups(const QStringList& groups)
{
    m_groups = groups;
    viewport()->update();
}

QSize TwoLineHeader::sectionSizeFromContents(int logicalIndex) const
{
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    size.setHeight(2 * fontMetrics().height() + 8);
    return size;
}

void TwoLineHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    painter->setClipRect(rect);
    painter->fillRect(rect, HeaderBlue);
    painter->setPen(Qt::white);
    painter->setFont(font());
    const QString title = model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
    const QString group = groupOf(logicalIndex);
    const QColor lines(255, 255, 255, 160);
    if (group.isEmpty()) {
        painter->drawText(rect, Qt::AlignCenter, title);
    } else {
        // The group rectangle spans every neighbouring section of the same
        // group; each section paints its share of it.
        int first = logicalIndex, last = logicalIndex;
        while (first > 0 && groupOf(first - 1) == group)
            --first;
        while (last + 1 < count() && groupOf(last + 1) == group)
            ++last;
        const int left = sectionViewportPosition(first);
        const int right = sectionViewportPosition(last) + sectionSize(last);
        const int middle = rect.top() + rect.height() / 2;
        const QRect groupRect(left, rect.top(), right - left, middle - rect.top());
        painter->drawText(groupRect, Qt::AlignCenter, group);
        painter->drawText(QRect(rect.left(), middle, rect.width(), rect.bottom() - middle), Qt::AlignCenter,
                          title);
        painter->setPen(lines);
        painter->drawLine(rect.left(), middle, rect.right(), middle);
        if (logicalIndex != last) { // inside a group only the lower line is divided
            painter->drawLine(rect.right(), middle, rect.right(), rect.bottom());
            painter->restore();
            return;
        }
    }
    painter->setPen(lines);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->restore();
}

void ContrastDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The analysis grids show values only; no row is highlighted as current.
    option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QColor>()) {
        const QColor c = background.value<QColor>();
        const bool dark = 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue() < 140;
        option->palette.setColor(QPalette::Text, dark ? Qt::white : Qt::black);
        option->palette.setColor(QPalette::HighlightedText, dark ? Qt::white : Qt::black);
        option->font.setBold(true);
    }
}

QList<GridColumn> analysisGridColumns()
{
    QList<GridColumn> columns{{QStringLiteral("LETO_MERITVE"), QStringLiteral("Leto"), 5, -1}};
    for (int t = 1; t <= TestCount; ++t) {
        const QString code = QString::fromLatin1(TestCodes[t]);
        columns << GridColumn{code, QStringLiteral("vr."), 5, 0}
                << GridColumn{code + QLatin1Char('T'), QStringLiteral("T"), 5, 1};
    }
    columns << GridColumn{QStringLiteral("XT"), QStringLiteral("XT"), 5, 1};
    return columns;
}

QStringList analysisGridGroups()
{
    QStringList groups{QString()};
    for (int t = 1; t <= TestCount; ++t)
        groups << QString::fromLatin1(TestCodes[t]) << QString::fromLatin1(TestCodes[t]);
    groups << QString();
    return groups;
}

QList<GridColumn> referenceGridColumns()
{
    QList<GridColumn> columns;
    for (int t = 1; t <= TestCount; ++t) {
        const QString code = QString::fromLatin1(TestCodes[t]);
        columns << GridColumn{code + QLatin1Char('T'), code, 5, 0};
    }
    return columns;
}

} // namespace gibomer
