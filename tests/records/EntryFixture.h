// A program folder with a data module for the record-keeping windows, and a
// few helpers that write rows straight into the tables and read them back.
#pragma once

#include "core/DataModule.h"
#include "core/Errors.h"
#include "core/Sql.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <memory>

namespace gibomer::test {

// Types text into a widget as key presses, as the user would.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const int key = c.toUpper().unicode() < 128 ? c.toUpper().unicode() : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

inline void pressKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

struct EntryFixture
{
    // The prompter lives longer than the data module that holds it.
    ScriptedPrompter prompter;
    TestFolder folder;
    std::unique_ptr<TDM> dm = folder.openDataModule(prompter);

    QVariant value(const QString& sql, const SqlParams& params = {}) const
    {
        return scalar(dm->db(), sql, params);
    }
    int count(const QString& table) const
    {
        return value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    }
    void exec(const QString& sql, const SqlParams& params = {}) const { execSql(dm->db(), sql, params); }

    void addPupil(int id, const QString& priimek, const QString& ime, const QVariant& vnos = 1) const
    {
        exec(QStringLiteral("INSERT INTO T_UCENEC (ID_UCENEC, PRIIMEK, IME, ROJSTVO, SPOL, VNOS) "
                            "VALUES (:id, :p, :i, '1996-05-04', 0, :v)"),
             {{QStringLiteral(":id"), id},
              {QStringLiteral(":p"), priimek},
              {QStringLiteral(":i"), ime},
              {QStringLiteral(":v"), vnos}});
    }
    void addGroup(int id, int leto, int razred, const QString& oddelek, int vrsta = 9) const
    {
        exec(QStringLiteral("INSERT INTO T_MERITEV (ID_MERITEV, LETO_MERITVE, RAZRED, ODDELEK, VRSTA) "
                            "VALUES (:id, :l, :r, :o, :v)"),
             {{QStringLiteral(":id"), id},
              {QStringLiteral(":l"), leto},
              {QStringLiteral(":r"), razred},
              {QStringLiteral(":o"), oddelek},
              {QStringLiteral(":v"), vrsta}});
    }
    void addResults(int id, int pupil, int group, double atv = 150) const
    {
        exec(QStringLiteral(
                 "INSERT INTO T_VREDNOST (ID_VREDNOST, ID_UCENEC, ID_MERITEV, ATV) VALUES (:id, :u, :m, :a)"),
             {{QStringLiteral(":id"), id},
              {QStringLiteral(":u"), pupil},
              {QStringLiteral(":m"), group},
              {QStringLiteral(":a"), atv}});
    }
    QList<int> ids(const QString& sql) const
    {
        QList<int> result;
        QSqlQuery query = execSql(dm->db(), sql);
        while (query.next())
            result << query.value(0).toInt();
        return result;
    }
};

} // namespace gibomer::test
