// The ranking window: its controls feeding the ranking, the title sort that
// outlives "Prikaži", the lists refilled on every showing, and "Kopiraj".
#include "ui/records/UF_PREGLEDUCENCEV.h"

#include "core/Errors.h"
#include "records/RankingFixture.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"
#include "ui/widgets/DatasetTableModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QHeaderView>
#include <QListWidget>
#include <QSpinBox>
#include <QTableView>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

class RankingWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm = folder.openDataModule(prompter);
        const int g6A = addGroup(*dm, 2004, 6, QStringLiteral("A"));
        const int g7A = addGroup(*dm, 2004, 7, QStringLiteral("A"));
        const int g6B = addGroup(*dm, 2003, 6, QStringLiteral("B"));
        auto pupil = [&](const char* priimek, int spol, int group, double t60, double t60t) {
            addResult(*dm, addPupil(*dm, QString::fromUtf8(priimek), QStringLiteral("X"), spol), group,
                      {{"T60", t60}, {"T60T", t60t}});
        };
        pupil("Ana", 1, g6A, 9.1, 60.0);
        pupil("Bea", 1, g7A, 8.5, 65.0);
        pupil("Cita", 1, g6A, 10.2, 45.0);
        pupil("Dan", 0, g6A, 7.9, 72.0);
        pupil("Eva", 1, g6B, 8.8, 62.0);
        window = std::make_unique<TF_PREGLEDUCENCEV>(*dm);
        window->FormShow();
    }

    static void select(QListWidget* list, const QStringList& texts)
    {
        for (const QString& text : texts) {
            const auto found = list->findItems(text, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << text.toStdString();
            found.first()->setSelected(true);
        }
    }

    QStringList shown() const
    {
        QStringList names;
        for (int row = 0; row < window->gridModel()->rowCount(); ++row)
            names << window->gridModel()->displayText(row, 0);
        return names;
    }

    TestFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TF_PREGLEDUCENCEV> window;
};

} // namespace

TEST_F(RankingWindow, StartsOnTheFirstTestAndNextYear)
{
    EXPECT_EQ(window->lbTest()->currentItem()->text(), QStringLiteral("ATV"));
    EXPECT_EQ(window->lbTest()->count(), 12);
    EXPECT_EQ(window->seLeto()->value(), QDate::currentDate().year() + 1);
    EXPECT_EQ(window->rgSpolG()->checkedId(), 0);
    EXPECT_EQ(window->rgTOp()->checkedId(), 0);
    const QStringList titles{"priimek", "ime", "spol", "razred", "oddelek", "leto", "Vrednost", "T vred."};
    for (int i = 0; i < titles.size(); ++i)
        EXPECT_EQ(window->gridModel()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), titles[i]);
}

TEST_F(RankingWindow, ControlsBuildTheRanking)
{
    select(window->lbRazred(), {"6", "7"});
    window->lbTest()->setCurrentRow(9); // T60
    window->rgSpolG()->button(2)->setChecked(true);
    window->rgTOp()->button(1)->setChecked(true);
    window->cbLeto()->setChecked(true);
    window->seLeto()->setValue(2004);
    window->sbPrikaziClick();
    EXPECT_EQ(shown(), (QStringList{"Bea", "Ana", "Cita"}));
    EXPECT_EQ(window->gridModel()->displayText(0, 6), QStringLiteral("8,5"));
}

TEST_F(RankingWindow, ShowingRefillsTheListsAndKeepsTheOtherChoices)
{
    select(window->lbRazred(), {"6"});
    select(window->lbOddelek(), {"A"});
    window->lbTest()->setCurrentRow(10);
    window->rgSpolG()->button(1)->setChecked(true);
    window->cbLeto()->setChecked(true);
    addGroup(*dm, 2005, 9, QStringLiteral("C"));

    window->show();
    EXPECT_EQ(window->lbRazred()->count(), 4);
    EXPECT_EQ(window->lbOddelek()->item(3)->text(), QStringLiteral("C"));
    EXPECT_TRUE(window->lbRazred()->selectedItems().isEmpty());
    EXPECT_TRUE(window->lbOddelek()->selectedItems().isEmpty());
    EXPECT_EQ(window->filter().test, QStringLiteral("T600"));
    EXPECT_EQ(window->filter().sexIndex, 1);
    EXPECT_TRUE(window->filter().yearTicked);
    window->hide();
}

TEST_F(RankingWindow, TitleSortTogglesFromTheSecondClickAndOutlivesPrikazi)
{
    window->lbTest()->setCurrentRow(9);
    window->sbPrikaziClick();
    ASSERT_EQ(shown(), (QStringList{"Cita", "Ana", "Eva", "Bea", "Dan"}));

    const int vrednost = 6;
    auto click = [&](int section) {
        Q_EMIT window->wwDBGrid1()->horizontalHeader()->sectionClicked(section);
    };
    click(vrednost);
    EXPECT_EQ(shown(), (QStringList{"Dan", "Bea", "Eva", "Ana", "Cita"}));
    click(vrednost);
    EXPECT_EQ(shown(), (QStringList{"Cita", "Ana", "Eva", "Bea", "Dan"}));
    click(vrednost);
    EXPECT_EQ(shown(), (QStringList{"Dan", "Bea", "Eva", "Ana", "Cita"}));
    click(0); // another title starts ascending
    EXPECT_EQ(shown(), (QStringList{"Ana", "Bea", "Cita", "Dan", "Eva"}));
    click(0);
    EXPECT_EQ(shown(), (QStringList{"Eva", "Dan", "Cita", "Bea", "Ana"}));

    // A new ranking by T-score of the girls keeps the title order.
    window->rgSpolG()->button(2)->setChecked(true);
    window->rgTOp()->button(1)->setChecked(true);
    window->sbPrikaziClick();
    EXPECT_EQ(shown(), (QStringList{"Eva", "Cita", "Bea", "Ana"}));
}

TEST_F(RankingWindow, KopirajPutsTheTextOnTheClipboard)
{
    prompter.expectMessage(QStringLiteral("Seznam še ni prikazan. Najprej kliknite »Prikaži«."));
    EXPECT_THROW(window->sbKopirajClick(), SilentAbort);

    window->cbLeto()->setChecked(true);
    window->seLeto()->setValue(1990);
    window->sbPrikaziClick();
    window->sbKopirajClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("ime\tpriimek\tspol\trazred\toddelek\tleto_meritve\tv\tt\t\r\r"));
}
