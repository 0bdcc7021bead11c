#include "language/SignatureHelp.h"

#include <QToolTip>

namespace vantrel {

SignatureHelp::SignatureHelp(QWidget* viewport) : QLabel(viewport)
{
    setObjectName(QStringLiteral("signatureHelp"));
    setAccessibleName(QStringLiteral("Signature help"));
    setTextFormat(Qt::RichText);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMargin(3);
    hide();
}

void SignatureHelp::showAt(const QString& html, QRect cursor)
{
    setText(html);
    // As wide as its lines, or wrapped at the viewport's width.
    const int room = parentWidget()->width() - 4;
    setWordWrap(false);
    adjustSize();
    if (width() > room) {
        setWordWrap(true);
        resize(room, heightForWidth(room));
    }
    const QWidget* area = parentWidget();
    const int x = std::clamp(cursor.left(), 2, std::max(2, area->width() - width() - 2));
    const int above = cursor.top() - height() - 2;
    move(x, above >= 0 ? above : cursor.bottom() + 3);
    show();
    raise();
}

} // namespace vantrel
