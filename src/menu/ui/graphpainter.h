#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

#include "menu/resultsgraph.h"

class QPainter;

// Paints bands of the results graph on any surface: the pane on the screen
// or a page of paper. Sizes follow the surface, so three bands fit on a
// screen of any height and on A4.
namespace GraphPainter {

struct BandTexts
{
    QString studentName; // printed above the first band only
    QString levelTitle;  // level name, a blank and the content title
    QStringList figures; // ResultsGraph::figuresLines
};

enum class Surface { Screen, Paper };

// Band tops as fractions of the surface height: three bands to a surface.
inline constexpr double BandTops[] = {0.05, 0.35, 0.65};

// A text of the band where it is painted, in the surface's pixels.
struct Label
{
    QRectF rect;
    QString text;
};

// The scale's and the trail's time and date labels, each moved up or down
// from its place as far as needed to cover no other.
std::vector<Label> trailLabels(QPainter &painter, const QRectF &surface, double bandTop, const ResultsGraph::Band &band,
                               Surface kind);

// Where a band position (x in half widths, offset in band heights from the
// band's top) lands on the surface; a point far outside (a time-out) is held
// just outside the surface's edge.
QPointF placeOnSurface(const QRectF &surface, double bandTop, double x, double offset);

void paintBand(QPainter &painter, const QRectF &surface, double bandTop, const ResultsGraph::Band &band,
               const BandTexts &texts, Surface kind);

// What the band says in words, for a screen reader: the figures and the trail.
QString describeBand(const ResultsGraph::Band &band, const BandTexts &texts);

} // namespace GraphPainter
