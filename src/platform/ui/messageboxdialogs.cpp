#include "platform/ui/messageboxdialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon toIcon(DialogIcon icon)
{
    switch (icon) {
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Warning:
        return QMessageBox::Warning;
    case DialogIcon::Critical:
        return QMessageBox::Critical;
    case DialogIcon::Question:
        return QMessageBox::Question;
    case DialogIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toButtons(DialogButtons buttons)
{
    switch (buttons) {
    case DialogButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case DialogButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case DialogButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case DialogButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

DialogAnswer toAnswer(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return DialogAnswer::Cancel;
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    default:
        return DialogAnswer::Ok;
    }
}

} // namespace

DialogAnswer MessageBoxDialogs::ask(DialogIcon icon, const QString &title, const QString &text, DialogButtons buttons)
{
    QMessageBox box(toIcon(icon), title, QString(), toButtons(buttons), QApplication::activeWindow());
    // Messages quote paths and names from the school's files.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    return toAnswer(box.exec());
}
