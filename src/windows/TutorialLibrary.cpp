#include "TutorialLibrary.h"

#include "Form2.h"

extern "C" Q_DECL_EXPORT QMainWindow* vantrelCreateTutorial(const QUrl& video)
{
    return new vantrel::Form2(video);
}
