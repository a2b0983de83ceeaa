#include "demo/demoresults.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "app/oledate.h"
#include "demo/demoschool.h"
#include "store/resultrecord.h"
#include "store/resultsfile.h"

namespace {

constexpr int Students = 30;
constexpr int Days = 28;
constexpr int Levels = 4;
// Target times of the demo level table.
constexpr std::array<int, Levels + 1> Target{0, 120, 150, 130, 170};

// A fixed linear congruential generator: the same file on every machine.
class Draws
{
public:
    double next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) / double(1ULL << 53);
    }

private:
    quint64 m_state = 20261209;
};

struct Learner
{
    double pace = 1; // time as a share of the target on the first day
    int level = 1;
    int goodSessions = 0;
};

struct Session
{
    double timeOfDay;
    qint16 student;
    qint16 level;
    qint32 time;
};

std::vector<Learner> learners()
{
    std::vector<Learner> all(Students + 1);
    for (int s = 1; s <= Students; ++s) {
        all[std::size_t(s)].pace = 0.8 + double((s * 37) % 55) / 100.0;
        all[std::size_t(s)].level = 1 + (s % 5 == 0 ? 1 : 0);
    }
    return all;
}

// One student's sessions on one day; a fast enough session moves the
// student on once five of them are done.
void practise(Learner &l, qint16 student, int dayIndex, Draws &draws, std::vector<Session> &day)
{
    const int sessions = 1 + int(draws.next() * 3);
    double clock = 15.5 / 24 + draws.next() * 0.08;
    for (int k = 0; k < sessions; ++k) {
        const double improving = 1.0 - 0.006 * dayIndex;
        const double luck = 0.85 + 0.3 * draws.next();
        qint32 time = std::max(40, int(std::lround(Target[std::size_t(l.level)] * l.pace * improving * luck)));
        if (draws.next() < 0.03)
            time = 99999;
        day.push_back({clock, student, qint16(l.level), time});
        clock += (time == 99999 ? 600.0 : time + 60.0) / 86400;
        if (time <= Target[std::size_t(l.level)] && ++l.goodSessions >= 5 && l.level < Levels) {
            ++l.level;
            l.goodSessions = 0;
        }
    }
}

} // namespace

namespace DemoResults {

QByteArray sessions(const QString &siteCode, QDate today)
{
    Draws draws;
    std::vector<Learner> all = learners();
    QByteArray bytes;
    for (int d = 0; d < Days; ++d) {
        const QDate date = today.addDays(d - (Days - 1));
        if (date.dayOfWeek() == Qt::Sunday)
            continue;
        std::vector<Session> day;
        for (int s = 1; s <= Students; ++s) {
            // A handful always come on the last day, so "today" shows something.
            const bool forced = d == Days - 1 && s <= 8;
            if (forced || draws.next() < 0.55)
                practise(all[std::size_t(s)], qint16(s), d, draws, day);
        }
        std::stable_sort(day.begin(), day.end(),
                         [](const Session &a, const Session &b) { return a.timeOfDay < b.timeOfDay; });
        for (const Session &s : day) {
            const ResultRecord r = ResultRecord::make(OleDate::fromDate(date), std::min(s.timeOfDay, 0.99), s.student,
                                                      s.level, s.time, siteCode);
            unsigned char out[ResultRecordLength];
            r.encode(out);
            bytes.append(reinterpret_cast<const char *>(out), ResultRecordLength);
        }
    }
    return bytes;
}

bool seed(const QString &dataFolder, const QString &siteCode, QDate today, QString *error)
{
    const QString path = ResultsFile::pathIn(dataFolder);
    if (QFileInfo::exists(path))
        return true;
    return DemoSchool::writeBinaryFile(path, sessions(siteCode, today), error);
}

} // namespace DemoResults
