// A scripted answerer for tests: answers modal interactions from a queue and
// records what was asked. Installed for its lifetime.
#pragma once

#include "answerer.h"
#include "messages.h"

#include <deque>
#include <string>
#include <vector>

class ScriptedAnswerer : public Answerer {
  public:
    struct Asked {
        Box kind;
        std::string text, title;
    };

    ScriptedAnswerer() : Before(Answerer::install(this)) {}
    ~ScriptedAnswerer() override { Answerer::install(Before); }

    // The next answers to message boxes, in order. Without one, a box is
    // answered with its first button.
    std::deque<int> Answers;
    std::vector<Asked> AskedBoxes;
    int PrinterAnswer = 1;
    int PrinterDialogs = 0;

    int messagebox(Box kind, const char* text, const char* title, Window*) override {
        AskedBoxes.push_back({kind, text, title});
        if (!Answers.empty()) {
            int a = Answers.front();
            Answers.pop_front();
            return a;
        }
        return kind == Box::Question || kind == Box::QuestionAbort ? IDYES : IDOK;
    }

    int printersetup(PrinterPS&, Window*) override {
        ++PrinterDialogs;
        return PrinterAnswer;
    }

  private:
    Answerer* Before;
};
