#pragma once

#include <QUrl>

class QMainWindow;

// What the program looks up in the tutorial library once it has loaded it: one function
// that makes the tutorial window (Form2) for a video. The window's signals
// aboutRequested() and closed() are connected by name.
namespace vantrel {
inline constexpr char CreateTutorialSymbol[] = "vantrelCreateTutorial";
using CreateTutorial = QMainWindow* (*)(const QUrl& video);
} // namespace vantrel
