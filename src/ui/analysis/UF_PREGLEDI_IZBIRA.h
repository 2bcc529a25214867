// "Izbira pregleda": the stay-on-top window where the kind of analysis and
// its years, grade, class, generation, sex or pupil are chosen.
#pragma once

#include "analysis/AnalysisSelection.h"

#include <QSpinBox>
#include <QWidget>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace gibomer {

class TDM;
class TF_PREGLEDI;
class DatasetTableModel;

// A spin box that may be left empty: the value below the range stands for empty.
class OptionalSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    OptionalSpinBox(int minimum, int maximum, QWidget* parent = nullptr);
    std::optional<int> optionalValue() const;
    void setOptionalValue(std::optional<int> value);
    bool isEmpty() const { return value() == minimum(); }
    void clear() override { setValue(minimum()); }

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
};

class TF_PREGLEDI_IZBIRA : public QWidget
{
    Q_OBJECT
public:
    // A tool window of the analysis view, so that it can be used while the view is modal.
    TF_PREGLEDI_IZBIRA(TDM& dm, TF_PREGLEDI& view, const QDate& today = QDate::currentDate());

    void FormCreate(const QDate& today);
    // The controls' values (and the chosen pupil) as a plain value.
    AnalysisSelection selection() const;
    // Builds the chosen analysis into the view; afterwards the window closes
    // unless "Ostani na vrhu" is ticked.
    void BuildAnalysis();

    void rgTipClick();
    void seGenUChange();
    void seGenGChange();
    void sbIzprazniUClick();
    void sbIzprazniRClick();
    void sbIzprazniGClick();
    void fcImageBtn8Click(); // "Najdi učenc-a\e"
    void fcImageBtn3Click(); // "Ponovni izbor"
    void wwDBGrid1TitleButtonClick(const QString& field);
    void sbPregledClick();
    void sbNAtisniClick(); // "Natisni vse"
    void sbZapriClick();

    // The batch print of every found pupil; "Natisni vse" is disabled while there is none.
    void setShowBatchPrint(std::function<void()> handler);

    QButtonGroup* rgTip = nullptr;
    QCheckBox* cbOstani = nullptr;
    QPushButton* sbZapri = nullptr;
    QStackedWidget* PageControl1 = nullptr;
    QWidget *tsUcenec = nullptr, *tsRazred = nullptr, *tsGeneracija = nullptr, *tsCelotna = nullptr;
    QStackedWidget* PageControl2 = nullptr;
    QWidget *tsU1 = nullptr, *tsU2 = nullptr;

    OptionalSpinBox *seGenU = nullptr, *seRazredU = nullptr, *seLetnikU = nullptr;
    QLineEdit *seOddelekU = nullptr, *ePriimekU = nullptr, *eImeU = nullptr;
    QLabel* lLetoU = nullptr;
    QButtonGroup* rgSpolU = nullptr;
    QPushButton *sbIzprazniU = nullptr, *fcImageBtn8 = nullptr;
    QSpinBox *seLEtoOdU = nullptr, *seLetoDoU = nullptr;
    QTableView* wwDBGrid1 = nullptr;
    QPushButton *fcImageBtn6 = nullptr, *sbNAtisni = nullptr, *fcImageBtn3 = nullptr;

    QSpinBox *seLEtoODR = nullptr, *seLEtoDor = nullptr;
    OptionalSpinBox* seRazredR = nullptr;
    QLineEdit* eOddelekR = nullptr;
    QButtonGroup* RgSpolR = nullptr;
    QPushButton *fcImageBtn1 = nullptr, *sbIzprazniR = nullptr;

    QSpinBox *seLEtoOdG = nullptr, *SeLetoDoG = nullptr, *seGenG = nullptr;
    QLabel* lLEto = nullptr;
    OptionalSpinBox* seRazredG = nullptr;
    QLineEdit* eOddelekG = nullptr;
    QButtonGroup* rgSpolG = nullptr;
    QPushButton *fcImageBtn5 = nullptr, *sbIzprazniG = nullptr;

    QSpinBox *seLEtoOdC = nullptr, *seLEtoDoC = nullptr;
    QButtonGroup* rgSpolC = nullptr;
    QPushButton* sbPregled = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildPupilSearchPage();
    QWidget* buildFoundPupilsPage();
    QWidget* buildClassPage();
    QWidget* buildGenerationPage();
    QWidget* buildSchoolPage();

    TDM& m_dm;
    TF_PREGLEDI& m_view;
    DatasetTableModel* m_pupilModel = nullptr;
    std::function<void()> m_showBatchPrint;
    bool m_subPageChosen = false;
};

} // namespace gibomer
