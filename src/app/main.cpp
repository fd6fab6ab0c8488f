// Pondlark Remake: frogs on lily pads catching flies.
#include "app/main_window.h"
#include "platform/files.h"
#include "platform/window.h"

int main() {
    if (!platform::InitVideo()) return 1;
    int status = 0;
    {
        TForm1 form;
        form.FormCreate();
        platform::LoadingWindow loading;
        platform::LoadingLook look;
        look.caption = "Pondlark Remake loading";
        look.title = "PONDLARK REMAKE";
        look.status = "Loading";
        look.titleFont = platform::ResolveDataPath("data\\DejaVuSans-Bold.ttf");
        look.statusFont = platform::ResolveDataPath("data\\DejaVuSans.ttf");
        look.maxValue = 17;
        loading.Show(look);
        // A data file that fails ends the program before the settings are touched.
        bool started = form.Initialize(loading);
        loading.Close();
        status = started ? form.Run() : 1;
    }
    platform::ShutdownVideo();
    return status;
}
