#include "roster/rostertable.h"

#include "state/appstate.h"
#include "roster/grades.h"

RosterTable::RosterTable()
    : m_byNumber(MaxStudent + 1)
{
}

void RosterTable::clear(int schoolYear)
{
    // Only the numbers in use need resetting; far cheaper than 5001 slots.
    for (const RosterEntry &entry : std::as_const(m_entries))
        m_byNumber[std::size_t(entry.Number)] = PerNumber{};
    m_entries.clear();
    m_offered.clear();
    m_schoolYear = schoolYear;
}

RosterTable::AddOutcome RosterTable::add(RosterEntry entry, int rosterStatusSwitch)
{
    if (entry.Number < 1 || entry.Number > MaxStudent)
        return AddOutcome::BadNumber;
    if (m_entries.size() >= MaxStudent)
        return AddOutcome::Full;

    entry.Name = fixedField(entry.Name);
    entry.unusedColumn7 = fixedField(entry.unusedColumn7);
    entry.unusedColumn8 = fixedField(entry.unusedColumn8);
    if (entry.Status == RosterStatus::OfferedWhenSwitchedOn && rosterStatusSwitch == RosterSwitchOn)
        entry.Status = RosterStatus::Offered;

    m_byNumber[std::size_t(entry.Number)] =
        PerNumber{entry.Name, Roster::GradeName(gradeNumber(entry)), entry.CohortYear, true};
    if (entry.offered())
        m_offered.append(entry.Number);
    m_entries.append(std::move(entry));
    return AddOutcome::Added;
}

int RosterTable::gradeNumber(const RosterEntry &entry) const
{
    return Roster::GradeNumber(m_schoolYear, entry.CohortYear);
}

qint16 RosterTable::offeredNumber(int position) const
{
    if (position < 1 || position > m_offered.size())
        return 0;
    return m_offered[position - 1];
}

const RosterTable::PerNumber *RosterTable::slot(int number) const
{
    if (number < 0 || number > MaxStudent)
        return nullptr;
    return &m_byNumber[std::size_t(number)];
}

bool RosterTable::contains(int number) const
{
    const PerNumber *s = slot(number);
    return s && s->present;
}

QString RosterTable::name(int number) const
{
    const PerNumber *s = slot(number);
    return s ? s->name : QString();
}

QString RosterTable::trimmedName(int number) const
{
    return trimBlanks(name(number));
}

qint16 RosterTable::cohortYear(int number) const
{
    const PerNumber *s = slot(number);
    return s ? s->cohortYear : qint16(0);
}

QString RosterTable::gradeName(int number) const
{
    const PerNumber *s = slot(number);
    return s ? s->gradeName : QString();
}

QString RosterTable::fixedField(const QString &text)
{
    return text.leftJustified(FieldWidth, u' ', true);
}

QString RosterTable::trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}
