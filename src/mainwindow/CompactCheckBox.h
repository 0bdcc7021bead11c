#pragma once

#include <QCheckBox>

class QPainter;

namespace vantrel {

// A check box drawn as a small push button that stays down while checked, with a tick on
// it then. The main window gives it only 9 x 13 pixels, too small for a standard indicator
// with its mark.
class CompactCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    void drawCheckMark(QPainter& painter) const;
};

} // namespace vantrel
