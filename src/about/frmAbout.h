#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace vantrel {

// The About box: the program's icon, title, version and credits, and OK. It is a
// top-level window of its own, so the program keeps running while it is open even after
// the main window has closed.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout();

private:
    void buildControls();
    void drawRule();
    void load();

    QPushButton* cmdOK = nullptr;
    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    std::array<QWidget*, 2> Line1{};
};

} // namespace vantrel
