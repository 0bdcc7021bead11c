#pragma once

#include <QLabel>

namespace vantrel {

// The signature of the call being typed, with the current parameter marked, in a small box
// just above the cursor (below it on the first lines). It lives in the editor's viewport and
// never takes the focus, so typing goes on into the editor.
class SignatureHelp : public QLabel
{
    Q_OBJECT

public:
    explicit SignatureHelp(QWidget* viewport);

    // Shows `html` beside the cursor rectangle, in viewport coordinates.
    void showAt(const QString& html, QRect cursor);
};

} // namespace vantrel
