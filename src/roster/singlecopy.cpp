#include "roster/singlecopy.h"

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/programend.h"
#include "platform/singleinstance.h"

namespace SingleCopy {

bool ensure(Platform &platform)
{
    if (platform.singleInstance.acquire())
        return true;
    platform.dialogs.tell(QStringLiteral("注意"), QString::fromUtf8(Message), DialogIcon::Critical);
    platform.programEnd.endProgram(ExitCode);
    return false;
}

} // namespace SingleCopy
