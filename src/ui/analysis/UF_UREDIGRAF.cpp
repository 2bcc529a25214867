#include "ui/analysis/UF_UREDIGRAF.h"

#include "analysis/Notes.h"
#include "core/DataModule.h"
#include "ui/analysis/UF_PREGLEDI_IZBIRA.h"
#include "ui/core/GibomerApplication.h"
#include "ui/core/Help.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextList>
#include <QToolButton>
#include <QVBoxLayout>

namespace gibomer {

namespace {

QToolButton* toolButton(QWidget* parent, const QString& text, const QString& tip, bool checkable = true)
{
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setCheckable(checkable);
    b->setMinimumWidth(30);
    return b;
}

} // namespace

RichTextEditorDialog::RichTextEditorDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Urejanje opomb"));
    resize(680, 460);
    auto* v = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    fontFamily = new QFontComboBox(this);
    fontSize = new QComboBox(this);
    fontSize->setEditable(true);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36})
        fontSize->addItem(QString::number(size));
    bold = toolButton(this, QStringLiteral("K"), QStringLiteral("Krepko"));
    italic = toolButton(this, QStringLiteral("L"), QStringLiteral("Ležeče"));
    underline = toolButton(this, QStringLiteral("P"), QStringLiteral("Podčrtano"));
    QFont f = bold->font();
    f.setBold(true);
    bold->setFont(f);
    f = italic->font();
    f.setItalic(true);
    italic->setFont(f);
    f = underline->font();
    f.setUnderline(true);
    underline->setFont(f);
    alignLeft = toolButton(this, QStringLiteral("Levo"), QStringLiteral("Poravnaj levo"));
    alignCenter = toolButton(this, QStringLiteral("Sredina"), QStringLiteral("Poravnaj na sredino"));
    alignRight = toolButton(this, QStringLiteral("Desno"), QStringLiteral("Poravnaj desno"));
    alignJustify =
        toolButton(this, QStringLiteral("Obojestransko"), QStringLiteral("Poravnaj obojestransko"));
    bullets = toolButton(this, QStringLiteral("• Seznam"), QStringLiteral("Alineje"));
    bar->addWidget(fontFamily, 1);
    bar->addWidget(fontSize);
    for (QToolButton* b : {bold, italic, underline})
        bar->addWidget(b);
    v->addLayout(bar);
    auto* paragraph = new QHBoxLayout;
    for (QToolButton* b : {alignLeft, alignCenter, alignRight, alignJustify, bullets})
        paragraph->addWidget(b);
    paragraph->addStretch();
    v->addLayout(paragraph);
    editor = new QTextEdit(this);
    editor->setAcceptRichText(true);
    v->addWidget(editor, 1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("V redu"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Prekliči"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(buttons);

    connect(fontFamily, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        QTextCharFormat fmt;
        fmt.setFontFamilies({font.family()});
        mergeFormat(fmt);
    });
    connect(fontSize, &QComboBox::textActivated, this, [this](const QString& text) {
        const double size = text.toDouble();
        if (size > 0) {
            QTextCharFormat fmt;
            fmt.setFontPointSize(size);
            mergeFormat(fmt);
        }
    });
    connect(bold, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat fmt;
        fmt.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeFormat(fmt);
    });
    connect(italic, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat fmt;
        fmt.setFontItalic(on);
        mergeFormat(fmt);
    });
    connect(underline, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat fmt;
        fmt.setFontUnderline(on);
        mergeFormat(fmt);
    });
    const std::pair<QToolButton*, Qt::Alignment> alignments[] = {{alignLeft, Qt::AlignLeft},
                                                                 {alignCenter, Qt::AlignHCenter},
                                                                 {alignRight, Qt::AlignRight},
                                                                 {alignJustify, Qt::AlignJustify}};
    for (const auto& [b, a] : alignments) {
        const Qt::Alignment alignment = a;
        connect(b, &QToolButton::clicked, this, [this, alignment] {
            editor->setAlignment(alignment);
            showCurrentFormat();
        });
    }
    connect(bullets, &QToolButton::clicked, this, [this](bool on) {
        QTextCursor cursor = editor->textCursor();
        cursor.beginEditBlock();
        if (on) {
            QTextListFormat list;
            list.setStyle(QTextListFormat::ListDisc);
            cursor.createList(list);
        } else if (QTextList* list = cursor.currentList()) {
            QTextBlockFormat block = cursor.blockFormat();
            list->remove(cursor.block());
            block.setIndent(0);
            cursor.setBlockFormat(block);
        }
        cursor.endEditBlock();
    });
    connect(editor, &QTextEdit::cursorPositionChanged, this, [this] { showCurrentFormat(); });
    connect(editor, &QTextEdit::currentCharFormatChanged, this, [this] { showCurrentFormat(); });
}

void RichTextEditorDialog::setHtml(const QString& html)
{
    editor->setHtml(html);
}

QString RichTextEditorDialog::html() const
{
    return editor->toHtml();
}

void RichTextEditorDialog::mergeFormat(const QTextCharFormat& format)
{
    QTextCursor cursor = editor->textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::WordUnderCursor);
    cursor.mergeCharFormat(format);
    editor->mergeCurrentCharFormat(format);
    editor->setFocus();
}

