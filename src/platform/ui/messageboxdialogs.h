#pragma once

#include "platform/dialogs.h"

class MessageBoxDialogs final : public Dialogs
{
public:
    DialogAnswer ask(DialogIcon icon, const QString &title, const QString &text, DialogButtons buttons) override;
};
