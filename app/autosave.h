// Copies of the construction written while it has unsaved changes, so that
// a crash, a killed session or a power cut costs at most a minute of work,
// and their recovery at the next start.
#pragma once

#include "files.h"

#include <string>

class Autosave {
  public:
    enum { Timer = 7 };  // the main window's timer number
    enum { Steps = 20 }; // changes after which a copy is written at once

    // Seconds between two copies; 0: none are written.
    int Seconds = 60;

    // A step of the history was recorded (or a command ran): after Steps of
    // them a copy is written; once the construction is unchanged again
    // (saved, loaded, undone back), the copy goes.
    void step();
    // The timer: a copy when there are changes it does not hold yet.
    void tick();
    // Writes the copy now, when the construction has unsaved changes.
    void write();
    // The construction is saved or closed normally: no copy is needed.
    void remove();
    // Offers each copy left by a Gyrel that did not end normally: Yes
    // restores it (marked changed, with its file name), No removes it. 1
    // when one was restored.
    int recover();

    // $XDG_STATE_HOME/gyrel, else ~/.local/state/gyrel.
    static std::string folder();
    // The path of this program's copy; empty before the first.
    const std::string& copy() const { return Copy; }

  private:
    std::string Copy;
    FileLock Lock;
    int Pending = 0; // steps since the last copy
    int Dirty = 0;   // changes the copy does not hold
};
