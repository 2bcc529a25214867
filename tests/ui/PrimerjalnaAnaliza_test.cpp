// The comparative analysis window: its pages, the installed pictures or the
// note in their place, and freeing itself when closed.
#include "ui/analysis/UF_PRIMERJALNA_ANLIZA.h"

#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"
#include "ui/Program.h"
#include "ui/core/UF_MAIN.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace gibomer;
using namespace gibomer::test;

namespace {

QStringList captions(const QTabWidget* pages)
{
    QStringList texts;
    for (int i = 0; i < pages->count(); ++i)
        texts << pages->tabText(i);
    return texts;
}

QTabWidget* nested(const TF_PRIMERJALNA_ANLIZA& window, int page)
{
    return qobject_cast<QTabWidget*>(window.PageControl1()->widget(page));
}

} // namespace

TEST(ComparativeAnalysis, PagesWithTheirCaptionsOpenOnTheFirstOfEach)
{
    TestFolder folder;
    TF_PRIMERJALNA_ANLIZA window(folder.folder());
    const QStringList tests{"ATV", "ATT", "AKG", "DPR", "SDM", "PON", "DT", "PRE", "VZG", "T60", "T600"};
    EXPECT_EQ(captions(window.PageControl1()),
              (QStringList{"Št. učencev vključenih", "Primerjava srednjih vrednosti",
                           "Primerjava srednjih vrednosti povprečje",
                           "Primerjava srednjih vrednosti povprečje skupine"}));
    EXPECT_EQ(nested(window, 0), nullptr);
    EXPECT_EQ(captions(nested(window, 1)), tests);
    EXPECT_EQ(captions(nested(window, 2)), tests);
    EXPECT_EQ(captions(nested(window, 3)), (QStringList{"Fantje", "Dekleta", "Motorični t.",
                                                        "Antropometrične ", "Informacijske", "Energijske"}));
    EXPECT_EQ(window.PageControl1()->currentIndex(), 0);
    for (int page = 1; page < 4; ++page)
        EXPECT_EQ(nested(window, page)->currentIndex(), 0) << page;
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
}

TEST(ComparativeAnalysis, InstalledPictureOrANoteWhereToPutIt)
{
    TestFolder folder;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QDir().mkpath(folder.path() + QStringLiteral("/primerjave/3"));
    ASSERT_TRUE(picture.save(folder.path() + QStringLiteral("/primerjave/3/SDM.png")));

    TF_PRIMERJALNA_ANLIZA window(folder.folder());
    QTabWidget* means = nested(window, 2);
    EXPECT_EQ(qobject_cast<QLabel*>(means->widget(4)), nullptr) << "SDM shows its picture";
    const auto* note = qobject_cast<QLabel*>(means->widget(3));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("Slike primerjav niso nameščene.")));
    EXPECT_TRUE(note->text().contains(QStringLiteral("primerjave/3/DPR.png"))) << note->text().toStdString();
    const auto* first = qobject_cast<QLabel*>(window.PageControl1()->widget(0));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text().contains(QStringLiteral("primerjave/1/ucenci.png")));
}

TEST(ComparativeAnalysis, ClosingFreesTheWindow)
{
    TestFolder folder;
    QPointer<TF_PRIMERJALNA_ANLIZA> window = new TF_PRIMERJALNA_ANLIZA(folder.folder());
    window->show();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(ComparativeAnalysis, EveryMenuClickOpensAFreshWindow)
{
    TestFolder folder;
    ScriptedPrompter prompter;
    Program program(folder.folder(), prompter);
    QAction* item = program.main().menuItem(QStringLiteral("Primerjalneanalize1"));
    EXPECT_FALSE(item->isVisible());
    // A hidden action cannot be triggered: show the item as a user who enabled it would see it.
    item->setVisible(true);
    ASSERT_TRUE(item->isEnabled());
    EXPECT_TRUE(program.main().menuItem(QStringLiteral("Pregleduencev1"))->isEnabled());

    auto windows = [&] { return program.main().findChildren<TF_PRIMERJALNA_ANLIZA*>(); };
    item->trigger();
    ASSERT_EQ(windows().size(), 1);
    windows().first()->PageControl1()->setCurrentIndex(2);
    windows().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(windows().isEmpty());

    item->trigger();
    item->trigger();
    ASSERT_EQ(windows().size(), 2);
    for (TF_PRIMERJALNA_ANLIZA* window : windows()) {
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->PageControl1()->currentIndex(), 0);
    }
}
