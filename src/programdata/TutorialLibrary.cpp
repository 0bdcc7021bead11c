#include "programdata/TutorialLibrary.h"

#include "programdata/ProgramData.h"
#include "tutorial/TutorialWindowMaker.h"

#include <QCoreApplication>
#include <QPluginLoader>

namespace vantrel {

TutorialWindowMaker* tutorialWindowMaker()
{
    // Never unloaded: the windows it makes run its code.
    static QPluginLoader* const loader = [] {
        // In the program's library folder; failing that, in Qt's library paths, which tests
        // point at the build tree's library folder.
        auto* library = new QPluginLoader;
        for (const QString& name : {tutorialLibrary(QCoreApplication::applicationDirPath()),
                                    QStringLiteral("vantrel_tutorial")}) {
            library->setFileName(name); // Qt adds the platform's prefix and suffix
            if (library->load())
                break;
        }
        if (!library->isLoaded())
            qWarning("The tutorial window cannot be shown: %s", qPrintable(library->errorString()));
        return library;
    }();
    return qobject_cast<TutorialWindowMaker*>(loader->instance());
}

} // namespace vantrel
