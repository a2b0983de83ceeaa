#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

#include "menu/resultsgraph.h"

class QPainter;

// Paints bands of the results graph on any surface: the pane on the screen
// or a page of paper. Sizes follow the surface, so three bands fit on a
// screen of any height and on A4.
namespace GraphPainter {

struct BandTexts
{
    QString studentName;  // printed above the first band only
    QString levelTitle;   // level name, a blank and the content title
    QStringList figures;  // ResultsGraph::FiguresLines
};

enum class Surface { Screen, Paper };

// Band tops as fractions of the surface height: three bands to a surface.
inline constexpr double BandTops[] = {0.05, 0.35, 0.65};

// Where a band position (x in half widths, offset in band heights from the
// band's top) lands on the surface; a point far outside (a time-out) is held
// just outside the surface's edge.
QPointF placeOnSurface(const QRectF &surface, double bandTop, double x, double offset);

void paintBand(QPainter &painter, const QRectF &surface, double bandTop, const ResultsGraph::Band &band,
               const BandTexts &texts, Surface kind);

// What the band says in words, for a screen reader: the figures and the trail.
QString describeBand(const ResultsGraph::Band &band, const BandTexts &texts);

} // namespace GraphPainter
