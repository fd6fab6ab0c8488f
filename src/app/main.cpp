// Pondlark Remake: frogs on lily pads catching flies.
#include <iostream>

#include "app/command_line.h"
#include "app/main_window.h"
#include "platform/window.h"

int main(int argc, char** argv) {
    CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (auto status = AnswerCommandLine(line, std::cout, std::cerr)) return *status;
    if (!platform::InitVideo()) return 1;
    int status = 0;
    {
        TForm1 form;
        form.FormCreate();
        platform::LoadingWindow loading;
        loading.Show(LoadingWindowLook());
        // A data file that fails ends the program before the settings are touched.
        bool started = form.Initialize(loading);
        loading.Close();
        status = started ? form.Run() : 1;
    }
    platform::ShutdownVideo();
    return status;
}
