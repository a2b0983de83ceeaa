#pragma once

class QCoreApplication;

// The program speaks only Japanese, so Qt's own texts (standard buttons, the
// print and file dialogs) are Japanese whatever the PC's locale says.
namespace QtJapanese {

// Installs Qt's Japanese translations on `app`; false when they are not
// installed (the dialogs then stay English).
bool install(QCoreApplication &app);

} // namespace QtJapanese
