#pragma once

#include <QColor>
#include <array>

namespace vantrel {

// The script editor's colours on its black box: muted, so the script reads calmly, and
// each bright enough to read (a contrast of at least 4.5:1 against black). Text that is no
// part of the language keeps the box's light grey.
namespace ScriptColours {
inline const QColor Comment{112, 160, 112};
inline const QColor String{206, 178, 122};
inline const QColor Constant{196, 152, 196}; // numbers, true and false
inline const QColor Parenthesis{140, 140, 140};
inline const QColor FormOpener{122, 166, 218};
inline const QColor ScriptKind{156, 142, 214};
inline const QColor Call{102, 178, 170};
inline const QColor ListedFunction{224, 150, 96}; // a function in the function list in use
inline const QColor Problem{230, 72, 72}; // a character that shows a problem, and its underline
inline const QColor Note{222, 178, 64};   // where a problem was most likely made
// A parenthesis and its partner beside the cursor.
inline const QColor PartnerText{236, 236, 236};
inline const QColor PartnerBackground{52, 70, 92};
// The other places in view of the script or global name under the cursor: barely lifted
// off the black, so the text keeps its own colours.
inline const QColor OccurrenceBackground{56, 56, 56};

inline const std::array<QColor, 11> OnBlack{Comment,    String,     Constant,   Parenthesis,
                                            FormOpener, ScriptKind, Call,       ListedFunction,
                                            Problem,    Note,       PartnerText};
} // namespace ScriptColours

} // namespace vantrel
