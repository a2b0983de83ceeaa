#pragma once

#include <QWidget>

// Stands in for a screen that is not built yet and says so.
class PlaceholderScreen final : public QWidget
{
    Q_OBJECT

public:
    PlaceholderScreen(const QString &caption, const QString &text, QWidget *parent = nullptr);
};
