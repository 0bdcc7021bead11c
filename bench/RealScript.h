#pragma once

#include <QByteArray>

namespace vantrel::bench {

// A script shaped like those the language's users write, the same for every run: forms
// nested three to six deep in lines of about 34 characters, a comment every ten lines or
// so, now and then a block comment of 20 to 50 lines around forms put aside, a few
// Windows-1252 letters. Such scripts end their lines in LF; `lineEnd` may say otherwise.
// About `size` bytes, cut at the end of a form.
// With `declarations`, the heads vary as in a level's mission script: globals between the
// scripts, static scripts with return types and the later games' parameter lists, stubs
// that statics further on replace; about one declaration for each 450 bytes.
QByteArray RealShapedScript(qsizetype size, const QByteArray& lineEnd = "\n",
                            bool declarations = false);

// A function list shaped like those the game's tools write: `functions` functions with one
// to three description lines each, one in eight listed twice with another count, some
// with optional or repeated parameters, then a few hundred external globals; CR LF lines.
// It lists the calls of RealShapedScript with the counts that script gives them.
QByteArray RealShapedFunctionList(int functions);

} // namespace vantrel::bench
