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
        form.Initialize(loading);
        loading.Close();
        status = form.Run();
    }
    platform::ShutdownVideo();
    return status;
}
