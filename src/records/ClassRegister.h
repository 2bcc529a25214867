// The register of class-year groups (T_MERITEV rows): adding, checking and
// deleting a group through the data module's shared A_VNOSO dataset.
#pragma once

#include <QString>
#include <QVariant>

namespace gibomer {

class TDM;

class ClassRegister
{
public:
    explicit ClassRegister(TDM& dm);

    // A new group with only its ID set.
    void addGroup();
    void checkGroupEditable();
    // Asks first. A group that still has results rows is deleted only when
    // the user confirms a second question naming their number; the group and
    // its rows then go in one transaction. False when nothing was deleted.
    bool deleteGroup();

    int resultsInGroup(const QVariant& groupId) const;

    // The school-year label before the year: 2002 reads "2001/"; empty for
    // an empty or unreadable year.
    static QString schoolYearLabel(const QString& yearText);

    static const QString NoGroupText;
    static const QString DeleteGroupQuestion;
    static QString deleteResultsQuestion(int count);

private:
    TDM& m_dm;
};

} // namespace gibomer
