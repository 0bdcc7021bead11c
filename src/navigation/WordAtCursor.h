#pragma once

#include <QString>

class QTextDocument;

namespace vantrel {

// A name in the text: where it starts and what it is.
struct WordAt
{
    int start = 0;
    QString text;
    int end() const { return start + int(text.size()); }
};

// What ends a name: a space, a line end, a parenthesis, a quote or a semicolon.
bool isNameCharacter(QChar c);

// The name that holds `position` or ends just before it; empty when there is none.
WordAt wordAt(const QTextDocument& document, int position);
// The part of a name that ends at `position`: what completion completes.
WordAt wordBefore(const QTextDocument& document, int position);

} // namespace vantrel
