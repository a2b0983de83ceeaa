#include "menu/ui/graphsurface.h"

#include <QPainter>

#include "app/ui/controlnames.h"
#include "menu/ui/menucontrols.h"

GraphSurface::GraphSurface(QWidget *parent)
    : QWidget(parent)
{
    Controls::named(this, MenuControls::GraphSurface);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAccessibleName(QStringLiteral("グラフ"));
}

void GraphSurface::showBands(std::vector<ShownBand> bands)
{
    m_bands = std::move(bands);
    QStringList described;
    for (const ShownBand &shown : m_bands)
        described.append(GraphPainter::describeBand(shown.band, shown.texts));
    // The painted figures and trail, for a screen reader.
    setAccessibleDescription(described.join(u'\n'));
    update();
}

void GraphSurface::clear()
{
    showBands({});
}

void GraphSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < m_bands.size() && i < std::size(GraphPainter::BandTops); ++i) {
        GraphPainter::paintBand(painter, QRectF(rect()), GraphPainter::BandTops[i], m_bands[i].band, m_bands[i].texts,
                                GraphPainter::Surface::Screen);
    }
}
