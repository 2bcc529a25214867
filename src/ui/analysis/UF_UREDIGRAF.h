// "Uredi graf": whether the T-score axes adapt to the results, the notes
// printed under the report, and whether this run's prints show them.
#pragma once

#include <QDialog>
#include <QTextEdit>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace gibomer {

class TDM;
class TF_PREGLEDI_IZBIRA;

// The fuller editor behind "Uredi": font family and size, bold, italic,
// underline, alignment and bullet lists.
class RichTextEditorDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RichTextEditorDialog(QWidget* parent = nullptr);
    void setHtml(const QString& html);
    QString html() const;

    QTextEdit* editor = nullptr;
    QFontComboBox* fontFamily = nullptr;
    QComboBox* fontSize = nullptr;
    QToolButton *bold = nullptr, *italic = nullptr, *underline = nullptr, *bullets = nullptr;
    QToolButton *alignLeft = nullptr, *alignCenter = nullptr, *alignRight = nullptr, *alignJustify = nullptr;

private:
    void mergeFormat(const QTextCharFormat& format);
    void showCurrentFormat();
};

class TF_UREDIGRAF : public QDialog
{
    Q_OBJECT
public:
    explicit TF_UREDIGRAF(TDM& dm, QWidget* parent = nullptr);

    void setSelectionWindow(TF_PREGLEDI_IZBIRA* selection) { m_selection = selection; }

    void sbUrediClick();
    // Saves pending changes of the settings row, closes, rebuilds the analysis.
    void sbZapriClick();
    void sbPomocClick();

    // Runs the editor dialog; replaced in tests.
    std::function<bool(RichTextEditorDialog&)> runEditor = [](RichTextEditorDialog& d) {
        return d.exec() == QDialog::Accepted;
    };

    QCheckBox* dbcPrilagodi = nullptr;
    QCheckBox* DBCheckBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QTextEdit* wwDBRichEdit1 = nullptr;
    QPushButton* sbUredi = nullptr;
    // "Natisni opombe na poročilu": kept for this run only; the prints read it.
    QCheckBox* cbOpombe = nullptr;
    QPushButton* sbZapri = nullptr;
    QPushButton* sbPomoc = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadFromSettings();
    void store(const char* column, const QVariant& value);

    TDM& m_dm;
    TF_PREGLEDI_IZBIRA* m_selection = nullptr;
    bool m_loading = false;
};

} // namespace gibomer
