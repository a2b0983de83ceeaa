#pragma once

#include <QList>
#include <QString>

#include <vector>

// The status column of a roster entry, kept as the number the file holds;
// any value other than these hides the entry from selection.
enum class RosterStatus : qint16 {
    Offered = 0,
    OfferedWhenSwitchedOn = 2, // offered only while RosterStatusSwitch is RosterSwitchOn
};

// The RosterStatusSwitch that offers the entries of OfferedWhenSwitchedOn.
inline constexpr int RosterSwitchOn = 1;

// One entry of the roster "新名簿.txt": eight values in file order.
struct RosterEntry
{
    qint16 Number = 0;
    qint16 CohortYear = 0;
    // Columns 3 and 4 are kept as read; nothing depends on them.
    qint16 unusedColumn3 = 0;
    qint16 unusedColumn4 = 0;
    QString Name; // first 20 characters, padded with spaces to 20
    // An OfferedWhenSwitchedOn entry the switch offers is stored as Offered.
    RosterStatus Status = RosterStatus::Offered;
    // Columns 7 and 8 are stored like Name; nothing depends on them.
    QString unusedColumn7;
    QString unusedColumn8;

    bool offered() const { return Status == RosterStatus::Offered; }
};

// The roster as last read: the entries in file order, the values kept per
// student number 0..MaxStudent, and the numbers of the offered entries.
class RosterTable final
{
public:
    static constexpr int FieldWidth = 20;

    enum class AddOutcome { Added, BadNumber, Full };

    RosterTable();

    // Forgets every entry; the grade names of later entries use `schoolYear`.
    void clear(int schoolYear);
    // Stores one entry as read from the file. A number outside 1..MaxStudent
    // is refused, and so is any entry after the MaxStudent-th.
    AddOutcome add(RosterEntry entry, int rosterStatusSwitch);

    int schoolYear() const { return m_schoolYear; }
    const QList<RosterEntry> &entries() const { return m_entries; }
    int gradeNumber(const RosterEntry &entry) const;

    // Offered entries by position: position p (from 1) is index p - 1.
    const QList<qint16> &offeredNumbers() const { return m_offered; }
    // 0 for a position outside 1..offeredNumbers().size().
    qint16 offeredNumber(int position) const;

    // Per-number values, set for every entry whatever its status; the later
    // of two entries with the same number wins. A number outside
    // 0..MaxStudent or absent from the roster gives empty texts and 0.
    bool contains(int number) const;
    QString name(int number) const; // 20 characters, space-padded
    QString trimmedName(int number) const;
    qint16 cohortYear(int number) const;
    QString gradeName(int number) const;

    // Cuts to FieldWidth characters and pads with spaces to FieldWidth.
    static QString fixedField(const QString &text);
    // Drops blanks at both ends but keeps ideographic spaces, which belong to names.
    static QString trimBlanks(const QString &text);

private:
    struct PerNumber
    {
        QString name;
        QString gradeName;
        qint16 cohortYear = 0;
        bool present = false;
    };
    const PerNumber *slot(int number) const;

    int m_schoolYear = 0;
    QList<RosterEntry> m_entries;
    QList<qint16> m_offered;
    std::vector<PerNumber> m_byNumber;
};

// The roster name of the teacher's entry, which opens the teacher tools.
inline constexpr auto TeacherEntryName = "監督";
