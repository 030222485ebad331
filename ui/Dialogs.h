#pragma once

#include <string>

namespace ui {

enum class MsgBoxIcon { Information, Warning, Question, Error };
enum class MsgBoxButtons { Ok, OkCancel };
enum class MsgBoxResult { Ok, Cancel };

// The window's mouse pointer, with the values the handlers use.
enum class MousePointer { Default = 0, Hourglass = 11 };

// What the handlers need of the desktop besides their own controls: modal message boxes, titled
// with the program's name, the window's mouse pointer, and a screen reader's voice.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Shows `prompt` modally and returns the button pressed; closing the box counts as Cancel
    // (or as OK when OK is the only button).
    virtual MsgBoxResult MsgBox(const std::string& prompt, MsgBoxButtons buttons,
                                MsgBoxIcon icon) = 0;
    virtual void SetMousePointer(MousePointer pointer) = 0;
    // Tells a screen reader, once and without moving the focus, what a command did: a short
    // German sentence of what a sighted user sees change. Nothing to do without one.
    virtual void Announce(const std::string& outcome) { static_cast<void>(outcome); }
};

}  // namespace ui
