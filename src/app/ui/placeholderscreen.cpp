#include "app/ui/placeholderscreen.h"

#include <QLabel>
#include <QVBoxLayout>

PlaceholderScreen::PlaceholderScreen(const QString &caption, const QString &text, QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(caption);
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("PlaceholderText"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPointSize(20);
    label->setFont(font);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
}
