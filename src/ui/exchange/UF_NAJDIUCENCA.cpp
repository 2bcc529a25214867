#include "ui/exchange/UF_NAJDIUCENCA.h"

#include "core/Formats.h"
#include "ui/core/Help.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace gibomer {

namespace {

struct CandidateColumn
{
    const char* upper; // the title's upper line; empty when one line fills both
    const char* lower;
    int widthChars;
};

// RAZRED stands over its two columns R and OD.
constexpr CandidateColumn Columns[] = {
    {"", "PRIIMEK", 13},    {"", "IME", 10},    {"", "ROJSTVO", 9},   {"", "SPOL", 6},
    {"LETO", "MERITVE", 8}, {"RAZRED", "R", 4}, {"RAZRED", "OD.", 3}, {"", "ATV", 4},
};
constexpr int ColumnCount = int(std::size(Columns));
const QColor Blue(0, 0, 160);

// Column titles in two lines, white on blue, with one upper title spanning
// the neighbouring columns that share it.
class TwoLineHeader : public QHeaderView
{
public:
    explicit TwoLineHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
    }

    QSize sizeHint() const override
    {
        QSize size = QHeaderView::sizeHint();
        size.setHeight(2 * fontMetrics().height() + 8);
        return size;
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        if (logicalIndex < 0 || logicalIndex >= ColumnCount)
            return;
        const CandidateColumn& column = Columns[logicalIndex];
        painter->save();
        painter->setClipRect(rect);
        painter->fillRect(rect, Blue);
        QFont bold = font();
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(Qt::white);
        const int half = rect.height() / 2;
        const QString upper = QString::fromUtf8(column.upper);
        const QString lower = QString::fromUtf8(column.lower);
        if (upper.isEmpty()) {
            painter->drawText(rect, Qt::AlignCenter, lower);
        } else {
            // the upper title spans every neighbour with the same upper text
            int first = logicalIndex;
            while (first > 0 && upper == QString::fromUtf8(Columns[first - 1].upper))
                --first;
            int last = logicalIndex;
            while (last + 1 < ColumnCount && upper == QString::fromUtf8(Columns[last + 1].upper))
                ++last;
            const int left = sectionViewportPosition(first);
            const int right = sectionViewportPosition(last) + sectionSize(last);
            const QRect span(left, rect.top(), right - left, half);
            painter->drawText(span, Qt::AlignCenter, upper);
            painter->setPen(QColor(160, 160, 230));
            painter->drawLine(rect.left(), rect.top() + half, rect.right(), rect.top() + half);
            painter->setPen(Qt::white);
            painter->drawText(QRect(rect.left(), rect.top() + half, rect.width(), rect.height() - half),
                              Qt::AlignCenter, lower);
        }
        painter->setPen(QColor(160, 160, 230));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->restore();
    }
};

QString dateText(const QVariant& value)
{
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    return date.isValid() ? formatDate(date) : value.toString();
}

QString numberText(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? formatGeneral(number) : value.toString();
}

} // namespace

void PupilCandidateModel::setCandidates(const QList<PupilCandidate>& candidates)
{
    beginResetModel();
    m_candidates = candidates;
    endResetModel();
}

int PupilCandidateModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_candidates.size());
}

int PupilCandidateModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PupilCandidateModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_candidates.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() >= 3 && index.column() != 6 ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                          : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const PupilCandidate& c = m_candidates[index.row()];
    switch (index.column()) {
    case 0:
        return c.priimek;
    case 1:
        return c.ime;
    case 2:
        return dateText(c.rojstvo);
    case 3:
        return numberText(c.spol);
    case 4:
        return numberText(c.letoMeritve);
    case 5:
        return numberText(c.razred);
    case 6:
        return c.oddelek.toString();
    case 7:
        return numberText(c.atv);
    }
    return {};
}

QVariant PupilCandidateModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    const QString upper = QString::fromUtf8(Columns[section].upper);
    const QString lower = QString::fromUtf8(Columns[section].lower);
    return upper.isEmpty() ? lower : upper + QLatin1Char('\n') + lower;
}

