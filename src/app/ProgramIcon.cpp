#include "ProgramIcon.h"

#include "DeferredIcon.h"

namespace vantrel {

QIcon programIcon()
{
    return deferredIcon([] {
        QIcon icon;
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
        return icon;
    });
}

} // namespace vantrel
