// From the space key of a correct answer to the next problem on the screen,
// through the real drill screen; the sound player is a double that returns
// at once, so only the program's own work is measured.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include <random>

#include "drill/ui/drillscreen.h"
#include "support/benchschool.h"
#include "support/sessionfixture.h"

namespace {

void press(QWidget *target, int key, const QString &text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &up);
}

DrillScreen *freshDrill(SessionFixture &f)
{
    f.test.sound.played.clear();
    f.host->openDrill(3);
    auto *frm = qobject_cast<DrillScreen *>(f.host->currentScreen());
    frm->startSession();
    QCoreApplication::processEvents();
    return frm;
}

void keyToNextProblem(benchmark::State &state)
{
    SessionFixture f;
    // Draws as the real generator would give them, so that a draw rarely
    // has to be repeated.
    std::mt19937 engine(20261209);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    QList<double> draws(1000000);
    for (double &d : draws)
        d = uniform(engine);
    f.test.random.script(draws);
    f.host->show();
    DrillScreen *frm = freshDrill(f);
    for (auto _ : state) {
        state.PauseTiming();
        // The last problem would end the session; start a new one instead.
        if (frm->session().correctAnswers() >= 98)
            frm = freshDrill(f);
        for (QChar digit : QString::number(answerOnScreen(*frm)))
            press(frm, Qt::Key_0 + digit.digitValue(), QString(digit));
        state.ResumeTiming();
        press(frm, Qt::Key_Space, QStringLiteral(" "));
        // The next problem is on the screen once the changed areas are painted.
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(keyToNextProblem)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

int main(int argc, char **argv)
{
    return BenchSchool::runWithWidgets(argc, argv);
}