void RichTextEditorDialog::showCurrentFormat()
{
    const QTextCharFormat fmt = editor->currentCharFormat();
    const QSignalBlocker b1(fontFamily), b2(fontSize);
    bold->setChecked(fmt.fontWeight() >= QFont::Bold);
    italic->setChecked(fmt.fontItalic());
    underline->setChecked(fmt.fontUnderline());
    const QStringList families = fmt.fontFamilies().toStringList();
    if (!families.isEmpty())
        fontFamily->setCurrentFont(QFont(families.first()));
    if (fmt.fontPointSize() > 0)
        fontSize->setEditText(QString::number(fmt.fontPointSize()));
    const Qt::Alignment a = editor->alignment();
    alignLeft->setChecked(a & Qt::AlignLeft);
    alignCenter->setChecked(a & Qt::AlignHCenter);
    alignRight->setChecked(a & Qt::AlignRight);
    alignJustify->setChecked(a & Qt::AlignJustify);
    bullets->setChecked(editor->textCursor().currentList() != nullptr);
}

TF_UREDIGRAF::TF_UREDIGRAF(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("F_UREDIGRAF"));
    setWindowTitle(QStringLiteral("Uredi graf"));
    auto* v = new QVBoxLayout(this);
    dbcPrilagodi = new QCheckBox(QStringLiteral("Prilagodi graf rezultatom"), this);
    dbcPrilagodi->setObjectName(QStringLiteral("dbcPrilagodi"));
    DBCheckBox1 = new QCheckBox(QStringLiteral("Prikazuj referenčne vrednosti"), this);
    DBCheckBox1->setObjectName(QStringLiteral("DBCheckBox1"));
    DBCheckBox1->setVisible(false);
    Label1 = new QLabel(QStringLiteral("Vpiši opombe, ki bodo natisnjene v poročilu"), this);
    wwDBRichEdit1 = new QTextEdit(this);
    wwDBRichEdit1->setObjectName(QStringLiteral("wwDBRichEdit1"));
    wwDBRichEdit1->setMinimumSize(353, 153);
    wwDBRichEdit1->setAcceptRichText(true);
    sbUredi = new QPushButton(QStringLiteral("Uredi"), this);
    cbOpombe = new QCheckBox(QStringLiteral("Natisni opombe na poročilu"), this);
    cbOpombe->setObjectName(QStringLiteral("cbOpombe"));
    sbZapri = new QPushButton(QStringLiteral("Zapri"), this);
    sbPomoc = new QPushButton(QStringLiteral("Pomoč"), this);
    for (QPushButton* b : {sbUredi, sbZapri, sbPomoc})
        b->setAutoDefault(false);

    v->addWidget(dbcPrilagodi);
    v->addWidget(DBCheckBox1);
    v->addWidget(Label1);
    auto* notes = new QHBoxLayout;
    notes->addWidget(wwDBRichEdit1, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(sbUredi);
    side->addStretch();
    notes->addLayout(side);
    v->addLayout(notes, 1);
    v->addWidget(cbOpombe);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sbPomoc);
    buttons->addStretch();
    buttons->addWidget(sbZapri);
    v->addLayout(buttons);
    resize(480, 330);

    connect(dbcPrilagodi, &QCheckBox::toggled, this, [this](bool on) { store("PRILAGODIGRAF", on ? 1 : 0); });
    connect(DBCheckBox1, &QCheckBox::toggled, this,
            [this](bool on) { store("PRIKAZUJREFERENCNE", on ? 1 : 0); });
    connect(wwDBRichEdit1, &QTextEdit::textChanged, this,
            [this] { store("OPOMBE", wwDBRichEdit1->toHtml()); });
    connect(sbUredi, &QPushButton::clicked, this, [this] { runReported([&] { sbUrediClick(); }); });
    connect(sbZapri, &QPushButton::clicked, this, [this] { runReported([&] { sbZapriClick(); }); });
    connect(sbPomoc, &QPushButton::clicked, this, [this] { runReported([&] { sbPomocClick(); }); });
}

void TF_UREDIGRAF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runReported([&] { loadFromSettings(); });
}

void TF_UREDIGRAF::loadFromSettings()
{
    Dataset& settings = m_dm.A_NASTAVITVE();
    m_loading = true;
    struct Done
    {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_loading};
    auto read = [&](const char* column) {
        const QString name = QString::fromLatin1(column);
        return settings.isOpen() && settings.hasField(name) ? settings.field(name) : QVariant();
    };
    dbcPrilagodi->setChecked(read("PRILAGODIGRAF").toInt() == 1);
    DBCheckBox1->setChecked(read("PRIKAZUJREFERENCNE").toInt() == 1);
    wwDBRichEdit1->setHtml(notesToHtml(read("OPOMBE").toString()));
}

void TF_UREDIGRAF::store(const char* column, const QVariant& value)
{
    if (m_loading)
        return;
    runReported([&] {
        Dataset& settings = m_dm.A_NASTAVITVE();
        if (!settings.isOpen() || settings.isEmpty())
            return;
        settings.edit(); // nothing is stored before "Zapri"
        settings.setField(QString::fromLatin1(column), value);
    });
}

void TF_UREDIGRAF::sbUrediClick()
{
    RichTextEditorDialog dialog(this);
    dialog.setHtml(wwDBRichEdit1->toHtml());
    if (runEditor(dialog))
        wwDBRichEdit1->setHtml(dialog.html());
}

void TF_UREDIGRAF::sbZapriClick()
{
    TDM::PostIfEditing(m_dm.A_NASTAVITVE()); // a refused save keeps the window open
    accept();
    if (m_selection)
        m_selection->BuildAnalysis();
}

void TF_UREDIGRAF::sbPomocClick()
{
    ShowHelpTopic(QStringLiteral("Uredigraf"));
}

} // namespace gibomer