TF_NAJDIUCENCA::TF_NAJDIUCENCA(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("F_NAJDIUCENCA"));
    setWindowTitle(QStringLiteral("Iskanje pravega učenca"));
    // above the import's progress window, which stays on top
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setModal(true);

    auto* upper = new QWidget;
    upper->setAutoFillBackground(true);
    QPalette pal = upper->palette();
    pal.setColor(QPalette::Window, Blue);
    upper->setPalette(pal);

    lNaslov =
        new QLabel(QStringLiteral("Program ni uspel avtomatično dobiti podatke, zato izberite pravega:"));
    lNaslov->setObjectName(QStringLiteral("lNaslov"));
    QFont bold = lNaslov->font();
    bold.setBold(true);
    lNaslov->setFont(bold);
    lNaslov->setStyleSheet(QStringLiteral("color: white;"));
    lNaslov->setWordWrap(true);

    m_model = new PupilCandidateModel(this);
    wwDBGrid1 = new QTableView;
    wwDBGrid1->setObjectName(QStringLiteral("wwDBGrid1"));
    wwDBGrid1->setHorizontalHeader(new TwoLineHeader(wwDBGrid1));
    wwDBGrid1->setModel(m_model);
    wwDBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    wwDBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    wwDBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    wwDBGrid1->verticalHeader()->setDefaultSectionSize(wwDBGrid1->fontMetrics().height() + 6);
    wwDBGrid1->verticalHeader()->setFixedWidth(14);
    const int charWidth = wwDBGrid1->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    int gridWidth = 14 + 4;
    for (int i = 0; i < ColumnCount; ++i) {
        const int width = Columns[i].widthChars * charWidth + 14;
        wwDBGrid1->horizontalHeader()->resizeSection(i, width);
        gridWidth += width;
    }
    wwDBGrid1->horizontalHeader()->setStretchLastSection(true);
    wwDBGrid1->setMinimumWidth(gridWidth);
    connect(wwDBGrid1, &QTableView::doubleClicked, this, [this] { sbPotrdiClick(); });

    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(10, 10, 10, 10);
    upperLayout->addWidget(lNaslov);
    upperLayout->addWidget(wwDBGrid1, 1);

    fcNobeden = new QPushButton(QStringLiteral("Nobeden ne ustreza"));
    fcNobeden->setObjectName(QStringLiteral("fcNobeden"));
    sbPotrdi = new QPushButton(QStringLiteral("Potrdi"));
    sbPotrdi->setObjectName(QStringLiteral("sbPotrdi"));
    sbPotrdi->setDefault(true);
    sbPomoc = new QPushButton(QStringLiteral("Pomoč"));
    sbPomoc->setObjectName(QStringLiteral("sbPomoc"));
    sbPomoc->setAutoDefault(false);
    fcNobeden->setAutoDefault(false);
    connect(fcNobeden, &QPushButton::clicked, this, [this] { fcNobedenClick(); });
    connect(sbPotrdi, &QPushButton::clicked, this, [this] { sbPotrdiClick(); });
    connect(sbPomoc, &QPushButton::clicked, this, [this] { sbPomocClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(10, 8, 10, 10);
    buttons->addWidget(fcNobeden);
    buttons->addStretch(1);
    buttons->addWidget(sbPotrdi);
    buttons->addWidget(sbPomoc);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(upper, 1);
    layout->addLayout(buttons);
    resize(gridWidth + 40, 300);
}

void TF_NAJDIUCENCA::showEvent(QShowEvent* event)
{
    Tag = 0;
    QDialog::showEvent(event);
}

std::optional<int> TF_NAJDIUCENCA::choose(const QList<PupilCandidate>& candidates)
{
    m_model->setCandidates(candidates);
    if (!candidates.isEmpty())
        wwDBGrid1->selectRow(0);
    wwDBGrid1->setFocus();
    Tag = 0;
    exec();
    const int row = wwDBGrid1->currentIndex().isValid() ? wwDBGrid1->currentIndex().row() : 0;
    if (Tag != 1 || row < 0 || row >= candidates.size())
        return std::nullopt;
    return row;
}

void TF_NAJDIUCENCA::fcNobedenClick()
{
    Tag = 0;
    done(QDialog::Rejected);
}

void TF_NAJDIUCENCA::sbPotrdiClick()
{
    Tag = 1;
    done(QDialog::Accepted);
}

void TF_NAJDIUCENCA::sbPomocClick()
{
    ShowHelpTopic(QStringLiteral("Uvozpodatkov"));
}

} // namespace gibomer
