// "Izvoz podatkov": the pupils of a school year, and their raw results, into
// a workbook in the entry workbook's layout. Also the entry window's two
// workbook buttons, which open what they write the same way.
#pragma once

#include <QDate>
#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace gibomer {

class Prompter;
class ProgressDisplay;
class TDM;
class TF_VNOSU;

// Opens a written workbook in the system's spreadsheet program; when none
// opens it, tells the user where the file is.
void openWorkbookInSpreadsheet(Prompter& prompter, const QString& path);

// The school year in progress on a day: it is named by the calendar year in
// which it ends and starts in September.
int currentSchoolYear(const QDate& today = QDate::currentDate());

class TF_IZVOZ : public QDialog
{
    Q_OBJECT
public:
    explicit TF_IZVOZ(TDM& dm, QWidget* parent = nullptr);

    void sbUvoziClick();
    void sbPomocClick();

    // What is done with the written workbook; opens it in the spreadsheet program.
    std::function<void(const QString& path)> openWorkbook;

    QSpinBox* seLeto = nullptr;
    QLabel* lSolskoLeto = nullptr;
    QCheckBox* cbIzvoz = nullptr;
    QPushButton* sbUvozi = nullptr;
    QPushButton* sbPomoc = nullptr;
    QPushButton* sbZapri = nullptr;

private:
    TDM& m_dm;
};

// Adds "Kreiraj Excel" and "Uvoz iz Excela" to the entry window. The written
// workbook is opened with the given function (the spreadsheet program when empty).
void addClassWorkbookButtons(TF_VNOSU& window, TDM& dm, ProgressDisplay& progress,
                             std::function<void(const QString& path)> openWorkbook = {});

} // namespace gibomer
