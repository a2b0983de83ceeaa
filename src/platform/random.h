#pragma once

#include <QtGlobal>

#include <random>

// Uniform numbers in [0, 1), behind an interface so tests can script draws.
class Random
{
public:
    virtual ~Random() = default;
    virtual double next() = 0;
    virtual void seed(quint32 value) = 0;

    // The integer part of (r * n + 1): one of 1..n, each equally likely.
    int pick(int n);
};

class SystemRandom final : public Random
{
public:
    SystemRandom();
    double next() override;
    void seed(quint32 value) override;

private:
    std::mt19937 m_engine;
};
