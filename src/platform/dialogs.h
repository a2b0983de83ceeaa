#pragma once

#include <QString>

enum class DialogIcon { None, Information, Warning, Critical, Question };
enum class DialogButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class DialogAnswer { Ok, Cancel, Yes, No };

// Modal message boxes; tests script the answers and read the texts.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual DialogAnswer ask(DialogIcon icon, const QString &title, const QString &text, DialogButtons buttons) = 0;

    void tell(const QString &title, const QString &text, DialogIcon icon = DialogIcon::None)
    {
        ask(icon, title, text, DialogButtons::Ok);
    }
};
