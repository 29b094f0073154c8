// What the terminal display shows for one window that waits for the user, and
// how that window takes the keys.
#pragma once

#include <standin/display.h>

#include <optional>
#include <vector>

#include "terminal/Canvas.h"
#include "terminal/KeyLine.h"
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
    // The keys that work here, as last painted, for the bottom line of the screen.
    virtual std::vector<KeyHint> Keys() const = 0;
};

}  // namespace ilt
