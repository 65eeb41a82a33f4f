// The tool bar controller: the buttons of the tools and colours, which of
// them shows pressed, and the prompt line.
#pragma once

class ToolBar;
class Window;

class Tools {
  public:
    void init(Window& w);
    void inform(const char* text);
    void set(int id);
    void releaseaction();
    void pressaction();
    ToolBar* Tb = nullptr;
    int Tn = -1; // the tool button shown pressed
    int Cn = -1; // the colour button shown pressed
};

extern Tools tools;

// The tool buttons' and the colour buttons' commands, in button order.
enum { ToolButtons = 42 };
extern const int idm_actions[ToolButtons];
extern const int idm_colors[6];
