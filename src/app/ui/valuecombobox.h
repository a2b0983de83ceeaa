#pragma once

#include <QComboBox>

// A drop-down list whose chosen value a screen reader says with its label.
// Qt gives a closed combo box no text of its own, and Orca looks for the
// value in the box's text, so this one shows its current text as text.
class ValueComboBox final : public QComboBox
{
    Q_OBJECT

public:
    explicit ValueComboBox(QWidget *parent = nullptr);
};
