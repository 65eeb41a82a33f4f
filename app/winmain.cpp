// Start-up of Gyrel.
#include "gyrstrings.h"
#include "standardwindow.h"

namespace {

// The UI texts are in place before any window exists.
const bool texts = (progstrings = GyrStrings, true);

} // namespace

int winmain(int, char**) {
    (void)texts;
    String title(1);
    StandardWindow main(title.text(), 500, 300);
    main.init();
    return program.loop();
}
