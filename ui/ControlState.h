#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace ui {

// The state of one control. For labels and buttons Text is the caption; Value is the value of a
// check box (0 or 1); SelStart is where the caret of a text box stands. What the user types
// changes Text directly; the program writes through Write.
struct ControlState {
    std::string Text;
    bool Enabled = true;
    int Value = 0;
    std::size_t SelStart = 0;
    // Counts the program's writes: each one reaches the widget even when the text is the same,
    // since the user may have moved the caret or scrolled since.
    std::uint64_t Writes = 0;

    // Replaces the whole text and puts the caret at `caret` (a byte offset into the text).
    void Write(std::string text, std::size_t caret = 0) {
        Text = std::move(text);
        SelStart = caret;
        ++Writes;
    }
};

}  // namespace ui
