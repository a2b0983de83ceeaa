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

// The size of the small texts: the figures' line step fixes the figures'
// text size, and the other texts keep their proportions but stay readable on
// a small screen.
double figuresPixels(const BandGeometry &g, Surface kind)
{
    return (kind == Surface::Paper ? 0.06 : 0.08) * g.d() * 0.65;
}

double basePixels(const QPainter &painter, const BandGeometry &g, Surface kind)
{
    const bool paper = kind == Surface::Paper;
    return std::max(figuresPixels(g, kind) / 1.5, paper ? pixelsOf(painter, 2.2) : 10.0);
}

// Where `wanted` lands nearest its place without covering a placed label:
// moved up or down past whatever it would cover.
QRectF freePlace(const QRectF &wanted, const std::vector<Label> &placed)
{
    std::vector<QRectF> tried{wanted};
    QRectF best;
    double bestShift = -1;
    for (std::size_t i = 0; i < tried.size() && i < 64; ++i) {
        const QRectF candidate = tried[i];
        const auto hit = std::find_if(placed.begin(), placed.end(),
                                      [&](const Label &label) { return label.rect.intersects(candidate); });
        if (hit == placed.end()) {
            const double shift = std::abs(candidate.top() - wanted.top());
            if (bestShift < 0 || shift < bestShift) {
                best = candidate;
                bestShift = shift;
            }
            continue;
        }
        tried.push_back(candidate.translated(0, hit->rect.bottom() - candidate.top() + 1));
        tried.push_back(candidate.translated(0, hit->rect.top() - candidate.bottom() - 1));
    }
    return bestShift < 0 ? wanted : best;
}

} // namespace

std::vector<Label> trailLabels(QPainter &painter, const QRectF &surface, double bandTop, const Band &band, Surface kind)
{
    const BandGeometry g(surface, bandTop);
    const QFontMetricsF metrics(sizedFont(basePixels(painter, g, kind)), painter.device());
    std::vector<Label> labels;
    const auto place = [&](QPointF topLeft, const QString &text) {
        const QRectF wanted(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
        labels.push_back({freePlace(wanted, labels), text});
        return labels.back().rect;
    };
    // The scale first: a session's label moves aside, never the axis.
    place(g.at(0.12, 0.79), QStringLiteral("0秒"));
    place(g.at(0.12, 0.1), QStringLiteral("%1秒").arg(band.scaleTop));
    const std::vector<TrailEntry> &trail = band.trail;
    if (band.hasLastSession)
        place(g.at(band.lastSessionX - 0.025, 0.815), ResultsGraph::trailDate(band.lastSessionDate, QString()));
    if (trail.empty())
        return labels;
    const QStringList dates = ResultsGraph::trailDates(trail);
    const auto timeText = [&](std::size_t k) { return QStringLiteral("%1秒").arg(trail[k].time); };
    // A date goes below its time, lower than its place if the text is taller.
    const auto timeAndDate = [&](std::size_t k, double timeOffset, double dateOffset) {
        const QRectF time = place(g.at(trail[k].x - 0.025, trail[k].offset + timeOffset), timeText(k));
        const QPointF date = g.at(trail[k].x - 0.025, trail[k].offset + dateOffset);
        place(QPointF(date.x(), std::max(date.y(), time.bottom())), dates[qsizetype(k)]);
    };
    place(g.at(0.12, trail[0].offset - 0.01), timeText(0));
    place(g.at(trail[0].x - 0.025, 0.815), dates[0]);
    for (std::size_t k : ResultsGraph::middleTrailLabels(trail.size()))
        timeAndDate(k, 0.01, 0.03);
    timeAndDate(trail.size() - 1, 0.04, 0.07);
    return labels;
}

namespace {

void paintTrail(QPainter &painter, const QRectF &surface, double bandTop, const Band &band, Surface kind)
{
    const BandGeometry g(surface, bandTop);
    const std::vector<TrailEntry> &trail = band.trail;
    setPen(painter, Qt::black, TrailMm);
    for (std::size_t k = 1; k < trail.size(); ++k)
        painter.drawLine(g.at(trail[k - 1].x, trail[k - 1].offset), g.at(trail[k].x, trail[k].offset));
    setPen(painter, Qt::black, RuleMm);
    const std::vector<Label> labels = trailLabels(painter, surface, bandTop, band, kind);
    painter.setFont(sizedFont(basePixels(painter, g, kind)));
    for (const Label &label : labels)
        textAt(painter, label.rect.topLeft(), label.text);
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

void paintBand(QPainter &painter, const QRectF &surface, double bandTop, const Band &band, const BandTexts &texts,
               Surface kind)
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
    const double figuresFont = figuresPixels(g, kind);
    const double base = basePixels(painter, g, kind);

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
    paintTrail(painter, surface, bandTop, band, kind);
    painter.restore();
}

QString describeBand(const Band &band, const BandTexts &texts)
{
    QStringList parts{SpokenText::join({texts.levelTitle})};
    for (const QString &line : texts.figures) {
        if (!line.isEmpty())
            parts.append(SpokenText::join({line}));
    }
    const QStringList dates = ResultsGraph::trailDates(band.trail);
    for (std::size_t k = 0; k < band.trail.size(); ++k)
        parts.append(QStringLiteral("%1 %2秒").arg(dates[qsizetype(k)]).arg(band.trail[k].time));
    return parts.join(u'\n');
}

} // namespace GraphPainter
