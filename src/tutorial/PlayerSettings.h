#pragma once

#include <QUrl>

namespace vantrel {

// What the tutorial's player is created with. The defaults are the tutorial window's.
//
// Fixed in this player rather than settable: the full set of playback controls below the
// video; the video drawn in a widget of its own, inside the window, never full screen;
// errors shown as text inside the player, never in a dialog; no markers, no captions and
// no web addresses opened from inside the media.
struct PlayerSettings
{
    QUrl url;              // none: the player opens empty and idle
    bool autoStart = true; // a location, once given, starts playing at once
    int playCount = 1;     // how many times a clip plays
    double rate = 1.0;     // normal speed
    int volume = 50;       // 0 to 100, linear
    // Kept as given: the backend has no stereo balance control, so sound is always
    // centred, which is what 0 means.
    int balance = 0;
    bool mute = false;
    bool stretchToFit = false; // false: the video keeps its own size, centred
    bool enabled = true;
    bool enableContextMenu = true;
};

} // namespace vantrel
