#pragma once

#include <QWidget>

#include <vector>

#include "menu/ui/graphpainter.h"

// The drawing surface of the graph pane: up to three bands, top to bottom.
class GraphSurface final : public QWidget
{
    Q_OBJECT

public:
    struct ShownBand
    {
        ResultsGraph::Band band;
        GraphPainter::BandTexts texts;
    };

    explicit GraphSurface(QWidget *parent = nullptr);

    void showBands(std::vector<ShownBand> bands);
    void clear();
    const std::vector<ShownBand> &bands() const { return m_bands; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<ShownBand> m_bands;
};
