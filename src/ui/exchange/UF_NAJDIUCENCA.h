// "Iskanje pravega učenca": when several pupils fit a staged pupil, the user
// picks the right one from their class history, or none.
#pragma once

#include "core/Prompter.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;
class QTableView;

namespace gibomer {

// The candidates as grid rows.
class PupilCandidateModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setCandidates(const QList<PupilCandidate>& candidates);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<PupilCandidate> m_candidates;
};

class TF_NAJDIUCENCA : public QDialog
{
    Q_OBJECT
public:
    explicit TF_NAJDIUCENCA(QWidget* parent = nullptr);

    // Shows the candidates modally: the row confirmed with "Potrdi" (the
    // first row when the grid was not touched), or nullopt for
    // "Nobeden ne ustreza" and the close box.
    std::optional<int> choose(const QList<PupilCandidate>& candidates);

    void fcNobedenClick();
    void sbPotrdiClick();
    void sbPomocClick();

    // 1 when the user confirmed a row.
    int Tag = 0;

    QLabel* lNaslov = nullptr;
    QTableView* wwDBGrid1 = nullptr;
    QPushButton* fcNobeden = nullptr;
    QPushButton* sbPotrdi = nullptr;
    QPushButton* sbPomoc = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    PupilCandidateModel* m_model = nullptr;
};

} // namespace gibomer
