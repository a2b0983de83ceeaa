#include "platform/random.h"

#include <QTime>

#include <cmath>

int Random::pick(int n)
{
    const int k = static_cast<int>(std::floor(next() * n + 1));
    // Guards against a double draw that rounds up to exactly n + 1.
    return k > n ? n : k;
}

SystemRandom::SystemRandom()
    : m_engine(static_cast<quint32>(QTime::currentTime().msecsSinceStartOfDay()))
{
}

double SystemRandom::next()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine);
}

void SystemRandom::seed(quint32 value)
{
    m_engine.seed(value);
}
