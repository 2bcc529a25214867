// "Pregled učencev": the best results of one test under grade, class, sex and
// year filters, sortable by column title and copied to the clipboard as text.
#pragma once

#include "records/Ranking.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableView;

namespace gibomer {

class DatasetTableModel;
class TDM;

class TF_PREGLEDUCENCEV : public QDialog
{
    Q_OBJECT
public:
    explicit TF_PREGLEDUCENCEV(TDM& dm, QWidget* parent = nullptr);

    // Selects the first test and proposes next year.
    void FormCreate();
    // Fills the grade and class lists anew; their selections are lost.
    void FormShow();
    void sbPrikaziClick();
    void sbKopirajClick();
    void wwDBGrid1TitleButtonClick(const QString& field);

    // The filters as the controls hold them.
    RankingFilter filter() const;

    QListWidget* lbRazred() const { return m_razred; }
    QListWidget* lbOddelek() const { return m_oddelek; }
    QListWidget* lbTest() const { return m_test; }
    QButtonGroup* rgSpolG() const { return m_spol; }
    QButtonGroup* rgTOp() const { return m_top; }
    QCheckBox* cbLeto() const { return m_cbLeto; }
    QSpinBox* seLeto() const { return m_seLeto; }
    QTableView* wwDBGrid1() const { return m_grid; }
    DatasetTableModel* gridModel() const { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildFilters();

    TDM& m_dm;
    QListWidget* m_razred = nullptr;
    QListWidget* m_oddelek = nullptr;
    QListWidget* m_test = nullptr;
    QButtonGroup* m_spol = nullptr;
    QButtonGroup* m_top = nullptr;
    QCheckBox* m_cbLeto = nullptr;
    QSpinBox* m_seLeto = nullptr;
    QTableView* m_grid = nullptr;
    DatasetTableModel* m_model = nullptr;
};

} // namespace gibomer
