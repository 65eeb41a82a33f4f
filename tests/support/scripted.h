// A scripted answerer for tests: answers modal interactions from queues and
// records what was asked. Installed for its lifetime.
#pragma once

#include "answerer.h"
#include "dialog.h"
#include "messages.h"
#include "ps.h"
#include "selectors.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ScriptedAnswerer : public Answerer {
  public:
    struct Asked {
        Box kind;
        std::string text, title;
        int dialog = 0; // the dialog it was asked over, 0 for none
    };
    struct AskedFile {
        int saving;
        std::string title, pattern, extension, directory;
    };

    ScriptedAnswerer() : Before(Answerer::install(this)) {}
    ~ScriptedAnswerer() override { Answerer::install(Before); }

    // The next answers to message boxes, in order. Without one, a box is
    // answered with its first button.
    std::deque<int> Answers;
    std::vector<Asked> AskedBoxes;

    // What the user does in the next dialogs, in order: fill controls by id
    // (d.type, d.click, d.pick, ...) and close it (d.click(1) for OK). A
    // dialog without a script, or one its script leaves open, is cancelled.
    std::deque<std::function<void(Dialog&)>> Dialogs;
    std::vector<int> AskedDialogs;

    // The next file names chosen; an empty name cancels. With a list of
    // types, the next of FileTypes is the type chosen (none: the first).
    std::deque<std::string> Files;
    std::deque<int> FileTypes;
    std::vector<AskedFile> AskedFiles;

    // The next colours chosen; none cancels.
    std::deque<Color> Colors;

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

    int messagebox(Box kind, const char* text, const char* title, Dialog& d) override {
        int answer = messagebox(kind, text, title, d.W);
        AskedBoxes.back().dialog = d.Id;
        return answer;
    }

    int printersetup(PrinterPS&, Window*) override {
        ++PrinterDialogs;
        return PrinterAnswer;
    }

    void dialog(Dialog& d) override {
        AskedDialogs.push_back(d.Id);
        if (Dialogs.empty()) return;
        auto script = Dialogs.front();
        Dialogs.pop_front();
        script(d);
    }

    String file(const FileRequest& r) override {
        AskedFiles.push_back({r.saving, r.title, r.pattern, r.extension, r.directory});
        if (r.filters) {
            r.filters->Chosen = FileTypes.empty() ? 0 : FileTypes.front();
            if (!FileTypes.empty()) FileTypes.pop_front();
        }
        if (Files.empty()) return String("");
        std::string f = Files.front();
        Files.pop_front();
        return String(f.c_str());
    }

    int color(Color& c, Color*, Window*) override {
        if (Colors.empty()) return 0;
        c = Colors.front();
        Colors.pop_front();
        return 1;
    }

    // Long work: how often it told its progress, and at which telling the
    // person cancels (from then on, each answer is a cancel); -1: never.
    int progress(const char* title, const char*, double share, Window*) override {
        ProgressTitle = title;
        if (share < 1) ++Progressed;
        return StopAt < 0 || Progressed < StopAt;
    }
    int Progressed = 0;
    std::string ProgressTitle;
    int StopAt = -1;

  private:
    Answerer* Before;
};
