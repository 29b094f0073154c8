// What the terminal display shows for one window that waits for the user, and
// how that window takes the keys.
#pragma once

#include <standin/display.h>

#include <optional>
#include <string>

#include "terminal/Canvas.h"
#include "terminal/Keys.h"

namespace ilt {

struct KeyOutcome {
    std::optional<standin::Action> action;  // for the modal loop; nothing when the key was handled here
    bool refused = false;                   // the key does nothing here: the terminal beeps
};

class View {
public:
    virtual ~View() = default;

    // Paints the window, read afresh, onto the canvas.
    virtual void Paint(Canvas& canvas) = 0;
    virtual KeyOutcome HandleKey(const Key& key) = 0;
    // The keys that work here, for the bottom line of the screen.
    virtual std::string Hint() const = 0;
};

}  // namespace ilt
