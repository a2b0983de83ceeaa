#include "menu/ui/graphpainter.h"

#include <QPaintDevice>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

#include "app/oledate.h"
#include "app/spokentext.h"
#include "app/ui/screenstyle.h"

namespace GraphPainter {

namespace {

using ResultsGraph::Band;
using ResultsGraph::TrailEntry;

// Pen widths in millimetres, about what the classroom printouts always had.
constexpr double PointMm = 1.3;
constexpr double RuleMm = 0.5;
constexpr double TrailMm = 0.8;

double pixelsOf(const QPainter &painter, double mm)
{
    return mm * painter.device()->logicalDpiY() / 25.4;
}

class BandGeometry
{
public:
    BandGeometry(const QRectF &surface, double bandTop)
        : m_surface(surface)
        , m_bandTop(bandTop)
    {
    }
    QPointF at(double x, double offset) const { return placeOnSurface(m_surface, m_bandTop, x, offset); }
    double d() const { return m_surface.height() / 3; }

private:
    QRectF m_surface;
    double m_bandTop;
};

void textAt(QPainter &painter, QPointF topLeft, const QString &text)
{
    painter.drawText(QRectF(topLeft, QSizeF(1e5, 1e5)), Qt::AlignLeft | Qt::AlignTop, text);
}

void setPen(QPainter &painter, const QColor &colour, double mm)
{
    QPen pen(colour, pixelsOf(painter, mm));
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
}

QFont sizedFont(double pixels)
{
    QFont font = ScreenStyle::fixedPitchFont();
    font.setPixelSize(std::max(1, int(pixels)));
    return font;
}

void paintTrail(QPainter &painter, const BandGeometry &g, const Band &band, double base)
{
    const std::vector<TrailEntry> &trail = band.trail;
    const QStringList dates = ResultsGraph::TrailDates(trail);
    painter.setFont(sizedFont(base));
    setPen(painter, Qt::black, RuleMm);
    if (band.hasLastSession) {
        textAt(painter, g.at(band.lastSessionX - 0.025, 0.815),
               ResultsGraph::TrailDate(band.lastSessionDate, QString()));
    }
    setPen(painter, Qt::black, TrailMm);
    for (std::size_t k = 1; k < trail.size(); ++k)
        painter.drawLine(g.at(trail[k - 1].x, trail[k - 1].offset), g.at(trail[k].x, trail[k].offset));
    setPen(painter, Qt::black, RuleMm);
    textAt(painter, g.at(0.12, 0.79), QStringLiteral("0秒"));
    textAt(painter, g.at(0.12, 0.1), QStringLiteral("%1秒").arg(band.scaleTop));

    const auto timeText = [&](std::size_t k) { return QStringLiteral("%1秒").arg(trail[k].time); };
    // A date goes below its time, lower than its place if the text is taller.
    const double lineHeight = QFontMetricsF(painter.font(), painter.device()).height();
    const auto timeAndDate = [&](std::size_t k, double timeOffset, double dateOffset) {
        const QPointF time = g.at(trail[k].x - 0.025, trail[k].offset + timeOffset);
        const QPointF date = g.at(trail[k].x - 0.025, trail[k].offset + dateOffset);
        textAt(painter, time, timeText(k));
        textAt(painter, QPointF(date.x(), std::max(date.y(), time.y() + lineHeight)), dates[qsizetype(k)]);
    };
    textAt(painter, g.at(0.12, trail[0].offset - 0.01), timeText(0));
    textAt(painter, g.at(trail[0].x - 0.025, 0.815), dates[0]);
    for (std::size_t k : ResultsGraph::MiddleTrailLabels(trail.size()))
        timeAndDate(k, 0.01, 0.03);
    timeAndDate(trail.size() - 1, 0.04, 0.07);
}

} // namespace

QPointF placeOnSurface(const QRectF &surface, double bandTop, double x, double offset)
{
    const double d = surface.height() / 3;
    const double px = surface.left() + x * surface.width() / 2;
    const double py = surface.top() + bandTop * surface.height() + offset * d;
    return {std::clamp(px, surface.left() - 1, surface.right() + 1),
            std::clamp(py, surface.top() - 1, surface.bottom() + 1)};
}

void paintBand(QPainter &painter, const QRectF &surface, double bandTop, const Band &band,
               const BandTexts &texts, Surface kind)
{
    painter.save();
    painter.setClipRect(surface);
    painter.setRenderHint(QPainter::Antialiasing);
    const BandGeometry g(surface, bandTop);
    const bool paper = kind == Surface::Paper;
    // The figures' line step fixes their text size. Other texts keep the
    // same proportions, but stay readable on a small screen and fit between
    // the rules of the band.
    const double step = (paper ? 0.06 : 0.08) * g.d();
    const double figuresFont = step * 0.65;
    const double base = std::max(figuresFont / 1.5, paper ? pixelsOf(painter, 2.2) : 10.0);

    setPen(painter, Qt::black, RuleMm);
    if (bandTop < 0.08 && !texts.studentName.isEmpty()) {
        painter.setFont(sizedFont(std::min(3 * base, 0.12 * g.d())));
        textAt(painter, g.at(0.01, 0.02 - bandTop * 3), texts.studentName);
    }
    painter.drawLine(QPointF(surface.left(), g.at(0, 0).y()), QPointF(surface.right(), g.at(0, 0).y()));
    painter.drawLine(QPointF(surface.left(), g.at(0, 0.09).y()), QPointF(surface.right(), g.at(0, 0.09).y()));
    painter.setFont(sizedFont(std::min((paper ? 3 : 2) * base, 0.05 * g.d())));
    textAt(painter, g.at(0.7, 0.01), texts.levelTitle);

    painter.drawLine(g.at(0.2, 0.8), g.at(0.9, 0.8));
    painter.drawLine(g.at(0.2, 0.8), g.at(0.2, 0.1));
    for (const ResultsGraph::PlotPoint &point : band.points) {
        setPen(painter, point.personalBest ? QColor(255, 0, 0) : QColor(0, 0, 255), PointMm);
        painter.drawPoint(g.at(point.x, point.offset));
    }

    setPen(painter, Qt::black, RuleMm);
    painter.setFont(sizedFont(figuresFont));
    double e = 0.05;
    const double stepInD = step / g.d();
    // The class-average caption goes three quarters of a step down: half a
    // step would print it over the average it names, a whole one onto the
    // next band.
    for (qsizetype i = 0; i < texts.figures.size(); ++i) {
        e += i == texts.figures.size() - 1 ? 0.75 * stepInD : stepInD;
        if (!texts.figures[i].isEmpty())
            textAt(painter, g.at(1.05, e), texts.figures[i]);
    }
    if (!band.trail.empty())
        paintTrail(painter, g, band, base);
    painter.restore();
}

QString describeBand(const Band &band, const BandTexts &texts)
{
    QStringList parts{SpokenText::join({texts.levelTitle})};
    for (const QString &line : texts.figures) {
        if (!line.isEmpty())
            parts.append(SpokenText::join({line}));
    }
    const QStringList dates = ResultsGraph::TrailDates(band.trail);
    for (std::size_t k = 0; k < band.trail.size(); ++k)
        parts.append(QStringLiteral("%1 %2秒").arg(dates[qsizetype(k)]).arg(band.trail[k].time));
    return parts.join(u'\n');
}

} // namespace GraphPainter
